// Where the installation records what it installed, so that the uninstaller can remove it with
// that record alone: the product key, "Uninstall.ini" and the uninstall entry.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sys {

inline constexpr size_t kRecordTextCapacity = 256;  // 255 characters and the terminator

// HKEY_LOCAL_MACHINE keys.
inline constexpr wchar_t kProductKeyPrefix[] = L"SOFTWARE\\";
inline constexpr wchar_t kUninstallKeyPrefix[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
inline constexpr wchar_t kRunOnceKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
// A pending run of the uninstaller, for what can only go after a restart.
inline constexpr wchar_t kPendingUninstallValue[] = L"DastroUninstaller";

// Values of the product key.
inline constexpr wchar_t kDataDirectoryValue[] = L"Data Directory";
inline constexpr wchar_t kProgramDirectoryValue[] = L"Program Directory";
inline constexpr wchar_t kLanguageValue[] = L"Language";
inline constexpr wchar_t kPrinterNameValue[] = L"PrinterName";
inline constexpr wchar_t kStartMenuDirValue[] = L"StartMenuDir";
inline constexpr wchar_t kUninstallerValue[] = L"Uninstaller";
inline constexpr wchar_t kPrinterDriverValue[] = L"PrinterDriver";
inline constexpr wchar_t kMonitorNameValue[] = L"MonitorName";
inline constexpr wchar_t kPortNameValue[] = L"PortName";

// The profile file in the install folder.
inline constexpr wchar_t kUninstallIniName[] = L"Uninstall.ini";
inline constexpr wchar_t kUninstallIniSection[] = L"Print Settings";
inline constexpr wchar_t kIniPrinterNameKey[] = L"PrinterName";
inline constexpr wchar_t kIniServiceNameKey[] = L"ServiceName";

// The two programs the package leaves in the install folder.
inline constexpr wchar_t kUninstallerFileName[] = L"Uninstaller.exe";
inline constexpr wchar_t kServiceProgramName[] = L"MerrowPrinterService.exe";
inline constexpr wchar_t kServiceName[] = L"Quellon Service";

// The text cut to kRecordTextCapacity - 1 characters, as the record's buffers hold it.
std::wstring FitRecordText(std::wstring text);
// "SOFTWARE\<configured printer name>", cut to the record's capacity.
std::wstring ProductKeyPath(std::wstring_view configuredPrinterName);
// "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\<printer name>", cut likewise.
std::wstring UninstallEntryPath(std::wstring_view printerName);
// "<folder>\<name>", cut likewise: the form of the recorded values.
std::wstring PathInFolder(std::wstring_view folder, std::wstring_view name);
// "<folder>\<name>" uncut: a cut path could name another file.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);

// File names compared as Windows compares them: without regard to letter case.
bool SameFileName(std::wstring_view first, std::wstring_view second);

}  // namespace sys
