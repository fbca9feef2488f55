// The header logo: a BMP that LoadImageW reads into a DIB section, of the 200 x 54 pixels the
// page copies unscaled.
#include <cstdlib>

#include "tools/mkpackage/check_parts.h"
#include "tools/mkpackage/check_text.h"

namespace mkpackage {

namespace {

constexpr int32_t kLogoWidth = 200;
constexpr int32_t kLogoHeight = 54;
constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;  // BITMAPCOREHEADER; the others start like BITMAPINFOHEADER
constexpr uint32_t kInfoHeaderSize = 40;

uint32_t Le(std::span<const uint8_t> bytes, size_t offset, size_t size) {
  uint32_t value = 0;
  for (size_t i = 0; i < size; ++i) value |= uint32_t{bytes[offset + i]} << (8 * i);
  return value;
}

struct BitmapShape {
  int32_t width;
  int32_t height;
  uint32_t bitCount;
  uint32_t compression;
};

std::optional<BitmapShape> ReadShape(std::span<const uint8_t> bytes) {
  if (bytes.size() < kFileHeaderSize + kCoreHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  const uint32_t headerSize = Le(bytes, 14, 4);
  if (headerSize == kCoreHeaderSize) {
    return BitmapShape{static_cast<int16_t>(Le(bytes, 18, 2)), static_cast<int16_t>(Le(bytes, 20, 2)), Le(bytes, 24, 2),
                       0};
  }
  if (headerSize < kInfoHeaderSize || bytes.size() < kFileHeaderSize + kInfoHeaderSize) return std::nullopt;
  return BitmapShape{static_cast<int32_t>(Le(bytes, 18, 4)), static_cast<int32_t>(Le(bytes, 22, 4)), Le(bytes, 28, 2),
                     Le(bytes, 30, 4)};
}

// What a DIB section takes: 1 to 32 bits, uncompressed, run-length or bit fields (not JPEG or
// PNG inside a BMP).
bool CanBeShown(const BitmapShape& shape, std::span<const uint8_t> bytes) {
  const bool knownDepth = shape.bitCount == 1 || shape.bitCount == 4 || shape.bitCount == 8 || shape.bitCount == 16 ||
                          shape.bitCount == 24 || shape.bitCount == 32;
  return knownDepth && shape.compression <= 3 && shape.width > 0 && shape.height != 0 &&
         Le(bytes, 10, 4) < bytes.size();
}

}  // namespace

void CheckLogo(const CheckedFile& file, Findings& findings) {
  const std::optional<BitmapShape> shape = ReadShape(file.bytes);
  if (!shape || !CanBeShown(*shape, file.bytes)) {
    AddWarning(findings, file.name, 0, "not a BMP the page window can show: the logo area stays white");
    return;
  }
  const int32_t height = std::abs(shape->height);
  if (shape->width != kLogoWidth || height != kLogoHeight) {
    AddWarning(findings, file.name, 0,
               std::to_string(shape->width) + " x " + std::to_string(height) +
                   " pixels; the page copies the logo unscaled into 200 x 54 (a larger one is cut, a smaller one "
                   "leaves white)");
  }
}

}  // namespace mkpackage
