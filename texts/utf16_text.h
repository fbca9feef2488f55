// UTF-16 text in fixed buffers and UTF-16LE line reading over a file's bytes, shared by the
// wizard text file and model catalogue parsers. Portable: the installer and the fuzz targets
// run the same code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace texts {

// One UTF-16 code unit: the installer's wide character on Windows, where wchar_t has 16 bits.
#if defined(_WIN32)
using Utf16Unit = wchar_t;
#else
using Utf16Unit = char16_t;
#endif
static_assert(sizeof(Utf16Unit) == 2);
using Utf16View = std::basic_string_view<Utf16Unit>;
using Utf16String = std::basic_string<Utf16Unit>;

// An ASCII literal as UTF-16 units, for code that builds with either unit type.
template <size_t Size>
struct AsciiText {
  Utf16Unit units[Size - 1] = {};
  constexpr AsciiText(const char (&text)[Size]) {
    for (size_t i = 0; i + 1 < Size; ++i) units[i] = static_cast<Utf16Unit>(text[i]);
  }
  constexpr Utf16View View() const { return {units, Size - 1}; }
};

// Copies as much of `text` as fits in capacity - 1 units and terminates.
void CopyBounded(Utf16Unit* field, size_t capacity, Utf16View text);
// Appends as much of `text` as fits behind the field's text and terminates; a field without a
// terminator in its first capacity - 1 units counts as full.
void AppendBounded(Utf16Unit* field, size_t capacity, Utf16View text);

template <size_t Capacity>
void CopyBounded(Utf16Unit (&field)[Capacity], Utf16View text) {
  CopyBounded(field, Capacity, text);
}
template <size_t Capacity>
void AppendBounded(Utf16Unit (&field)[Capacity], Utf16View text) {
  AppendBounded(field, Capacity, text);
}

struct LineRead {
  size_t length;  // units stored, without the terminator
  bool cut;       // the line did not fit; the rest of it was read and dropped
};

// Reads a file's bytes as UTF-16LE units; an odd final byte is no unit.
class Utf16Reader {
 public:
  explicit Utf16Reader(std::span<const uint8_t> bytes) : m_bytes(bytes) {}

  // Drops the two bytes where a byte-order mark stands, whatever they hold.
  void SkipByteOrderMark();
  // Drops FF FE at the current position only; other bytes stay to be read.
  void SkipByteOrderMarkIfPresent();
  // Reads units up to and including the next LF, as fgetws does without translation: at most
  // capacity - 1 units are stored, then the terminator. The rest of a longer line is consumed,
  // so it never comes back as a line of its own. Nothing at the end of the bytes.
  std::optional<LineRead> ReadLine(Utf16Unit* line, size_t capacity);

 private:
  // Units from the current position up to and including the next LF, or to the last whole unit.
  size_t UnitsToLineEnd() const;

  std::span<const uint8_t> m_bytes;
  size_t m_offset = 0;
};

}  // namespace texts
