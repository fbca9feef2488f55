// Characterization files laid out byte for byte as the installer writes them for a model: the
// 256-byte header template patched with the resolution and the forms, the pen data, the forms.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "components/driver/common/characterization.h"

namespace test {

struct ModelForm {
  std::string name;
  int32_t width;  // thousandths of a millimetre
  int32_t height;
};

// The forms the installer writes: "Custom" from the catalogue's paper size (tenths of a
// millimetre), then the family's three forms for the four POS families.
std::vector<ModelForm> InstallerForms(const std::string& family, int32_t paperWidth, int32_t paperHeight);

std::vector<uint8_t> InstallerCharacterization(const std::string& family, uint32_t resolution,
                                               int32_t paperWidth, int32_t paperHeight);

// The colour information of the header template, in the order the file holds it.
extern const int32_t kTemplateColorInfo[30];

// The parse of such a file.
plotter::Characterization InstallerDevice(const std::string& family, uint32_t resolution, int32_t paperWidth,
                                          int32_t paperHeight);

// Offsets of the fields tests break on purpose.
inline constexpr size_t kVersionOffset = 4;
inline constexpr size_t kHeaderSizeOffset = 8;
inline constexpr size_t kRasterResolutionOffset = 80;
inline constexpr size_t kFormTableOffset = 240;  // count, record size, offset
inline constexpr size_t kFirstFormOffset = 260;
inline constexpr size_t kFormRecordSize = 56;

void Put16(std::vector<uint8_t>& bytes, size_t at, uint16_t value);
void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value);

}  // namespace test
