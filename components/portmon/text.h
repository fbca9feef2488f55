// Small text helpers shared by the monitor and its user-interface DLL.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace portmon {

// ASCII letters lowered; device paths and USB ids are ASCII, so no locale is involved.
std::wstring LowerAscii(std::wstring_view text);

bool EqualsIgnoringAsciiCase(std::wstring_view left, std::wstring_view right);

// UTF-16 text from a byte buffer of `size` bytes, ending at the first NUL or at the buffer's end.
std::wstring TextFromBytes(const BYTE* bytes, DWORD size);

// Copies text with its NUL into a caller's buffer; ERROR_INSUFFICIENT_BUFFER when it does not fit.
DWORD CopyTextOut(const std::wstring& text, BYTE* buffer, DWORD size, DWORD* needed);

}  // namespace portmon
