#include "system/install_folder_cleanup.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/fault_injection.h"
#include "tests/unit/system/system_test_support.h"

namespace {

using sys::CleanInstallFolder;
using sys::StagedFiles;

const std::wstring kRoot = L"C:\\Demo";
const std::wstring kFolder = kRoot + L"\\Demo80";

std::wstring In(const std::wstring& name) { return kFolder + L"\\" + name; }

// What staging does: writes files into the folder.
void Stage(std::initializer_list<const wchar_t*> names) {
  for (const wchar_t* name : names) test::MakeFile(In(name), "staged");
}

// A file from long before the installation ran.
void WriteOldFile(const std::wstring& path) {
  test::MakeFile(path, "old");
  HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  SYSTEMTIME longAgo = {2001, 1, 1, 1, 0, 0, 0, 0};
  FILETIME time;
  SystemTimeToFileTime(&longAgo, &time);
  SetFileTime(file, nullptr, nullptr, &time);
  CloseHandle(file);
}

class InstallFolderCleanupTest : public testing::Test {
 protected:
  void SetUp() override {
    test::RemoveTree(kRoot);
    test::MakeFolders(In(L"Inf"));
  }
  void TearDown() override { test::RemoveTree(kRoot); }

  // A staging run that writes the package's files, some of which must stay.
  StagedFiles StageShippedFiles() {
    StagedFiles staged;
    staged.BeforeStaging(kFolder);
    Stage({L"plotter.dll", L"Image.dll", L"InstallConfig_en.txt", L"UNINSTALL.INI", L"uninstaller.exe",
           L"MerrowPrinterService.exe"});
    test::MakeFile(In(L"Inf\\demo.inf"), "staged");
    staged.AfterStaging();
    return staged;
  }

