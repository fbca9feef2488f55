// The port monitor pair put into the system directory under the printer's name and registered
// with the spooler for the target Windows.
#pragma once

#include <optional>
#include <string>

#include "platform/target_windows.h"

namespace spooler {

// Copies "Tillvane.dll" and "TillvaneUI.dll" (in the target's builds, with file-system
// redirection off where it applies) from the install folder to "<printer>Mon.dll" and
// "<printer>MonUI.dll" in the system directory, deleting each source. Copy failures are ignored.
// Returns the full path of the placed monitor DLL, as the registration names it; nothing (logged,
// nothing copied) when the system directory cannot be read, for then no place is right.
std::optional<std::wstring> PlaceMonitorFiles(const std::string& installFolder, const std::string& printerName,
                                              const platform::TargetWindows& target);

// Registers the monitor `monitorName` for the target's environment. 1 when it is registered
// afterwards (also when it was before: error 3006), else 0. A failure is logged; on 64-bit
// Windows so is a monitor that was there already.
int AddPortMonitor(const std::wstring& monitorDllPath, const wchar_t* monitorName,
                   const platform::TargetWindows& target);

}  // namespace spooler
