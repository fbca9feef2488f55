#include "package/staging.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/fault_injection.h"
#include "platform/install_log.h"
#include "tests/unit/support/test_files.h"
#include "tools/mkpackage/package_builder.h"

namespace {

using mkpackage::MakeEntry;
using mkpackage::StoredEntry;

constexpr char kFolder[] = "C:\\Program Files\\Demo80";

class RecordingView : public package::StagingView {
 public:
  std::wstring InstallFolderText() override { return folder; }
  // Clears the last error, as the dialog's message posting may: staging must have read it already.
  void ShowStatus(const std::wstring& text) override {
    statuses.push_back(text);
    SetLastError(ERROR_SUCCESS);
  }
  void ShowProgressPosition(int32_t position) override { positions.push_back(position); }

  std::wstring folder = L"C:\\Program Files\\Demo80";
  std::vector<std::wstring> statuses;
  std::vector<int32_t> positions;
};

// One bar for the whole staging: from 0, never back, never twice the same, ending at 100.
void ExpectOneRunFromZeroTo100(const std::vector<int32_t>& positions) {
  ASSERT_FALSE(positions.empty());
  EXPECT_EQ(positions.front(), 0);
  EXPECT_EQ(positions.back(), 100);
  EXPECT_TRUE(std::adjacent_find(positions.begin(), positions.end(),
                                 [](int32_t before, int32_t after) { return after <= before; }) == positions.end());
}

std::string InFolder(const std::string& name) { return std::string(kFolder) + "\\" + name; }

std::string FileText(const std::string& path) {
  const std::vector<uint8_t> bytes = test::ReadBytes(path);
  return {bytes.begin(), bytes.end()};
}

// 35 entries like the shipped package, with a folder entry and a driver pair to rename.
std::vector<StoredEntry> ShippedShape() {
  std::vector<StoredEntry> entries;
  for (const char* name : {"CHISMPL.DLL", "CHITRAD.DLL", "ENGLISH.DLL", "Image.dll", "plotter.dll", "plotui.dll",
                           "Tillvane.dll", "TillvaneUI.dll"}) {
    entries.push_back(MakeEntry(name, std::string("32-bit ") + name));
    entries.push_back(MakeEntry(std::string(name) + ".x64", std::string("64-bit ") + name));
  }
  for (const char* name : {"MerrowPrinterService.exe", "uninstaller.exe", "UNIDRV.HLP", "InstallConfig_cn.txt",
                           "InstallConfig_en.txt", "PrinterName.txt", "dir\\a.txt", "FennickUI.DLL"}) {
    entries.push_back(MakeEntry(name, std::string("content of ") + name));
  }
  for (int brand = 0; entries.size() < 35; ++brand) {
    entries.push_back(MakeEntry("PrinterName_Brand" + std::to_string(brand) + ".txt", "variant"));
  }
  return entries;
}

class StagingTest : public testing::Test {
 protected:
  void SetUp() override {
    test::RemoveTree("C:\\Program Files\\Demo80");
    test::RemoveTree("C:\\escaped");
    DeleteFileA("C:\\Program Files\\escaped.txt");
    DeleteFileA(platform::kInstallLogPath);
    CreateDirectoryA(kFolder, nullptr);
  }
  void TearDown() override { SetUp(); }

  // A resource-form package of the entries, kept for the test's life as the module keeps its own.
  package::InstallPackage Package(const std::vector<StoredEntry>& entries) {
    const mkpackage::Bytes& bytes = m_packages.emplace_back(mkpackage::BuildResourcePackage(entries));
    return {bytes.data(), static_cast<uint32_t>(bytes.size())};
  }

