// The driver's characterization data file: a 256-byte header, 4 bytes of pen data and the
// paper forms of the model, 56 bytes each.
#pragma once

#include <cstdint>
#include <vector>

namespace spooler {

constexpr uint32_t kCharacterizationHeaderSize = 256;
constexpr uint32_t kPenDataSize = 4;
constexpr uint32_t kFormRecordSize = 56;

struct ModelForms {
  const wchar_t* family;  // "POS58", "POS72", "POS80", "POS110" add three roll forms
  int32_t resolution;     // dots per inch
  int32_t paperWidth;     // tenths of a millimetre
  int32_t paperHeight;
};

// The whole file: header patched with the resolution and forms, pens, then "Custom" and the
// family's forms.
std::vector<uint8_t> BuildCharacterizationData(const ModelForms& model);

}  // namespace spooler