  platform::ScopedFaults m_faults;
};

TEST(IsKeptFile, NamesTheThreeFilesInAnyLetterCase) {
  for (const wchar_t* name : {L"Uninstaller.exe", L"UNINSTALLER.EXE", L"Uninstall.ini", L"uninstall.INI",
                              L"MerrowPrinterService.exe", L"merrowprinterservice.EXE"}) {
    EXPECT_TRUE(sys::IsKeptFile(name)) << name;
  }
  for (const wchar_t* name : {L"Uninstaller.ex", L"Uninstall.ini.bak", L"plotter.dll", L""}) {
    EXPECT_FALSE(sys::IsKeptFile(name)) << name;
  }
}

TEST_F(InstallFolderCleanupTest, KeepsTheThreeFilesSubfoldersAndFilesThePackageDidNotWrite) {
  test::MakeFile(In(L"notes.txt"), "the user's own");
  const StagedFiles staged = StageShippedFiles();
  CleanInstallFolder(kFolder.c_str(), staged);
  EXPECT_EQ(test::FolderNames(kFolder),
            (std::vector<std::wstring>{L"Inf", L"MerrowPrinterService.exe", L"UNINSTALL.INI", L"notes.txt",
                                       L"uninstaller.exe"}));
  EXPECT_TRUE(test::Exists(In(L"Inf\\demo.inf")));
}

TEST_F(InstallFolderCleanupTest, RecordHoldsWhatStagingWroteOrRewrote) {
  WriteOldFile(In(L"readme.txt"));
  WriteOldFile(In(L"untouched.txt"));
  StagedFiles staged;
  staged.BeforeStaging(kFolder);
  Stage({L"README.TXT", L"plotui.dll"});
  staged.AfterStaging();
  EXPECT_TRUE(staged.Contains(L"readme.txt"));
  EXPECT_TRUE(staged.Contains(L"PLOTUI.DLL"));
  EXPECT_FALSE(staged.Contains(L"untouched.txt"));
  EXPECT_FALSE(staged.Contains(L"Inf"));
  CleanInstallFolder(kFolder.c_str(), staged);
  EXPECT_EQ(test::FolderNames(kFolder), (std::vector<std::wstring>{L"Inf", L"untouched.txt"}));
}

TEST_F(InstallFolderCleanupTest, NothingIsDeletedWhenNoInstallationRan) {
  Stage({L"plotter.dll", L"photo.jpg"});
  StagedFiles neverStaged;
  CleanInstallFolder(kFolder.c_str(), neverStaged);
  StagedFiles stagingNotFinished;
  stagingNotFinished.BeforeStaging(kFolder);
  CleanInstallFolder(kFolder.c_str(), stagingNotFinished);
  EXPECT_EQ(test::FolderNames(kFolder), (std::vector<std::wstring>{L"Inf", L"photo.jpg", L"plotter.dll"}));
}

TEST_F(InstallFolderCleanupTest, AnotherFolderWithTheSameNamesIsLeftAlone) {
  const StagedFiles staged = StageShippedFiles();
  const std::wstring chosen = kRoot + L"\\Chosen";
  test::MakeFolders(chosen);
  test::MakeFile(chosen + L"\\plotter.dll", "the user's own");
  CleanInstallFolder(chosen.c_str(), staged);
  EXPECT_TRUE(test::Exists(chosen + L"\\plotter.dll"));
  EXPECT_TRUE(test::Exists(In(L"plotter.dll")));
}

TEST_F(InstallFolderCleanupTest, FolderFieldWithTrailingBackslashOrOtherCaseIsTheSameFolder) {
  const StagedFiles staged = StageShippedFiles();
  CleanInstallFolder(L"c:\\demo\\DEMO80\\", staged);
  EXPECT_FALSE(test::Exists(In(L"plotter.dll")));
}

TEST_F(InstallFolderCleanupTest, MissingFolderIsHarmless) {
  const StagedFiles staged = StageShippedFiles();
  test::RemoveTree(kFolder);
  CleanInstallFolder(kFolder.c_str(), staged);
  EXPECT_FALSE(test::Exists(kFolder));
}

TEST_F(InstallFolderCleanupTest, FileThatCannotBeDeletedStaysAndTheRestGo) {
  const StagedFiles staged = StageShippedFiles();
  platform::InjectFault("DeleteFileW", ERROR_SHARING_VIOLATION, 0, 1);
  CleanInstallFolder(kFolder.c_str(), staged);
  const std::vector<std::wstring> left = test::FolderNames(kFolder);
  EXPECT_EQ(left.size(), 5u);  // Inf, the three kept files and the one undeletable file
}

TEST_F(InstallFolderCleanupTest, UnlistableFolderIsLeftAsItIs) {
  const StagedFiles staged = StageShippedFiles();
  platform::InjectFault("FindFirstFileW", ERROR_ACCESS_DENIED);
  CleanInstallFolder(kFolder.c_str(), staged);
  EXPECT_TRUE(test::Exists(In(L"plotter.dll")));
}

}  // namespace

namespace {

// The installed size counts what the clean-up leaves, subfolders included, and nothing it deletes.
TEST_F(InstallFolderCleanupTest, KeptBytesAreWhatTheCleanUpLeaves) {
  WriteOldFile(In(L"notes.txt"));  // 3 bytes, not the package's
  const StagedFiles staged = StageShippedFiles();
  // Kept: UNINSTALL.INI, uninstaller.exe, MerrowPrinterService.exe (6 bytes each), Inf\demo.inf, notes.txt.
  EXPECT_EQ(sys::KeptBytes(kFolder.c_str(), staged), 4u * 6u + 3u);
  CleanInstallFolder(kFolder.c_str(), staged);
  EXPECT_EQ(sys::KeptBytes(kFolder.c_str(), staged), 4u * 6u + 3u);
  // Before any staging the clean-up deletes nothing, so everything counts.
  EXPECT_EQ(sys::KeptBytes(kFolder.c_str(), StagedFiles()), 4u * 6u + 3u);
}

TEST_F(InstallFolderCleanupTest, BytesOfFilesNamedCountsOnlyThatNamesFilesInThatFolder) {
  test::MakeFile(In(L"Demo80UI.dll"), "12345");
  test::MakeFile(In(L"demo80GPC.pcd"), "123");
  test::MakeFile(In(L"Demo8.dll"), "1234567");
  test::MakeFile(In(L"Inf\\Demo80Drv.dll"), "1234567");
  EXPECT_EQ(sys::BytesOfFilesNamed(kFolder, L"Demo80"), 8u);
  EXPECT_EQ(sys::BytesOfFilesNamed(kRoot + L"\\Missing", L"Demo80"), 0u);
}

}  // namespace
