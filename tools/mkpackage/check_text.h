// What the checks of the package's text files share: the lines of a UTF-16 file with their
// numbers, UTF-8 for messages, and the finding helpers.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tools/mkpackage/package_check.h"

namespace mkpackage {

struct NumberedLine {
  int number;               // 1-based
  texts::Utf16String text;  // without its line end
};

// The file's lines after its byte-order mark, split at LF as the installer's readers split
// them, each without CR LF; a final line end starts no line.
std::vector<NumberedLine> Utf16Lines(std::span<const uint8_t> bytes);

bool StartsWithUtf16ByteOrderMark(std::span<const uint8_t> bytes);

std::string ToUtf8(texts::Utf16View text);
std::string Quote(texts::Utf16View text);

// Removes leading U+0020 as the catalogue reader does.
texts::Utf16View WithoutLeadingSpaces(texts::Utf16View text);

inline void AddError(Findings& findings, const std::string& file, int line, std::string what) {
  findings.push_back({file, line, Severity::Error, std::move(what)});
}
inline void AddWarning(Findings& findings, const std::string& file, int line, std::string what) {
  findings.push_back({file, line, Severity::Warning, std::move(what)});
}

}  // namespace mkpackage
