#include "platform/fault_injection.h"

#include <gtest/gtest.h>

#include "platform/files.h"

namespace {

TEST(FaultInjection, NamedCallFailsWithTheChosenErrorAfterSkippedCalls) {
  platform::ScopedFaults faults;
  platform::InjectFault("CreateDirectoryW", ERROR_DISK_FULL, 1, 2);
  EXPECT_TRUE(platform::files::CreateDirectoryW(L"C:\\fi1"));
  SetLastError(0);
  EXPECT_FALSE(platform::files::CreateDirectoryW(L"C:\\fi2"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
  EXPECT_FALSE(platform::files::CreateDirectoryW(L"C:\\fi3"));
  EXPECT_TRUE(platform::files::CreateDirectoryW(L"C:\\fi4"));  // two failures only
  EXPECT_TRUE(platform::files::PathExists(L"C:\\fi1"));
  EXPECT_FALSE(platform::files::PathExists(L"C:\\fi2"));
}

TEST(FaultInjection, OtherCallsAreUntouchedAndClearingEndsTheFault) {
  {
    platform::ScopedFaults faults;
    platform::InjectFault("DeleteFileW", ERROR_ACCESS_DENIED);
    EXPECT_TRUE(platform::files::CreateDirectoryW(L"C:\\fi5"));
    EXPECT_FALSE(platform::files::DeleteFileW(L"C:\\whatever"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(platform::files::DeleteFileW(L"C:\\whatever"));  // every time
  }
  SetLastError(0);
  EXPECT_FALSE(platform::files::DeleteFileW(L"C:\\whatever"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));  // the real call's error
}

}  // namespace
