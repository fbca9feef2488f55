// The uninstaller and the printer service in the installer's own bitness: a Windows without
// 32-bit support cannot run the 32-bit builds, so the 64-bit installer puts the ".x64" builds
// in their place.
#pragma once

#include <string>

#include "platform/target_windows.h"

namespace sys {

// For a 64-bit installer: moves "Uninstaller.exe.x64" and "MerrowPrinterService.exe.x64" of the
// install folder over "Uninstaller.exe" and "MerrowPrinterService.exe"; a missing ".x64" build
// leaves the plain one. Returns false when a move failed. A 32-bit installer (on either Windows)
// leaves the ".x64" files as it leaves every other one and returns true.
bool PlaceNativePrograms(const std::wstring& installFolder, const platform::TargetWindows& target);

}  // namespace sys
