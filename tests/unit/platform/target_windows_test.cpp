// The description of the target Windows in each run: the 32-bit build on 32-bit Windows (win32)
// and under WOW64 (wow64), the 64-bit build on 64-bit Windows (win64).
#include "platform/target_windows.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>

#include <cstdlib>
#include <string>

#include "platform/fault_injection.h"
#include "tests/unit/support/test_files.h"

namespace {

std::string ThisRun() {
  const char* run = std::getenv("WINE_TEST_RUN");
  return run != nullptr ? run : "";
}

class TargetWindowsTest : public testing::Test {
 protected:
  void SetUp() override {
    const std::string run = ThisRun();
    ASSERT_TRUE(run == "win32" || run == "wow64" || run == "win64") << "WINE_TEST_RUN: " << run;
  }
  platform::ScopedFaults m_faults;
};

TEST_F(TargetWindowsTest, DescribesTheWindowsThisRunIsOn) {
  const bool windows64 = ThisRun() != "win32";
  const platform::TargetWindows target = platform::DescribeTargetWindows();
  EXPECT_STREQ(target.environment, windows64 ? L"Windows x64" : L"Windows NT x86");
  EXPECT_EQ(target.x64Builds, windows64);
  EXPECT_EQ(target.registryView, windows64 ? static_cast<REGSAM>(KEY_WOW64_64KEY) : 0u);
  EXPECT_EQ(target.redirected, ThisRun() == "wow64");
  EXPECT_EQ(target.Is64BitProcess(), ThisRun() == "win64");
}

// What this process writes to its system folder lands in syswow64 exactly when it is redirected.
TEST_F(TargetWindowsTest, RedirectedIsWhatTheFileSystemDoes) {
  char system[MAX_PATH] = {};
  ASSERT_GT(GetSystemDirectoryA(system, MAX_PATH), 0u);
  const std::string name = "\\target_windows_probe.txt";
  test::WriteBytes(system + name, test::Bytes("probe"));
  const bool inSysWow64 = test::FileExists("C:\\windows\\syswow64" + name);
  DeleteFileA((system + name).c_str());
  EXPECT_EQ(platform::DescribeTargetWindows().redirected, inSysWow64);
}

TEST_F(TargetWindowsTest, DriverDirectoryIsTheSpoolersOwn) {
  wchar_t expected[MAX_PATH] = {};
  DWORD needed = 0;
  ASSERT_TRUE(GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(expected), sizeof expected,
                                         &needed));
  const std::wstring directory = platform::DescribeTargetWindows().driverDirectory;
  EXPECT_EQ(directory, expected);
  const DWORD attributes = GetFileAttributesW(directory.c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(TargetWindowsTest, UnreadableDriverDirectoryIsEmptyAndChangesNothingElse) {
  platform::InjectFault("GetPrinterDriverDirectoryW", ERROR_INVALID_ENVIRONMENT, 0, 1);
  const platform::TargetWindows target = platform::DescribeTargetWindows();
  EXPECT_TRUE(target.driverDirectory.empty());
  EXPECT_EQ(target.x64Builds, ThisRun() != "win32");
  EXPECT_EQ(target.redirected, ThisRun() == "wow64");
  EXPECT_FALSE(platform::DescribeTargetWindows().driverDirectory.empty());  // asked anew, not kept
}

// The 64-bit build never asks: it runs on 64-bit Windows only.
TEST_F(TargetWindowsTest, A32BitBuildThatCannotTellTakes32BitWindows) {
  platform::InjectFault("IsWow64Process", ERROR_INVALID_FUNCTION);
  const platform::TargetWindows target = platform::DescribeTargetWindows();
  EXPECT_EQ(target.x64Builds, ThisRun() == "win64");
  EXPECT_FALSE(target.redirected);
}

TEST(TargetWindowsDescriptions, EachWindowsTakesItsOwnBuildsAndView) {
  const platform::TargetWindows x86 = platform::Windows32Target(L"C:\\drivers\\w32x86");
  EXPECT_STREQ(x86.environment, platform::kEnvironmentX86);
  EXPECT_EQ(x86.driverDirectory, L"C:\\drivers\\w32x86");
  EXPECT_EQ(x86.registryView, 0u);
  EXPECT_FALSE(x86.redirected);
  EXPECT_EQ(x86.BuildOf(std::string("C:\\Demo\\plotter.dll")), "C:\\Demo\\plotter.dll");
  EXPECT_EQ(x86.BuildOf(std::wstring(L"C:\\Demo\\Uninstaller.exe")), L"C:\\Demo\\Uninstaller.exe");

  for (const bool redirected : {false, true}) {
    const platform::TargetWindows x64 = platform::Windows64Target(L"C:\\drivers\\x64", redirected);
    EXPECT_STREQ(x64.environment, platform::kEnvironmentX64);
    EXPECT_EQ(x64.driverDirectory, L"C:\\drivers\\x64");
    EXPECT_EQ(x64.registryView, static_cast<REGSAM>(KEY_WOW64_64KEY));
    EXPECT_EQ(x64.redirected, redirected);
    EXPECT_EQ(x64.Is64BitProcess(), !redirected);
    EXPECT_EQ(x64.BuildOf(std::string("C:\\Demo\\plotter.dll")), "C:\\Demo\\plotter.dll.x64");
    EXPECT_EQ(x64.BuildOf(std::wstring(L"C:\\Demo\\Uninstaller.exe")), L"C:\\Demo\\Uninstaller.exe.x64");
  }
}

}  // namespace