  RecordingView m_view;
  std::vector<mkpackage::Bytes> m_packages;
};

TEST_F(StagingTest, ShippedShapeIsLoggedWrittenAndProgressedOnce) {
  EXPECT_EQ(package::StageFromPackage(m_view, Package(ShippedShape())), 0);

  EXPECT_EQ(FileText(platform::kInstallLogPath), "**** FileCount=35\r\r\n**** Retrace Finish\r\r\n");
  ExpectOneRunFromZeroTo100(m_view.positions);

  EXPECT_EQ(FileText(InFolder("plotter.dll.x64")), "64-bit plotter.dll");
  EXPECT_EQ(FileText(InFolder("dir\\a.txt")), "content of dir\\a.txt");
  // Renamed without regard to case, and shown under its package name.
  EXPECT_EQ(FileText(InFolder("Dellmarf.dll")), "content of FennickUI.DLL");
  EXPECT_FALSE(test::FileExists(InFolder("FennickUI.DLL")));
  EXPECT_EQ(m_view.statuses.size(), 35u);
  EXPECT_EQ(m_view.statuses[0], L"CHISMPL.DLL");
  EXPECT_EQ(m_view.statuses[22], L"a.txt");  // the file name, without its folder
}

std::vector<StoredEntry> UnsafeAndKeptEntries() {
  std::vector<StoredEntry> entries;
  for (const char* name : {"..\\escaped.txt", "C:\\escaped\\x.txt", "\\escaped\\x.txt", "sub\\..\\..\\escaped.txt",
                           "CON", "nul.txt", "docs\\LPT1", "Aux.dat", "com9\\x.txt", "lpt3.tar.gz"}) {
    entries.push_back(MakeEntry(name, "x"));
  }
  entries.push_back(MakeEntry("kept.txt", "kept"));
  return entries;
}

// One log record per skipped entry, in package order.
std::string SkippedRecords() {
  std::string records;
  for (const StoredEntry& entry : UnsafeAndKeptEntries()) {
    if (entry.name == "kept.txt") continue;
    records += "**** Skipped entry outside the folder or named as a device: " + entry.name + "\r\r\n";
  }
  return records;
}

void ExpectOnlyTheSafeEntryWritten() {
  EXPECT_FALSE(test::FileExists("C:\\Program Files\\escaped.txt"));
  EXPECT_FALSE(test::FolderExists("C:\\escaped"));
  EXPECT_EQ(FileText(InFolder("kept.txt")), "kept");
  EXPECT_FALSE(test::FolderExists(InFolder("docs")));
  EXPECT_FALSE(test::FolderExists(InFolder("com9")));
}

TEST_F(StagingTest, EntriesThatWouldLeaveTheFolderOrNameADeviceAreSkippedAndLogged) {
  EXPECT_EQ(package::StageFromPackage(m_view, Package(UnsafeAndKeptEntries())), 0);
  ExpectOnlyTheSafeEntryWritten();
  ExpectOneRunFromZeroTo100(m_view.positions);
  EXPECT_EQ(FileText(platform::kInstallLogPath),
            "**** FileCount=11\r\r\n" + SkippedRecords() + "**** Retrace Finish\r\r\n");
}

TEST_F(StagingTest, OverlongOutputPathIsSkippedAndLogged) {
  const std::string longName(255 - std::string(kFolder).size(), 'n');  // folder, backslash, name: 256
  const package::InstallPackage installPackage = Package(
      {MakeEntry(longName, "long"), MakeEntry(longName.substr(1), "fits")});
  package::StageFromPackage(m_view, installPackage);
  EXPECT_FALSE(test::FileExists(InFolder(longName)));
  EXPECT_EQ(FileText(InFolder(longName.substr(1))), "fits");
  EXPECT_NE(FileText(platform::kInstallLogPath).find("**** Skipped entry, path too long: " + InFolder(longName) + "\r\r\n"),
            std::string::npos);
}

// A full disk or a denied folder stops staging at the file that could not be written; the
// installation must not go on from a half-laid package.
TEST_F(StagingTest, AFileThatCannotBeWrittenStopsStagingWithALogRecord) {
  const package::InstallPackage installPackage = Package(
      {MakeEntry("a.txt", "a"), MakeEntry("b.txt", "b"), MakeEntry("c.txt", "c")});
  platform::ScopedFaults faults;
  platform::InjectFault("fclose", ERROR_DISK_FULL, 1, 1);  // b.txt, when its buffer is written out
  EXPECT_EQ(package::StageFromPackage(m_view, installPackage), package::kStagingWriteFailed);
  EXPECT_EQ(FileText(platform::kInstallLogPath),
            "**** FileCount=3\r\r\n**** Extract failed = 112: C:\\Program Files\\Demo80\\b.txt\r\r\n");
  EXPECT_EQ(FileText(InFolder("a.txt")), "a");
  EXPECT_FALSE(test::FileExists(InFolder("c.txt")));

  DeleteFileA(platform::kInstallLogPath);
  platform::InjectFault("fopen", ERROR_ACCESS_DENIED, 0, 1);  // the first entry's file
  EXPECT_EQ(package::StageFromPackage(m_view, installPackage), package::kStagingWriteFailed);
  EXPECT_EQ(FileText(platform::kInstallLogPath),
            "**** FileCount=3\r\r\n**** Extract failed = 5: C:\\Program Files\\Demo80\\a.txt\r\r\n");
}

class AppendedStagingTest : public StagingTest {
 protected:
  int32_t Stage(const wchar_t* family, const mkpackage::Bytes& file) {
    test::WriteBytes(kInstaller, file);
    package::InstallerFile installer;
    EXPECT_TRUE(installer.Open(L"C:\\installer.exe"));
    return package::StageFromInstallerFile(m_view, family, installer);
  }
  static mkpackage::Bytes Installer(const std::vector<StoredEntry>& entries) {
    return mkpackage::BuildAppendedFile(test::Bytes("MZ stub program"), "", entries);
  }
  static std::vector<StoredEntry> DriverSets() {
    return {MakeEntry("Corvane.dll", "tsc render"), MakeEntry("corvaneui.dll.x64", "tsc ui 64"),
            MakeEntry("Ambrel.dll", "esc render"), MakeEntry("plain.txt", "plain")};
  }
  static constexpr char kInstaller[] = "C:\\installer.exe";
};

TEST_F(AppendedStagingTest, EntriesThatWouldLeaveTheFolderOrNameADeviceAreSkippedAndLogged) {
  EXPECT_EQ(Stage(L"POS80", Installer(UnsafeAndKeptEntries())), 0);
  ExpectOnlyTheSafeEntryWritten();
  ExpectOneRunFromZeroTo100(m_view.positions);
  EXPECT_EQ(FileText(platform::kInstallLogPath), SkippedRecords());
}

// Every file below the install folder, by its path inside it, with its content.
std::map<std::string, std::string> InstalledTree() {
  std::map<std::string, std::string> tree;
  for (const auto& item : std::filesystem::recursive_directory_iterator(kFolder)) {
    if (!item.is_regular_file()) continue;
    tree[std::filesystem::relative(item.path(), kFolder).string()] = FileText(item.path().string());
  }
  return tree;
}

TEST_F(AppendedStagingTest, EmbeddedAndAppendedFormsLayDownTheSameTree) {
  const std::vector<StoredEntry> entries = {
      MakeEntry("docs\\manual.txt", "manual"), MakeEntry("top.txt", "top"),
      MakeEntry("drivers/x64/deep.bin", "deep"), MakeEntry("docs\\second.txt", "second")};
  EXPECT_EQ(package::StageFromPackage(m_view, Package(entries)), 0);
  const std::map<std::string, std::string> embedded = InstalledTree();
  ExpectOneRunFromZeroTo100(m_view.positions);
  test::RemoveTree(kFolder);
  CreateDirectoryA(kFolder, nullptr);
  m_view.positions.clear();

  EXPECT_EQ(Stage(L"POS80", Installer(entries)), 0);
  EXPECT_EQ(InstalledTree(), embedded);
  ExpectOneRunFromZeroTo100(m_view.positions);
  EXPECT_EQ(embedded.size(), 4u);
  EXPECT_EQ(embedded.at("docs\\manual.txt"), "manual");
  EXPECT_EQ(embedded.at("drivers\\x64\\deep.bin"), "deep");
}

TEST_F(AppendedStagingTest, RenamesTheDriverSetOfTheModelFamily) {
  EXPECT_EQ(Stage(L"TSC", Installer(DriverSets())), 0);
  EXPECT_EQ(FileText(InFolder("Dellmar.dll")), "tsc render");
  EXPECT_EQ(FileText(InFolder("Dellmarf.dll.x64")), "tsc ui 64");
  EXPECT_EQ(FileText(InFolder("Ambrel.dll")), "esc render");
  EXPECT_EQ(FileText(InFolder("plain.txt")), "plain");
  // The whole output path is shown, after renaming.
  ASSERT_EQ(m_view.statuses.size(), 4u);
  EXPECT_EQ(m_view.statuses[0], L"C:\\Program Files\\Demo80\\Dellmar.dll");
}

TEST_F(AppendedStagingTest, FamilyIsComparedWithCase) {
  EXPECT_EQ(Stage(L"tsc", Installer(DriverSets())), 0);
  EXPECT_EQ(FileText(InFolder("Corvane.dll")), "tsc render");
  EXPECT_FALSE(test::FileExists(InFolder("Dellmar.dll")));

  EXPECT_EQ(Stage(L"ESC", Installer(DriverSets())), 0);
  EXPECT_EQ(FileText(InFolder("Dellmar.dll")), "esc render");
}

TEST_F(AppendedStagingTest, UnreadablePackagesGiveTheirCodes) {
  mkpackage::Bytes zeroCount = Installer({MakeEntry("plain.txt", "plain")});
  std::fill(zeroCount.end() - 8, zeroCount.end() - 4, 0);
  EXPECT_EQ(Stage(L"TSC", zeroCount), package::kStagingBadPackage);
  EXPECT_FALSE(test::FileExists(InFolder("plain.txt")));

  // The count promises a second entry that is not there: the first stays written.
  mkpackage::Bytes shortOne = Installer({MakeEntry("plain.txt", "plain")});
  shortOne[shortOne.size() - 8] = 2;
  EXPECT_EQ(Stage(L"TSC", shortOne), package::kStagingBadPackage);
  EXPECT_EQ(FileText(InFolder("plain.txt")), "plain");

  platform::ScopedFaults faults;
  platform::InjectFault("CreateFileW", ERROR_ACCESS_DENIED);
  EXPECT_EQ(package::StageFromInstallerFile(m_view, L"TSC"), package::kStagingNoInstallerFile);
}

TEST_F(AppendedStagingTest, AFileThatCannotBeWrittenStopsStagingWithALogRecord) {
  const mkpackage::Bytes installer = Installer({MakeEntry("a.txt", "a"), MakeEntry("b.txt", "b")});
  platform::ScopedFaults faults;
  platform::InjectFault("fwrite", ERROR_DISK_FULL, 0, 1);
  EXPECT_EQ(Stage(L"POS80", installer), package::kStagingWriteFailed);
  EXPECT_EQ(FileText(platform::kInstallLogPath), "**** Extract failed = 112: C:\\Program Files\\Demo80\\a.txt\r\r\n");
  EXPECT_FALSE(test::FileExists(InFolder("b.txt")));
}

// The printer service of an earlier installation in the same folder still runs: its file stays
// as it is and the rest is laid down.
// An install folder outside Program Files may have existed, with a standard user's hard link in
// it under the name of a package file: staging replaces the link and leaves its target alone.
TEST_F(StagingTest, HardLinkPlantedInTheInstallFolderIsReplacedNotWrittenThrough) {
  test::WriteBytes("C:\\target.sys", test::Bytes("precious"));
  ASSERT_TRUE(CreateHardLinkA(InFolder("a.txt").c_str(), "C:\\target.sys", nullptr));
  const package::InstallPackage installPackage = Package({MakeEntry("a.txt", "staged")});
  EXPECT_EQ(package::StageFromPackage(m_view, installPackage), 0);
  EXPECT_EQ(FileText(InFolder("a.txt")), "staged");
  EXPECT_EQ(test::ReadBytes("C:\\target.sys"), test::Bytes("precious"));
  DeleteFileA("C:\\target.sys");
}

TEST_F(StagingTest, AFileInUseIsLeftAndStagingGoesOn) {
  test::WriteBytes(InFolder("MerrowPrinterService.exe"), test::Bytes("running"));
  const HANDLE running = CreateFileA(InFolder("MerrowPrinterService.exe").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(running, INVALID_HANDLE_VALUE);
  const package::InstallPackage installPackage = Package(
      {MakeEntry("MerrowPrinterService.exe", "new"), MakeEntry("z.txt", "z")});
  EXPECT_EQ(package::StageFromPackage(m_view, installPackage), 0);
  CloseHandle(running);
  EXPECT_EQ(FileText(InFolder("MerrowPrinterService.exe")), "running");
  EXPECT_EQ(FileText(InFolder("z.txt")), "z");
}

TEST_F(AppendedStagingTest, StagesThePackageAppendedToItsOwnFile) {
  EXPECT_EQ(package::StageFromInstallerFile(m_view, L"POS80"), 0);
  EXPECT_EQ(test::ReadBytes(InFolder("Appended.ini")), test::ReadBytes(FIXTURE_DIR "/Appended.ini"));
}

}  // namespace
