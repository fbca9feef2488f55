// The Start-menu shortcut that launches the uninstaller.
#pragma once

#include <string>
#include <string_view>

namespace sys {

// The target up to, not including, its last backslash (at most 255 characters); empty when
// the target has none.
std::wstring WorkingDirectoryOf(std::wstring_view target);

// Saves a shell link at `linkPath` to `target`, starting in the target's folder. Silent. Does
// nothing when COM was already initialised on the calling thread.
void CreateUninstallShortcut(const wchar_t* target, const wchar_t* linkPath);

}  // namespace sys
