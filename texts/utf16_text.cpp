#include "texts/utf16_text.h"

#include <algorithm>

namespace texts {

void CopyBounded(Utf16Unit* field, size_t capacity, Utf16View text) {
  if (capacity == 0) return;
  field[0] = 0;
  AppendBounded(field, capacity, text);
}

void AppendBounded(Utf16Unit* field, size_t capacity, Utf16View text) {
  if (capacity == 0) return;
  const size_t length = std::find(field, field + capacity - 1, Utf16Unit(0)) - field;
  const size_t count = std::min(text.size(), capacity - 1 - length);
  std::copy_n(text.data(), count, field + length);
  field[length + count] = 0;
}

void Utf16Reader::SkipByteOrderMark() { m_offset += std::min<size_t>(2, m_bytes.size() - m_offset); }

void Utf16Reader::SkipByteOrderMarkIfPresent() {
  const std::span<const uint8_t> rest = m_bytes.subspan(m_offset);
  if (rest.size() >= 2 && rest[0] == 0xFF && rest[1] == 0xFE) m_offset += 2;
}

bool Utf16Reader::ReadUnit(Utf16Unit& unit) {
  if (m_bytes.size() - m_offset < 2) return false;
  unit = static_cast<Utf16Unit>(m_bytes[m_offset] | m_bytes[m_offset + 1] << 8);
  m_offset += 2;
  return true;
}

std::optional<LineRead> Utf16Reader::ReadLine(Utf16Unit* line, size_t capacity) {
  LineRead read{0, false};
  bool anyUnit = false;
  Utf16Unit unit = 0;
  while (ReadUnit(unit)) {
    anyUnit = true;
    if (read.length + 1 < capacity) {
      line[read.length++] = unit;
    } else {
      read.cut = true;
    }
    if (unit == '\n') break;
  }
  if (capacity > 0) line[read.length] = 0;
  if (!anyUnit) return std::nullopt;
  return read;
}

}  // namespace texts
