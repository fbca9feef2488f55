#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "components/uninstaller/installed_record.h"
#include "components/uninstaller/messages.h"
#include "components/uninstaller/pending_run.h"
#include "components/uninstaller/uninstall.h"
#include "platform/fault_injection.h"
#include "platform/registry.h"
#include "platform/services.h"
#include "tests/unit/system/simulated_installation.h"
#include "tests/unit/system/system_test_support.h"

namespace {

using namespace uninstaller;
using test::SimulatedInstallation;

const std::wstring kProductKey = L"SOFTWARE\\Demo80";
const std::wstring kEntryKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Demo80";
const std::wstring kRunOnceKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

std::wstring TestProgram() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

std::wstring PendingCopy() {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + L"DastroUninstaller.exe";
}

std::optional<std::wstring> PendingValue() {
  const auto value = test::ReadValue(kRunOnceKey, 0, L"DastroUninstaller");
  if (!value) return std::nullopt;
  return value->text;
}

std::vector<ItemKind> KindsOf(const RemovalReport& report) {
  std::vector<ItemKind> kinds;
  for (const NotRemoved& item : report.notRemoved) kinds.push_back(item.kind);
  return kinds;
}

class UninstallerTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_installation.Install()); }
  void TearDown() override { DeleteFileW(PendingCopy().c_str()); }

  InstalledRecord Record() {
    InstalledRecord record;
    EXPECT_EQ(ReadInstalledRecord(m_installation.Folder(), record), RecordState::kFound);
    return record;
  }

  void ExpectRecordKept() {
    EXPECT_TRUE(test::KeyExists(kProductKey, KEY_WOW64_64KEY));
    EXPECT_TRUE(test::KeyExists(kEntryKey, 0));
    EXPECT_TRUE(test::Exists(m_installation.InFolder(L"Uninstall.ini")));
    EXPECT_TRUE(test::Exists(m_installation.InFolder(L"Uninstaller.exe")));
    EXPECT_TRUE(test::Exists(m_installation.Registration().ShortcutPath));
  }

  SimulatedInstallation m_installation;
  platform::ScopedFaults m_faults;
};

TEST_F(UninstallerTest, RecordIsMissingWithoutProfileOrProductKey) {
  InstalledRecord record;
  EXPECT_EQ(ReadInstalledRecord(L"C:\\Nowhere", record), RecordState::kNoProfile);
  test::DeleteKey(kProductKey, KEY_WOW64_64KEY);
  EXPECT_EQ(ReadInstalledRecord(m_installation.Folder(), record), RecordState::kNoProductKey);
}

TEST_F(UninstallerTest, RemovesEverythingTheRecordNames) {
  ASSERT_TRUE(SimulatedInstallation::CreatePrinter(L"Demo80 (1)", test::kDemoPort, test::kDemoDriver));
  // Where the driver's files were placed, and where the spooler keeps them.
  const std::vector<std::wstring> driverFiles = {
      SimulatedInstallation::DriverFile(L"Demo80Drv.dll"), SimulatedInstallation::DriverFile(L"Demo80UI.dll"),
      SimulatedInstallation::DriverFile(L"3\\Demo80Drv.dll"), SimulatedInstallation::DriverFile(L"3\\Demo80GPC.pcd")};
  for (const std::wstring& file : driverFiles) ASSERT_TRUE(test::Exists(file)) << file;
  const int keysBefore = platform::registry::OpenKeyCount();
  const int servicesBefore = platform::services::OpenHandleCount();

  const RemovalReport report = RemoveInstallation(Record(), TestProgram());
  EXPECT_TRUE(report.AllRemoved());
  EXPECT_TRUE(report.afterRestart.empty());

  EXPECT_FALSE(SimulatedInstallation::PrinterExists(L"Demo80"));
  EXPECT_FALSE(SimulatedInstallation::PrinterExists(L"Demo80 (1)"));
  EXPECT_FALSE(SimulatedInstallation::PortExists(test::kDemoPort));
  EXPECT_FALSE(SimulatedInstallation::DriverExists(test::kDemoDriver));
  for (const std::wstring& file : driverFiles) EXPECT_FALSE(test::Exists(file)) << file;
  EXPECT_FALSE(test::ServiceState(test::kDemoService).has_value());
  EXPECT_FALSE(test::Exists(m_installation.Registration().ShortcutPath));
  EXPECT_FALSE(test::Exists(m_installation.Registration().StartMenuFolder));
  EXPECT_FALSE(test::Exists(m_installation.Folder()));
  EXPECT_TRUE(test::Exists(L"C:\\Program Files\\Demo"));  // the chosen folder is not the installation's
  EXPECT_FALSE(test::KeyExists(kProductKey, KEY_WOW64_64KEY));
  EXPECT_FALSE(test::KeyExists(kEntryKey, 0));
  EXPECT_FALSE(PendingValue().has_value());
  EXPECT_EQ(platform::registry::OpenKeyCount(), keysBefore);
  EXPECT_EQ(platform::services::OpenHandleCount(), servicesBefore);
}

