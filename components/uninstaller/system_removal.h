// What an installation left outside the spooler: the printer service, the Start-menu entries,
// the install folder's files and the registry record.
#pragma once

#include <string>
#include <string_view>

#include "components/uninstaller/installed_record.h"
#include "components/uninstaller/removal_report.h"

namespace uninstaller {

// Stops the service, waits for its process to end (so that its program file can go) and
// deletes it. A service that does not exist is not an error.
void RemoveService(const std::wstring& serviceName, RemovalReport& report);

// The shortcut, then its Start-menu folder when that is empty.
void RemoveStartMenuEntries(const InstalledRecord& record, RemovalReport& report);

// Deletes the named files of the folder, then its empty subfolders and the folder itself. A
// file that is in use (such as the running uninstaller, `ownProgram`) and the folder holding it
// are left for the run after the next restart.
void RemoveFolderFiles(const std::wstring& folder, std::initializer_list<const wchar_t*> names,
                       const std::wstring& ownProgram, RemovalReport& report);

// The uninstall entry (the process's own registry view, as the installer wrote it) and the
// product key (64-bit view).
void RemoveRegistryRecord(const InstalledRecord& record, RemovalReport& report);

}  // namespace uninstaller
