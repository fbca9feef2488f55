// UTF-16 text in fixed buffers and UTF-16LE line reading, shared by the wizard text file and
// model catalogue readers.
#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string_view>

namespace app {

// Copies as much of `text` as fits in capacity - 1 units and terminates.
void CopyBounded(wchar_t* field, size_t capacity, std::wstring_view text);
// Appends as much of `text` as fits behind the field's text and terminates.
void AppendBounded(wchar_t* field, size_t capacity, std::wstring_view text);

template <size_t Capacity>
void CopyBounded(wchar_t (&field)[Capacity], std::wstring_view text) {
  CopyBounded(field, Capacity, text);
}
template <size_t Capacity>
void AppendBounded(wchar_t (&field)[Capacity], std::wstring_view text) {
  AppendBounded(field, Capacity, text);
}

// Drops the two bytes where a byte-order mark stands, whatever they hold.
void SkipByteOrderMark(FILE* file);

struct LineRead {
  size_t length;  // units stored, without the terminator
  bool cut;       // the line did not fit; the rest of it was read and dropped
};

// Reads UTF-16LE units from a binary stream up to and including the next LF, as fgetws does
// without translation: at most capacity - 1 units are stored, then the terminator. The rest
// of a longer line is consumed, so it never comes back as a line of its own.
// Nothing at end of file.
std::optional<LineRead> ReadUtf16Line(FILE* file, wchar_t* line, size_t capacity);

}  // namespace app
