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
  const size_t header_size = U16(bytes, kHeaderSizeOffset);
  if (header_size < kFixedHeaderSize || header_size > bytes.size()) return ParseError::kBadHeaderSize;

  out.device_width = I32(bytes, kDeviceSizeOffset);
  out.device_height = I32(bytes, kDeviceSizeOffset + 4);
  out.device_margins = ReadMargins(bytes, kDeviceMarginsOffset);
  out.dpi_x = U16(bytes, kRasterDpiOffset);
  out.dpi_y = U16(bytes, kRasterDpiOffset + 2);
  if (out.dpi_x == 0 || out.dpi_y == 0) return ParseError::kBadResolution;
  out.max_copies = U16(bytes, kMaxCopiesOffset);
  for (size_t i = 0; i < out.color_info.size(); ++i) out.color_info[i] = I32(bytes, kColorInfoOffset + 4 * i);
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
  const uint64_t record_size = U16(bytes, kFormTableOffset + 2);
  const uint64_t offset = U32(bytes, kFormTableOffset + 4);
  if (count == 0 || record_size < kFormRecordSize) return ParseError::kBadFormTable;
  if (offset > bytes.size() || count * record_size > bytes.size() - offset) return ParseError::kBadFormTable;

  forms.resize(count);
  for (size_t i = 0; i < count; ++i) {
    const auto record = bytes.subspan(offset + i * record_size, kFormRecordSize);
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
