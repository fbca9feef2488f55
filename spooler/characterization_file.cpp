#include "spooler/characterization_file.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "spooler/family_forms.h"

namespace spooler {
namespace {

constexpr uint32_t kFormsOffset = kCharacterizationHeaderSize + kPenDataSize;
constexpr size_t kFormNameSize = 32;

// Colour information: red, green, blue, cyan, magenta, yellow (x, y, Y), alignment white,
// red/green/blue gamma and the dye values.
constexpr int32_t kColorInfo[30] = {6810, 3050, 0,     2260,  6550,  0,    1810, 500, 0,   2000,
                                    2450, 0,    5210,  2100,  0,     4750, 5100, 0,   3324, 3474,
                                    10000, 10000, 10000, 10000, 1422, 952,  787,  495, 324, 248};

class Writer {
 public:
  explicit Writer(std::vector<uint8_t>& bytes) : m_bytes(bytes) {}
  void Put16(size_t offset, int32_t value) { Put(offset, static_cast<uint32_t>(value), 2); }
  void Put32(size_t offset, int32_t value) { Put(offset, static_cast<uint32_t>(value), 4); }
  // A NUL-terminated text in a zero-filled field of `size` bytes.
  void PutText(size_t offset, const char* text, size_t size) {
    std::memcpy(m_bytes.data() + offset, text, std::min(std::strlen(text), size - 1));
  }
  void PutBytes(size_t offset, const char* bytes, size_t count) {
    std::memcpy(m_bytes.data() + offset, bytes, count);
  }

 private:
  void Put(size_t offset, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) m_bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
  }
  std::vector<uint8_t>& m_bytes;
};

void WriteHeader(Writer& out, int32_t resolution, int32_t formCount) {
  out.PutBytes(0, "Plot", 4);
  out.Put32(4, 0x0000010A);
  out.Put16(8, kCharacterizationHeaderSize);
  out.Put16(10, kPenDataSize + kFormRecordSize * formCount);
  out.PutText(12, "QR7700 Printer Driver", kFormNameSize);
  out.Put32(44, 215900);
  out.Put32(48, 5000000);
  out.Put32(68, 1);
  out.Put32(72, resolution);
  out.Put32(76, resolution);
  out.Put16(80, resolution & 0xffff);
  out.Put16(82, resolution & 0xffff);
  out.Put16(86, 100);
  out.Put16(88, 8);
  out.Put16(90, 9999);
  out.Put16(92, 128);
  out.Put16(94, 4);
  out.Put32(96, -1);
  out.Put32(100, -1);
  for (size_t i = 0; i < std::size(kColorInfo); ++i) out.Put32(104 + 4 * i, kColorInfo[i]);
  out.Put32(228, -1);
  out.Put16(240, formCount);
  out.Put16(242, kFormRecordSize);
  out.Put32(244, kFormsOffset);
  out.Put16(248, 2);
  out.Put16(250, 2);
  out.Put32(252, kCharacterizationHeaderSize);
}

void WriteForm(Writer& out, int32_t index, const RollForm& form) {
  const size_t offset = kFormsOffset + kFormRecordSize * index;
  out.PutText(offset, form.name, kFormNameSize);
  // Thousandths of a millimetre; an absurd catalogue value wraps instead of overflowing.
  out.Put32(offset + 32, static_cast<int32_t>(int64_t{form.width} * 100));
  out.Put32(offset + 36, static_cast<int32_t>(int64_t{form.height} * 100));
}

}  // namespace

std::vector<uint8_t> BuildCharacterizationData(const ModelForms& model) {
  const std::span<const RollForm> rollForms = RollFormsOf(model.family);
  const auto formCount = static_cast<int32_t>(1 + rollForms.size());
  std::vector<uint8_t> bytes(kFormsOffset + kFormRecordSize * formCount, 0);
  Writer out(bytes);
  WriteHeader(out, model.resolution, formCount);
  out.Put16(kCharacterizationHeaderSize + 2, 1);  // pens 0 and 1
  WriteForm(out, 0, {"Custom", model.paperWidth, model.paperHeight});
  for (int32_t i = 0; i < static_cast<int32_t>(rollForms.size()); ++i) WriteForm(out, i + 1, rollForms[i]);
  return bytes;
}

}  // namespace spooler
