// Which uninstaller and service program the install folder keeps, by the description of the
// target Windows, against the real file system.
#include "system/native_programs.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/fault_injection.h"
#include "platform/target_windows.h"
#include "tests/unit/system/system_test_support.h"

namespace {

const std::wstring kFolder = L"C:\\Program Files\\Demo\\Native";

class NativeProgramsTest : public testing::Test {
 protected:
  void SetUp() override {
    test::RemoveTree(kFolder);
    test::MakeFolders(kFolder);
    for (const wchar_t* name : {L"Uninstaller.exe", L"MerrowPrinterService.exe"}) {
      const std::string plain(name, name + wcslen(name));
      test::MakeFile(In(name), "32-bit " + plain);
      test::MakeFile(In(name) + L".x64", "64-bit " + plain);
    }
  }
  void TearDown() override { test::RemoveTree(kFolder); }

  static std::wstring In(const wchar_t* name) { return kFolder + L"\\" + name; }
  static std::string Text(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in) return "(missing)";
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  // Both programs and both builds as they were made.
  static void ExpectUntouched() {
    EXPECT_EQ(Text(In(L"Uninstaller.exe")), "32-bit Uninstaller.exe");
    EXPECT_EQ(Text(In(L"Uninstaller.exe.x64")), "64-bit Uninstaller.exe");
    EXPECT_EQ(Text(In(L"MerrowPrinterService.exe")), "32-bit MerrowPrinterService.exe");
    EXPECT_EQ(Text(In(L"MerrowPrinterService.exe.x64")), "64-bit MerrowPrinterService.exe");
  }

  platform::ScopedFaults m_faults;
};

TEST_F(NativeProgramsTest, ASixtyFourBitInstallerPutsThe64BitBuildsUnderThePlainNames) {
  EXPECT_TRUE(sys::PlaceNativePrograms(kFolder, platform::Windows64Target(L"", false)));
  EXPECT_EQ(Text(In(L"Uninstaller.exe")), "64-bit Uninstaller.exe");
  EXPECT_EQ(Text(In(L"MerrowPrinterService.exe")), "64-bit MerrowPrinterService.exe");
  EXPECT_FALSE(test::Exists(In(L"Uninstaller.exe.x64")));
  EXPECT_FALSE(test::Exists(In(L"MerrowPrinterService.exe.x64")));
}

// Its 32-bit programs run under WOW64 as well as the installer itself does.
TEST_F(NativeProgramsTest, AThirtyTwoBitInstallerKeepsItsOwnProgramsOnEitherWindows) {
  EXPECT_TRUE(sys::PlaceNativePrograms(kFolder, platform::Windows64Target(L"", true)));
  ExpectUntouched();
  EXPECT_TRUE(sys::PlaceNativePrograms(kFolder, platform::Windows32Target(L"")));
  ExpectUntouched();
}

TEST_F(NativeProgramsTest, AMissing64BitBuildLeavesThePlainOne) {
  DeleteFileW(In(L"Uninstaller.exe.x64").c_str());
  EXPECT_TRUE(sys::PlaceNativePrograms(kFolder, platform::Windows64Target(L"", false)));
  EXPECT_EQ(Text(In(L"Uninstaller.exe")), "32-bit Uninstaller.exe");
  EXPECT_EQ(Text(In(L"MerrowPrinterService.exe")), "64-bit MerrowPrinterService.exe");
}

TEST_F(NativeProgramsTest, AFailedMoveIsReportedAndTheNextProgramStillMoves) {
  platform::InjectFault("MoveFileExW", ERROR_ACCESS_DENIED, 0, 1);
  EXPECT_FALSE(sys::PlaceNativePrograms(kFolder, platform::Windows64Target(L"", false)));
  EXPECT_EQ(Text(In(L"Uninstaller.exe")), "32-bit Uninstaller.exe");
  EXPECT_EQ(Text(In(L"MerrowPrinterService.exe")), "64-bit MerrowPrinterService.exe");
}

}  // namespace
