// One removal of an installation, using only what the installation recorded.
#pragma once

#include <string>
#include <vector>

#include "components/uninstaller/installed_record.h"
#include "components/uninstaller/removal_report.h"

namespace uninstaller {

// The codes Windows Installer uses, which deployment tools read.
enum ExitCode : int {
  kExitRemoved = 0,               // all gone, but the uninstaller itself and its folder may wait for a restart
  kExitRestartNeeded = 3010,      // something else waits for the run after the next restart
  kExitCancelled = 1602,          // the user answered No
  kExitNotAllRemoved = 1603,      // the report lists what stayed
  kExitNothingRecorded = 1603,    // no Uninstall.ini or product key for the folder
  kExitAnotherInstallation = 1618,
};

// 0, or 3010 when anything but the uninstaller's own file and the install folder waits.
ExitCode ExitCodeOfRemoval(const RemovalReport& report, const std::wstring& ownProgram,
                           const std::wstring& installFolder);

// Printers, own port, driver and service first. If any of them stays, so does the record
// (registry entries, Uninstall.ini, the uninstaller and its shortcut), so that the removal can
// be run again. Otherwise the Start-menu entries, the install folder's files and the registry
// record go, and whatever is in use is left to a pending run.
RemovalReport RemoveInstallation(const InstalledRecord& record, const std::wstring& ownProgram);

struct CommandLine {
  bool quiet = false;    // "/quiet": no question, no message
  bool pending = false;  // "/pending": the run after a restart
  std::vector<std::wstring> folders;
};

// Switches in any letter case; every other argument is a folder.
CommandLine ParseCommandLine(const std::vector<std::wstring>& arguments);

}  // namespace uninstaller
