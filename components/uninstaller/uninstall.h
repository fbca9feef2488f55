// One removal of an installation, using only what the installation recorded.
#pragma once

#include <string>
#include <vector>

#include "components/uninstaller/installed_record.h"
#include "components/uninstaller/removal_report.h"

namespace uninstaller {

enum ExitCode : int {
  kExitRemoved = 0,           // all gone, or the rest goes with the run after the next restart
  kExitNotAllRemoved = 1,     // the report lists what stayed
  kExitCancelled = 2,         // the user answered No
  kExitNothingRecorded = 3,   // no Uninstall.ini or product key for the folder
};

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
