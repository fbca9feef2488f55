#include "components/driver/common/characterization.h"

#include <cstring>

namespace plotter {
namespace {

// Offsets inside the fixed header.
constexpr size_t kIdentifierOffset = 0;
constexpr size_t kVersionOffset = 4;
constexpr size_t kHeaderSizeOffset = 8;
constexpr size_t kDeviceSizeOffset = 44;
constexpr size_t kDeviceMarginsOffset = 52;
constexpr size_t kRasterDpiOffset = 80;
constexpr size_t kMaxCopiesOffset = 90;
constexpr size_t kColorInfoOffset = 104;
constexpr size_t kFormTableOffset = 240;

// Offsets inside a form record.
constexpr size_t kFormWidthOffset = 32;
constexpr size_t kFormMarginsOffset = 40;

// Little-endian reads; callers have checked the bounds.
uint16_t U16(std::span<const uint8_t> bytes, size_t at) {
  return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

uint32_t U32(std::span<const uint8_t> bytes, size_t at) {
  return static_cast<uint32_t>(U16(bytes, at)) | static_cast<uint32_t>(U16(bytes, at + 2)) << 16;
}

int32_t I32(std::span<const uint8_t> bytes, size_t at) { return static_cast<int32_t>(U32(bytes, at)); }

Margins ReadMargins(std::span<const uint8_t> bytes, size_t at) {
  return {I32(bytes, at), I32(bytes, at + 4), I32(bytes, at + 8), I32(bytes, at + 12)};
}

// A fixed-size name field: the text up to its first NUL, or all of it.
std::string ReadName(std::span<const uint8_t> field) {
  const auto* text = reinterpret_cast<const char*>(field.data());
  const void* nul = std::memchr(text, 0, field.size());
  const size_t length = nul ? static_cast<size_t>(static_cast<const char*>(nul) - text) : field.size();
  return std::string(text, length);
}

ParseError ReadHeader(std::span<const uint8_t> bytes, Characterization& out) {
  if (bytes.size() < kFixedHeaderSize) return ParseError::kTooShort;
  if (std::memcmp(bytes.data() + kIdentifierOffset, "Plot", 4) != 0) return ParseError::kWrongIdentifier;
  if (U32(bytes, kVersionOffset) != kLayoutVersion) return ParseError::kUnknownVersion;
  const size_t headerSize = U16(bytes, kHeaderSizeOffset);
  if (headerSize < kFixedHeaderSize || headerSize > bytes.size()) return ParseError::kBadHeaderSize;

  out.deviceWidth = I32(bytes, kDeviceSizeOffset);
  out.deviceHeight = I32(bytes, kDeviceSizeOffset + 4);
  out.deviceMargins = ReadMargins(bytes, kDeviceMarginsOffset);
  out.dpiX = U16(bytes, kRasterDpiOffset);
  out.dpiY = U16(bytes, kRasterDpiOffset + 2);
  if (out.dpiX == 0 || out.dpiY == 0) return ParseError::kBadResolution;
  out.maxCopies = U16(bytes, kMaxCopiesOffset);
  for (size_t i = 0; i < out.colorInfo.size(); ++i) out.colorInfo[i] = I32(bytes, kColorInfoOffset + 4 * i);
  return ParseError::kNone;
}

ParseError ReadForm(std::span<const uint8_t> record, Form& form) {
  form.name = ReadName(record.first(kFormNameSize));
  form.width = I32(record, kFormWidthOffset);
  form.height = I32(record, kFormWidthOffset + 4);
  form.margins = ReadMargins(record, kFormMarginsOffset);
  if (form.name.empty() || form.width <= 0 || form.height <= 0) return ParseError::kBadForm;
  return ParseError::kNone;
}

ParseError ReadForms(std::span<const uint8_t> bytes, std::vector<Form>& forms) {
  const uint64_t count = U16(bytes, kFormTableOffset);
  const uint64_t recordSize = U16(bytes, kFormTableOffset + 2);
  const uint64_t offset = U32(bytes, kFormTableOffset + 4);
  if (count == 0 || recordSize < kFormRecordSize) return ParseError::kBadFormTable;
  if (offset > bytes.size() || count * recordSize > bytes.size() - offset) return ParseError::kBadFormTable;

  forms.resize(count);
  for (size_t i = 0; i < count; ++i) {
    const auto record = bytes.subspan(offset + i * recordSize, kFormRecordSize);
    if (const ParseError error = ReadForm(record, forms[i]); error != ParseError::kNone) return error;
  }
  return ParseError::kNone;
}

}  // namespace

ParseResult ParseCharacterization(std::span<const uint8_t> bytes) {
  ParseResult result;
  result.error = ReadHeader(bytes, result.data);
  if (result.ok()) result.error = ReadForms(bytes, result.data.forms);
  return result;
}

}  // namespace plotter
