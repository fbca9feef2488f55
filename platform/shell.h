// Shell folders.
#pragma once

#include <string>

namespace platform::shell {

// The folder of a CSIDL (such as CSIDL_PERSONAL) as UTF-16; false when it cannot be found.
bool GetSpecialFolderPathW(int csidl, std::wstring& path);
// The same as 8-bit text in the ANSI code page, at most 255 bytes.
bool GetSpecialFolderPathA(int csidl, std::string& path);

}  // namespace platform::shell
