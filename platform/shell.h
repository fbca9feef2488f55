// Shell folders.
#pragma once

#include <windows.h>

#include <string>

namespace platform::shell {

// The folder of a CSIDL (such as CSIDL_PERSONAL) as UTF-16; false when it cannot be found.
bool GetSpecialFolderPathW(int csidl, std::wstring& path);
// The same as 8-bit text in the ANSI code page, at most 255 bytes.
bool GetSpecialFolderPathA(int csidl, std::string& path);

// `text` with its environment variables (such as %ProgramFiles%) expanded; empty when the
// result would not fit `capacity` characters with its terminator.
std::wstring ExpandEnvironmentStringsW(const wchar_t* text, size_t capacity);

// The folder browser (SHBrowseForFolderW, file-system folders only); false when the user
// cancels or the choice has no path.
bool BrowseForFolder(HWND owner, const wchar_t* title, std::wstring& path);

}  // namespace platform::shell
