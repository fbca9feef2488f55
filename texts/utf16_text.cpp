#include "texts/utf16_text.h"

#include <algorithm>
#include <cstring>

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

size_t Utf16Reader::UnitsToLineEnd() const {
  const uint8_t* const begin = m_bytes.data() + m_offset;
  const size_t units = (m_bytes.size() - m_offset) / 2;
  const uint8_t* const end = begin + 2 * units;
  // memchr finds the candidate LF bytes; only one at a unit's low byte with a zero high byte ends the line.
  for (const uint8_t* at = begin; at < end;) {
    const auto* lf = static_cast<const uint8_t*>(std::memchr(at, '\n', static_cast<size_t>(end - at)));
    if (lf == nullptr) break;
    const size_t offset = static_cast<size_t>(lf - begin);
    if (offset % 2 == 0 && lf[1] == 0) return offset / 2 + 1;
    at = lf + 1;
  }
  return units;
}

std::optional<LineRead> Utf16Reader::ReadLine(Utf16Unit* line, size_t capacity) {
  const size_t units = UnitsToLineEnd();
  if (units == 0) return std::nullopt;
  const size_t stored = capacity == 0 ? 0 : std::min(units, capacity - 1);
  const uint8_t* const bytes = m_bytes.data() + m_offset;
  for (size_t i = 0; i < stored; ++i) line[i] = static_cast<Utf16Unit>(bytes[2 * i] | bytes[2 * i + 1] << 8);
  if (capacity > 0) line[stored] = 0;
  m_offset += 2 * units;
  return LineRead{stored, stored < units};
}

}  // namespace texts
