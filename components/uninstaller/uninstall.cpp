#include "components/uninstaller/uninstall.h"

#include <windows.h>

#include "components/uninstaller/pending_run.h"
#include "components/uninstaller/spooler_removal.h"
#include "components/uninstaller/system_removal.h"
#include "system/install_record.h"

namespace uninstaller {
namespace {

constexpr wchar_t kQuietSwitch[] = L"/quiet";

// Without the pending run, what is in use cannot be removed at all.
void ReportUnscheduled(RemovalReport& report) {
  const DWORD error = ::GetLastError();
  for (std::wstring& path : report.afterRestart) report.Fail(ItemKind::kFile, std::move(path), error);
  report.afterRestart.clear();
}

}  // namespace

RemovalReport RemoveInstallation(const InstalledRecord& record, const std::wstring& ownProgram) {
  RemovalReport report;
  RemovePrinters(record.DriverName, report);
  RemoveOwnPort(record, report);
  RemoveDriver(record.DriverName, report);
  RemoveService(record.ServiceName, report);
  if (!report.AllRemoved()) return report;

  RemoveStartMenuEntries(record, report);
  RemoveFolderFiles(record.InstallFolder,
                    {sys::kServiceProgramName, sys::kUninstallIniName, sys::kUninstallerFileName},
                    ownProgram, report);
  RemoveRegistryRecord(record, report);
  if (!report.afterRestart.empty() && !SchedulePendingRun(ownProgram, record.InstallFolder)) {
    ReportUnscheduled(report);
  }
  return report;
}

ExitCode ExitCodeOfRemoval(const RemovalReport& report, const std::wstring& ownProgram,
                           const std::wstring& installFolder) {
  if (!report.AllRemoved()) return kExitNotAllRemoved;
  for (const std::wstring& path : report.afterRestart) {
    if (!sys::SameFileName(path, ownProgram) && !sys::SameFileName(path, installFolder)) {
      return kExitRestartNeeded;
    }
  }
  return kExitRemoved;
}

CommandLine ParseCommandLine(const std::vector<std::wstring>& arguments) {
  CommandLine commandLine;
  for (const std::wstring& argument : arguments) {
    if (sys::SameFileName(argument, kQuietSwitch)) {
      commandLine.quiet = true;
    } else if (sys::SameFileName(argument, kPendingSwitch)) {
      commandLine.pending = true;
    } else {
      commandLine.folders.push_back(argument);
    }
  }
  return commandLine;
}

}  // namespace uninstaller
