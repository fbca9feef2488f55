// The port monitor pair put into the system directory under the printer's name and registered
// with the spooler for the running Windows; and the one platform question: WOW64 or not.
#pragma once

#include <optional>
#include <string>

namespace spooler {

inline constexpr wchar_t kEnvironmentX86[] = L"Windows NT x86";
inline constexpr wchar_t kEnvironmentX64[] = L"Windows x64";

// Nonzero when this 32-bit process runs on 64-bit Windows, and always in the 64-bit build: it
// selects the 64-bit variant (".x64" files, "Windows x64").
int IsWow64();

// Copies "Tillvane.dll" and "TillvaneUI.dll" (their ".x64" builds on 64-bit Windows, with
// file-system redirection off) from the install folder to "<printer>Mon.dll" and
// "<printer>MonUI.dll" in the system directory, deleting each source. Copy failures are ignored.
// Returns the full path of the placed monitor DLL, as the registration names it; nothing (logged,
// nothing copied) when the system directory cannot be read, for then no place is right.
std::optional<std::wstring> PlaceMonitorFiles(const std::string& installFolder, const std::string& printerName,
                                              bool is64Bit);

// Register the monitor `monitorName` for "Windows NT x86" / "Windows x64".
// 1 when it is registered afterwards (also when it was before: error 3006), else 0.
int AddPortMonitorX86(const std::wstring& monitorDllPath, const wchar_t* monitorName);
int AddPortMonitorX64(const std::wstring& monitorDllPath, const wchar_t* monitorName);

}  // namespace spooler
