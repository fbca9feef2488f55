// The entries directly inside one folder.
#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

namespace sys {

// Calls `visit` for each entry of the folder except "." and "..", listed with "<folder>\*.*".
// False when the listing cannot start (such as for a missing folder).
bool ForEachFolderEntry(std::wstring_view folder, const std::function<void(const WIN32_FIND_DATAW&)>& visit);

inline bool IsFolder(const WIN32_FIND_DATAW& entry) {
  return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace sys
