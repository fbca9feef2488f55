// Conversions between UTF-16 and the system ANSI code page (CP_ACP).
#pragma once

#include <string>
#include <string_view>

namespace platform {

// False (and an empty result) when the conversion fails.
bool WideToAnsi(std::wstring_view text, std::string& ansi);
bool AnsiToWide(std::string_view text, std::wstring& wide);
// False when a character has no exact form in the code page: a best-fit or default character
// would make the 8-bit text name something else.
bool WideToAnsiExactly(std::wstring_view text, std::string& ansi);

}  // namespace platform
