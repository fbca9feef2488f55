// Turns a rendered page into the printer's own language: ESC/POS raster images, the command
// set of receipt printers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace plotter {

// A 1-bit page: rows `stride` bytes apart (negative for a bottom-up bitmap), set bits print,
// leftmost dot in the most significant bit.
struct MonoPage {
  const uint8_t* firstRow = nullptr;
  ptrdiff_t stride = 0;
  int width = 0;
  int height = 0;
};

// Rows per raster command: well inside every ESC/POS printer's limit.
inline constexpr int kRowsPerBand = 256;

// Resets the printer at the start of a document.
std::vector<uint8_t> EncodeDocumentStart();

// The page's dots down to its last printed row (receipts end where the text ends), then a feed
// and partial cut. Bits past the page width are never sent.
std::vector<uint8_t> EncodePage(const MonoPage& page);

}  // namespace plotter
