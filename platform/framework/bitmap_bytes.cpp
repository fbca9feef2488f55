#include "platform/framework/gdi.h"

#include <cstring>
#include <vector>

namespace framework {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
constexpr int32_t kLargestSide = 16384;

uint32_t U32(std::span<const uint8_t> bytes, size_t at) {
  return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (uint32_t(bytes[at + 3]) << 24);
}
uint16_t U16(std::span<const uint8_t> bytes, size_t at) { return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8)); }

// Where a BMP file's parts lie, each checked against the file's size before anything is read.
struct BmpLayout {
  size_t headerSize = 0;  // the info header with its palette or masks
  size_t bitsOffset = 0;
  size_t bitsSize = 0;
};

std::optional<BmpLayout> LayoutOf(std::span<const uint8_t> bytes) {
  if (bytes.size() < kFileHeaderSize + kInfoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  const uint32_t infoSize = U32(bytes, 14);
  const auto width = static_cast<int32_t>(U32(bytes, 18));
  const auto height = static_cast<int32_t>(U32(bytes, 22));
  const uint16_t planes = U16(bytes, 26);
  const uint16_t bitCount = U16(bytes, 28);
  const uint32_t compression = U32(bytes, 30);
  const uint32_t colorsUsed = U32(bytes, 46);
  const bool knownDepth = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
                          bitCount == 32;
  const bool masks = compression == BI_BITFIELDS && (bitCount == 16 || bitCount == 32);
  if (infoSize < kInfoHeaderSize || infoSize > 124 || planes != 1 || !knownDepth ||
      (compression != BI_RGB && !masks) || width <= 0 || width > kLargestSide || height == 0 ||
      height < -kLargestSide || height > kLargestSide) {
    return std::nullopt;
  }
  const size_t paletteEntries = bitCount <= 8 ? (colorsUsed != 0 ? colorsUsed : (size_t{1} << bitCount)) : 0;
  if (paletteEntries > 256) return std::nullopt;
  BmpLayout layout;
  layout.headerSize = infoSize + (masks && infoSize == kInfoHeaderSize ? 12 : 0) + paletteEntries * 4;
  layout.bitsOffset = U32(bytes, 10);
  const size_t stride = ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4;
  layout.bitsSize = stride * static_cast<size_t>(height < 0 ? -height : height);
  if (kFileHeaderSize + layout.headerSize > bytes.size() || layout.bitsOffset < kFileHeaderSize + layout.headerSize ||
      layout.bitsOffset > bytes.size() || layout.bitsSize > bytes.size() - layout.bitsOffset) {
    return std::nullopt;
  }
  return layout;
}

}  // namespace

UniqueBitmap LoadBitmapBytes(std::span<const uint8_t> bytes) {
  const std::optional<BmpLayout> layout = LayoutOf(bytes);
  if (!layout) return UniqueBitmap();
  // An aligned copy of the header, whatever the file's alignment.
  std::vector<uint32_t> header((layout->headerSize + 3) / 4);
  std::memcpy(header.data(), bytes.data() + kFileHeaderSize, layout->headerSize);
  void* bits = nullptr;
  UniqueBitmap bitmap(::CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(header.data()), DIB_RGB_COLORS,
                                         &bits, nullptr, 0));
  if (bitmap && bits != nullptr) std::memcpy(bits, bytes.data() + layout->bitsOffset, layout->bitsSize);
  return bitmap;
}

}  // namespace framework
