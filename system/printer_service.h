// The printer service: created once with the service manager, so that it starts with Windows,
// and started once right away.
#pragma once

#include <string>
#include <string_view>

namespace sys {

inline constexpr wchar_t kServiceDescription[] = L"Quellon Printer Monitor";

// "\"<install folder>\\MerrowPrinterService.exe\"". Quoted, so that a folder with spaces
// (C:\Program Files\...) cannot make the manager start C:\Program.exe as LocalSystem.
std::wstring ServiceBinaryPath(std::wstring_view installFolder);

// Silent. Without the service manager nothing happens; an existing service of that name keeps
// its configuration and is not started.
void InstallPrinterService(const wchar_t* installFolder);

}  // namespace sys
