#include "components/driver/render/escpos_raster.h"

#include <algorithm>

namespace plotter {
namespace {

constexpr uint8_t kEsc = 0x1B;
constexpr uint8_t kGs = 0x1D;

int RowBytes(const MonoPage& page) { return (page.width + 7) / 8; }

uint8_t LastByteMask(const MonoPage& page) {
  const int usedBits = page.width % 8;
  return usedBits == 0 ? 0xFF : static_cast<uint8_t>(0xFF << (8 - usedBits));
}

const uint8_t* Row(const MonoPage& page, int y) { return page.firstRow + page.stride * y; }

bool RowIsBlank(const MonoPage& page, int y) {
  const uint8_t* row = Row(page, y);
  const int bytes = RowBytes(page);
  if (std::any_of(row, row + bytes - 1, [](uint8_t dots) { return dots != 0; })) return false;
  return (row[bytes - 1] & LastByteMask(page)) == 0;
}

int PrintedRows(const MonoPage& page) {
  int rows = page.height;
  while (rows > 0 && RowIsBlank(page, rows - 1)) --rows;
  return rows;
}

void AppendLittleEndian16(std::vector<uint8_t>& out, int value) {
  out.push_back(static_cast<uint8_t>(value & 0xFF));
  out.push_back(static_cast<uint8_t>(value >> 8 & 0xFF));
}

// GS v 0: normal density raster image of `rows` rows from `first`.
void AppendBand(std::vector<uint8_t>& out, const MonoPage& page, int first, int rows) {
  const int bytes = RowBytes(page);
  out.insert(out.end(), {kGs, 'v', '0', 0});
  AppendLittleEndian16(out, bytes);
  AppendLittleEndian16(out, rows);
  for (int y = first; y < first + rows; ++y) {
    const uint8_t* row = Row(page, y);
    out.insert(out.end(), row, row + bytes - 1);
    out.push_back(row[bytes - 1] & LastByteMask(page));
  }
}

}  // namespace

std::vector<uint8_t> EncodeDocumentStart() { return {kEsc, '@'}; }

std::vector<uint8_t> EncodePage(const MonoPage& page) {
  std::vector<uint8_t> out;
  if (page.firstRow && page.width > 0) {
    const int rows = PrintedRows(page);
    for (int first = 0; first < rows; first += kRowsPerBand) {
      AppendBand(out, page, first, std::min(kRowsPerBand, rows - first));
    }
  }
  out.insert(out.end(), {kGs, 'V', 66, 0});  // feed to the cutter, partial cut
  return out;
}

}  // namespace plotter
