#include "platform/code_page.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/fault_injection.h"

namespace {

TEST(CodePage, RoundTripsTextOfTheAnsiCodePage) {
  std::string ansi;
  ASSERT_TRUE(platform::WideToAnsi(L"C:\\Program Files\\Demo80", ansi));
  EXPECT_EQ(ansi, "C:\\Program Files\\Demo80");
  std::wstring wide;
  ASSERT_TRUE(platform::AnsiToWide(ansi, wide));
  EXPECT_EQ(wide, L"C:\\Program Files\\Demo80");
  EXPECT_TRUE(platform::WideToAnsi(L"", ansi));
  EXPECT_TRUE(ansi.empty());
}

TEST(CodePage, FailedConversionLeavesNothing) {
  platform::ScopedFaults faults;
  platform::InjectFault("WideCharToMultiByte", ERROR_NO_UNICODE_TRANSLATION);
  std::string ansi = "stale";
  EXPECT_FALSE(platform::WideToAnsi(L"text", ansi));
  EXPECT_TRUE(ansi.empty());
}

}  // namespace
