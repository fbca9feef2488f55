// Profile (INI) files.
#pragma once

#include <windows.h>

namespace platform::profile {

// As GetPrivateProfileStringW: copies at most capacity - 1 characters and the terminator.
DWORD GetPrivateProfileStringW(const wchar_t* section, const wchar_t* key, const wchar_t* fallback,
                               wchar_t* value, DWORD capacity, const wchar_t* path);

// As WritePrivateProfileStringW: creates the file and the section when they are missing.
BOOL WritePrivateProfileStringW(const wchar_t* section, const wchar_t* key, const wchar_t* value,
                                const wchar_t* path);

}  // namespace platform::profile
