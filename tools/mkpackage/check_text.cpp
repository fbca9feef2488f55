#include "tools/mkpackage/check_text.h"

namespace mkpackage {

std::vector<NumberedLine> Utf16Lines(std::span<const uint8_t> bytes) {
  std::vector<NumberedLine> lines;
  texts::Utf16Reader reader(bytes);
  reader.SkipByteOrderMarkIfPresent();
  // Room for the whole file, so no line is cut here; the installer's own cuts are its parsers'.
  texts::Utf16String buffer(bytes.size() / 2 + 1, 0);
  while (const std::optional<texts::LineRead> read = reader.ReadLine(buffer.data(), buffer.size())) {
    texts::Utf16View line(buffer.data(), read->length);
    if (line.ends_with(texts::Utf16Unit('\n'))) line.remove_suffix(1);
    if (line.ends_with(texts::Utf16Unit('\r'))) line.remove_suffix(1);
    lines.push_back({static_cast<int>(lines.size()) + 1, texts::Utf16String(line)});
  }
  return lines;
}

bool StartsWithUtf16ByteOrderMark(std::span<const uint8_t> bytes) {
  return bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
}

namespace {

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | code >> 18);
    out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit < 0xDC00; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit < 0xE000; }

}  // namespace

// Control characters show as '?', so that a finding stays one line; a lone surrogate as U+FFFD.
std::string ToUtf8(texts::Utf16View text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t code = static_cast<char16_t>(text[i]);
    if (IsHighSurrogate(code) && i + 1 < text.size() && IsLowSurrogate(static_cast<char16_t>(text[i + 1]))) {
      code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<char16_t>(text[++i]) - 0xDC00);
    } else if (IsHighSurrogate(code) || IsLowSurrogate(code)) {
      code = 0xFFFD;
    } else if (code < 0x20) {
      code = '?';
    }
    AppendUtf8(out, code);
  }
  return out;
}

std::string Quote(texts::Utf16View text) { return "\"" + ToUtf8(text) + "\""; }

texts::Utf16View WithoutLeadingSpaces(texts::Utf16View text) {
  const size_t first = text.find_first_not_of(texts::Utf16Unit(' '));
  return first == texts::Utf16View::npos ? text : text.substr(first);
}

}  // namespace mkpackage