TEST_F(UninstallerTest, PortsAndPrintersNotOfTheInstallationStay) {
  ASSERT_TRUE(SimulatedInstallation::CreateDriver(L"Office Driver"));
  ASSERT_TRUE(SimulatedInstallation::CreatePrinter(L"Office", test::kDemoPort, L"Office Driver"));
  RemovalReport report = RemoveInstallation(Record(), TestProgram());
  EXPECT_TRUE(report.AllRemoved());
  EXPECT_FALSE(SimulatedInstallation::PrinterExists(L"Demo80"));
  EXPECT_TRUE(SimulatedInstallation::PrinterExists(L"Office"));
  EXPECT_TRUE(SimulatedInstallation::PortExists(test::kDemoPort));  // Office still prints there
  EXPECT_TRUE(SimulatedInstallation::DriverExists(L"Office Driver"));
}

TEST_F(UninstallerTest, PortTheInstallationOnlyChoseStays) {
  InstalledRecord record = Record();
  record.PortName = L"LPT1:";
  EXPECT_TRUE(RemoveInstallation(record, TestProgram()).AllRemoved());
  EXPECT_TRUE(SimulatedInstallation::PortExists(L"LPT1:"));
}

TEST_F(UninstallerTest, ServiceThatCannotBeDeletedKeepsTheRecordForAnotherRun) {
  platform::InjectFault("DeleteService", ERROR_ACCESS_DENIED, 0, 1);
  const RemovalReport first = RemoveInstallation(Record(), TestProgram());
  EXPECT_EQ(KindsOf(first), std::vector<ItemKind>{ItemKind::kService});
  EXPECT_EQ(first.notRemoved.front().error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(SimulatedInstallation::PrinterExists(L"Demo80"));
  ExpectRecordKept();

  EXPECT_TRUE(RemoveInstallation(Record(), TestProgram()).AllRemoved());
  EXPECT_FALSE(test::ServiceState(test::kDemoService).has_value());
  EXPECT_FALSE(test::Exists(m_installation.Folder()));
}

TEST_F(UninstallerTest, PrinterThatCannotBeDeletedIsReportedByName) {
  platform::InjectFault("DeletePrinter", ERROR_ACCESS_DENIED, 0, 1);
  const RemovalReport report = RemoveInstallation(Record(), TestProgram());
  ASSERT_FALSE(report.AllRemoved());
  EXPECT_EQ(report.notRemoved.front().kind, ItemKind::kPrinter);
  EXPECT_EQ(report.notRemoved.front().name, L"Demo80");
  ExpectRecordKept();
}

TEST_F(UninstallerTest, FilesThePackageDidNotWriteKeepTheFolderAndAreReported) {
  test::MakeFile(m_installation.InFolder(L"my notes.txt"), "the user's own");
  const std::wstring running = m_installation.InFolder(L"Uninstaller.exe");
  const RemovalReport report = RemoveInstallation(Record(), running);
  EXPECT_EQ(KindsOf(report), std::vector<ItemKind>{ItemKind::kFolder});
  EXPECT_EQ(report.afterRestart, std::vector<std::wstring>{running});
  EXPECT_EQ(test::FolderNames(m_installation.Folder()),
            (std::vector<std::wstring>{L"Uninstaller.exe", L"my notes.txt"}));
  EXPECT_FALSE(test::KeyExists(kProductKey, KEY_WOW64_64KEY));
}

TEST_F(UninstallerTest, RunningUninstallerIsLeftToTheRunAfterRestart) {
  const std::wstring running = m_installation.InFolder(L"Uninstaller.exe");
  const RemovalReport report = RemoveInstallation(Record(), running);
  EXPECT_TRUE(report.AllRemoved());
  EXPECT_EQ(report.afterRestart, (std::vector<std::wstring>{running, m_installation.Folder()}));
  EXPECT_EQ(test::FolderNames(m_installation.Folder()), std::vector<std::wstring>{L"Uninstaller.exe"});
  EXPECT_EQ(PendingValue(), PendingCommand(PendingCopy(), {m_installation.Folder()}));
  EXPECT_TRUE(test::Exists(PendingCopy()));

  FinishAfterRestart(m_installation.Folder());
  EXPECT_FALSE(test::Exists(m_installation.Folder()));
}

TEST_F(UninstallerTest, UnschedulableRunAfterRestartIsReported) {
  platform::InjectFault("CopyFileW", ERROR_DISK_FULL);
  const std::wstring running = m_installation.InFolder(L"Uninstaller.exe");
  const RemovalReport report = RemoveInstallation(Record(), running);
  EXPECT_EQ(KindsOf(report), (std::vector<ItemKind>{ItemKind::kFile, ItemKind::kFile}));
  EXPECT_EQ(report.notRemoved.front().name, running);
  EXPECT_EQ(report.notRemoved.front().error, static_cast<DWORD>(ERROR_DISK_FULL));
  EXPECT_FALSE(PendingValue().has_value());
}

TEST_F(UninstallerTest, PendingRunsGatherTheirFoldersAndReplaceForeignValues) {
  const std::wstring program = TestProgram();
  ASSERT_TRUE(SchedulePendingRun(program, L"C:\\First"));
  ASSERT_TRUE(SchedulePendingRun(program, L"C:\\Second"));
  ASSERT_TRUE(SchedulePendingRun(program, L"C:\\Second"));
  EXPECT_EQ(PendingValue(), PendingCommand(PendingCopy(), {L"C:\\First", L"C:\\Second"}));

  test::SetRunOnceValue(L"DastroUninstaller", L"C:\\elsewhere\\other.exe");
  ASSERT_TRUE(SchedulePendingRun(program, L"C:\\Third"));
  EXPECT_EQ(PendingValue(), L"\"" + PendingCopy() + L"\" /pending \"C:\\Third\"");
}

TEST_F(UninstallerTest, PendingRunRefusesACommandWindowsWouldNotRun) {
  const std::wstring longFolder = L"C:\\" + std::wstring(250, L'x');
  EXPECT_FALSE(SchedulePendingRun(TestProgram(), longFolder));
  EXPECT_FALSE(PendingValue().has_value());
}

TEST_F(UninstallerTest, PendingRunLeavesAFolderWhereANewInstallationRegistered) {
  FinishAfterRestart(m_installation.Folder());
  EXPECT_TRUE(test::Exists(m_installation.InFolder(L"Uninstaller.exe")));
  EXPECT_TRUE(test::Exists(m_installation.InFolder(L"MerrowPrinterService.exe")));
}

TEST(UninstallerCommandLine, SwitchesInAnyCaseAndFolders) {
  const CommandLine quiet = ParseCommandLine({L"/QUIET", L"C:\\Program Files\\Demo\\Demo80"});
  EXPECT_TRUE(quiet.quiet);
  EXPECT_FALSE(quiet.pending);
  EXPECT_EQ(quiet.folders, std::vector<std::wstring>{L"C:\\Program Files\\Demo\\Demo80"});
  const CommandLine pending = ParseCommandLine({L"/pending", L"C:\\A", L"C:\\B"});
  EXPECT_TRUE(pending.pending);
  EXPECT_FALSE(pending.quiet);
  EXPECT_EQ(pending.folders, (std::vector<std::wstring>{L"C:\\A", L"C:\\B"}));
}

TEST(UninstallerMessages, ResultListsWhatStayedInTheRecordedLanguage) {
  InstalledRecord record;
  record.PrinterName = L"Demo80";
  RemovalReport report;
  report.Fail(ItemKind::kPrinter, L"Demo80", 5);
  report.Fail(ItemKind::kRegistryKey, L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Demo80", 1018);
  EXPECT_EQ(ResultText(record, report),
            L"These could not be removed:\nPrinter: Demo80 (error 5)\n"
            L"Registry key: HKEY_LOCAL_MACHINE\\SOFTWARE\\Demo80 (error 1018)\n\n"
            L"Close what is using them and run the uninstaller again.");
  record.Language = L"Chinese";
  EXPECT_EQ(ResultText(record, report).rfind(L"以下项目无法删除：\n打印机: Demo80 (错误 5)\n", 0), 0u);
  EXPECT_EQ(CaptionText(record), L"卸载 Demo80");
}

}  // namespace
