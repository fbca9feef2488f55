#include "app/utf16_text.h"

#include <algorithm>
#include <cwchar>

namespace app {
namespace {

// False at end of file; an odd final byte is no unit.
bool ReadUnit(FILE* file, wchar_t& unit) {
  const int low = std::getc(file);
  if (low == EOF) return false;
  const int high = std::getc(file);
  if (high == EOF) return false;
  unit = static_cast<wchar_t>(low | (high << 8));
  return true;
}

}  // namespace

void CopyBounded(wchar_t* field, size_t capacity, std::wstring_view text) {
  if (capacity == 0) return;
  field[0] = L'\0';
  AppendBounded(field, capacity, text);
}

void AppendBounded(wchar_t* field, size_t capacity, std::wstring_view text) {
  if (capacity == 0) return;
  const size_t length = wcsnlen(field, capacity - 1);
  const size_t count = std::min(text.size(), capacity - 1 - length);
  std::wmemcpy(field + length, text.data(), count);
  field[length + count] = L'\0';
}

void SkipByteOrderMark(FILE* file) {
  std::getc(file);
  std::getc(file);
}

std::optional<LineRead> ReadUtf16Line(FILE* file, wchar_t* line, size_t capacity) {
  LineRead read{0, false};
  bool anyUnit = false;
  wchar_t unit = 0;
  while (ReadUnit(file, unit)) {
    anyUnit = true;
    if (read.length + 1 < capacity) {
      line[read.length++] = unit;
    } else {
      read.cut = true;
    }
    if (unit == L'\n') break;
  }
  if (capacity > 0) line[read.length] = L'\0';
  if (!anyUnit) return std::nullopt;
  return read;
}

}  // namespace app
