// This test program carries a package both ways: as resource INSTALL/142 (language 2052) and
// appended to its own file, as the installer and its stub do.
#include "package/install_package.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>

#include "package/extract.h"
#include "platform/fault_injection.h"
#include "tests/unit/support/test_files.h"

namespace {

std::vector<uint8_t> Fixture(const char* name) { return test::ReadBytes(std::string(FIXTURE_DIR "/") + name); }

class InstallPackageTest : public testing::Test {
 protected:
  void SetUp() override {
    test::RemoveTree(kFolder);
    CreateDirectoryA(kFolder, nullptr);
  }
  void TearDown() override { test::RemoveTree(kFolder); }
  static constexpr char kFolder[] = "C:\\unpacked";
};

TEST_F(InstallPackageTest, LoadsTheResourceAndWalksIt) {
  const package::InstallPackage installPackage = package::LoadInstallPackage(GetModuleHandleW(nullptr));
  ASSERT_FALSE(installPackage.IsEmpty());
  package::ResourcePackageReader reader(installPackage.Bytes());
  EXPECT_EQ(reader.EntryCount(), 2u);

  std::map<std::string, std::vector<uint8_t>> written;
  package::MemoryEntry entry;
  while (reader.Next(entry)) {
    const std::string path = std::string(kFolder) + "\\" + entry.name.text;
    EXPECT_EQ(package::ExtractFromMemory(entry.storedBytes, entry.storedSize, path.c_str()), 0);
    written[entry.name.text] = test::ReadBytes(path);
  }
  EXPECT_EQ(reader.Error(), package::WalkError::None);
  EXPECT_EQ(reader.Offset(), installPackage.size);  // the entries fill the resource exactly
  EXPECT_EQ(written["Text.ini"], Fixture("Text.ini"));
  EXPECT_EQ(written["PrinterName.txt"], Fixture("PrinterName.txt"));
}

// No copy on the heap: the package is the module's own image pages.
TEST_F(InstallPackageTest, PackageIsReadWhereTheResourceLies) {
  const HMODULE module = GetModuleHandleW(nullptr);
  const package::InstallPackage installPackage = package::LoadInstallPackage(module);
  ASSERT_FALSE(installPackage.IsEmpty());
  MEMORY_BASIC_INFORMATION region{};
  ASSERT_NE(VirtualQuery(installPackage.bytes, &region, sizeof region), 0u);
  EXPECT_EQ(region.AllocationBase, module);
  EXPECT_EQ(region.Type, static_cast<DWORD>(MEM_IMAGE));
  // Loading again hands out the same bytes, not another copy.
  EXPECT_EQ(package::LoadInstallPackage(module).bytes, installPackage.bytes);
}

TEST_F(InstallPackageTest, ModuleWithoutTheResourceGivesNoPackage) {
  const package::InstallPackage installPackage = package::LoadInstallPackage(GetModuleHandleW(L"kernel32.dll"));
  EXPECT_TRUE(installPackage.IsEmpty());
  EXPECT_EQ(installPackage.size, 0u);
}

TEST_F(InstallPackageTest, ResourceThatCannotBeLoadedGivesNoPackage) {
  platform::ScopedFaults faults;
  platform::InjectFault("LoadResource", ERROR_RESOURCE_DATA_NOT_FOUND);
  EXPECT_TRUE(package::LoadInstallPackage(GetModuleHandleW(nullptr)).IsEmpty());
}

TEST_F(InstallPackageTest, WalksThePackageAppendedToItsOwnFile) {
  package::InstallerFile file;
  ASSERT_TRUE(file.OpenOwnModule());
  package::AppendedPackageReader reader(file);
  ASSERT_TRUE(reader.Open());
  EXPECT_EQ(reader.EntryCount(), 1u);
  EXPECT_EQ(reader.HeaderLength(), 7u);  // "fixture"

  package::FileEntry entry;
  ASSERT_TRUE(reader.Next(entry));
  EXPECT_STREQ(entry.name.text, "Appended.ini");
  const std::string path = std::string(kFolder) + "\\Appended.ini";
  EXPECT_EQ(package::ExtractFromFile(file.Handle(), entry.storedSize, path.c_str()), 0);
  EXPECT_EQ(test::ReadBytes(path), Fixture("Appended.ini"));
  EXPECT_FALSE(reader.Next(entry));
  EXPECT_EQ(reader.Error(), package::WalkError::None);
}

TEST_F(InstallPackageTest, InstallerFileThatCannotBeOpenedOrMeasured) {
  package::InstallerFile missing;
  EXPECT_FALSE(missing.Open(L"C:\\no-such-installer.exe"));

  platform::ScopedFaults faults;
  platform::InjectFault("GetFileAttributesExW", ERROR_ACCESS_DENIED);
  package::InstallerFile unmeasured;
  EXPECT_FALSE(unmeasured.OpenOwnModule());
}

TEST_F(InstallPackageTest, FailedReadsStopTheAppendedWalk) {
  platform::ScopedFaults faults;
  package::InstallerFile file;
  ASSERT_TRUE(file.OpenOwnModule());
  package::AppendedPackageReader trailerUnread(file);
  platform::InjectFault("ReadFile", ERROR_READ_FAULT, 0, 1);
  EXPECT_FALSE(trailerUnread.Open());
  EXPECT_EQ(trailerUnread.Error(), package::WalkError::ReadFailed);

  // The headers (for a signature), the trailer and the header length read; the entry header does not.
  package::AppendedPackageReader entryUnread(file);
  platform::InjectFault("ReadFile", ERROR_READ_FAULT, 3, 1);
  ASSERT_TRUE(entryUnread.Open());
  package::FileEntry entry;
  EXPECT_FALSE(entryUnread.Next(entry));
  EXPECT_EQ(entryUnread.Error(), package::WalkError::ReadFailed);
}

}  // namespace
