// The printer's characterization data: a binary device record followed by its paper forms,
// written by the installer for each model. Both driver DLLs take their forms and resolution
// from it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace plotter {

// Lengths are in thousandths of a millimetre, as stored.
struct Margins {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

struct Form {
  std::string name;  // 8-bit text in the system code page
  int32_t width = 0;
  int32_t height = 0;
  Margins margins;
};

struct Characterization {
  int32_t deviceWidth = 0;   // widest paper the device takes
  int32_t deviceHeight = 0;  // longest paper the device takes
  Margins deviceMargins;
  uint16_t dpiX = 0;
  uint16_t dpiY = 0;
  uint16_t maxCopies = 0;
  std::array<int32_t, 30> colorInfo{};  // the layout of the DDI's COLORINFO
  std::vector<Form> forms;
};

enum class ParseError {
  kNone,
  kTooShort,         // smaller than the fixed header
  kWrongIdentifier,  // not "Plot"
  kUnknownVersion,
  kBadHeaderSize,  // header size outside the file or below the fixed header
  kBadResolution,  // a zero resolution
  kBadFormTable,   // no forms, records too small, or the table runs past the end
  kBadForm,        // a form without a name or with a non-positive size
};

struct ParseResult {
  ParseError error = ParseError::kNone;
  Characterization data;  // meaningful only without an error

  bool ok() const { return error == ParseError::kNone; }
};

inline constexpr size_t kFixedHeaderSize = 256;
inline constexpr size_t kFormRecordSize = 56;
inline constexpr size_t kFormNameSize = 32;
inline constexpr uint32_t kLayoutVersion = 0x010A;

// Reads only inside `bytes`; any inconsistency ends the parse with an error.
ParseResult ParseCharacterization(std::span<const uint8_t> bytes);

}  // namespace plotter
