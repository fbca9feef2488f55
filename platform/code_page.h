// Conversions between UTF-16 and the system ANSI code page (CP_ACP).
#pragma once

#include <string>
#include <string_view>

namespace platform {

// False (and an empty result) when the conversion fails.
bool WideToAnsi(std::wstring_view text, std::string& ansi);
bool AnsiToWide(std::string_view text, std::wstring& wide);

}  // namespace platform
