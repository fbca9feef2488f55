#include "components/portmon/text.h"

#include <cstring>

namespace portmon {

std::wstring LowerAscii(std::wstring_view text) {
  std::wstring lowered(text);
  for (wchar_t& c : lowered) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return lowered;
}

bool EqualsIgnoringAsciiCase(std::wstring_view left, std::wstring_view right) {
  return LowerAscii(left) == LowerAscii(right);
}

std::wstring TextFromBytes(const BYTE* bytes, DWORD size) {
  if (!bytes) return {};
  std::wstring text(size / sizeof(wchar_t), L'\0');
  std::memcpy(text.data(), bytes, text.size() * sizeof(wchar_t));
  return text.substr(0, text.find(L'\0'));
}

DWORD CopyTextOut(const std::wstring& text, BYTE* buffer, DWORD size, DWORD* needed) {
  const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  if (needed) *needed = bytes;
  if (!buffer || size < bytes) return ERROR_INSUFFICIENT_BUFFER;
  std::memcpy(buffer, text.c_str(), bytes);
  return ERROR_SUCCESS;
}

}  // namespace portmon
