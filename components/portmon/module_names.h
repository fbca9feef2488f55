// The monitor's own file name and the user-interface DLL placed beside it.
#pragma once

#include <string>
#include <string_view>

namespace portmon {

// "Demo80Mon.dll" -> "Demo80MonUI.dll", "Tillvane.dll.x64" -> "TillvaneUI.dll.x64".
std::wstring UiDllNameFor(std::wstring_view monitorFileName);

// The file name, without folder, of the module this code is linked into.
std::wstring OwnModuleFileName();

}  // namespace portmon
