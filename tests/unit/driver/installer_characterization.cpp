#include "tests/unit/driver/installer_characterization.h"

#include <algorithm>
#include <map>

namespace test {
namespace {

struct Family {
  const char* label;
  int32_t width;  // tenths of a millimetre
};

const std::map<std::string, Family>& PosFamilies() {
  static const std::map<std::string, Family> families = {
      {"POS58", {"58", 580}}, {"POS72", {"72", 720}}, {"POS80", {"80", 720}}, {"POS110", {"110", 1100}}};
  return families;
}

constexpr int32_t kPosLengths[] = {2100, 2970, 32760};  // tenths of a millimetre

void PutText(std::vector<uint8_t>& bytes, size_t at, const std::string& text) {
  std::copy(text.begin(), text.end(), bytes.begin() + static_cast<ptrdiff_t>(at));
}

std::vector<uint8_t> HeaderTemplate() {
  std::vector<uint8_t> header(256, 0);
  PutText(header, 0, "Plot");
  Put32(header, 4, 0x0000010A);
  Put16(header, 8, 256);
  PutText(header, 12, "QR7700 Printer Driver");
  Put32(header, 44, 215900);
  Put32(header, 48, 5000000);
  Put32(header, 68, 1);
  Put16(header, 86, 100);
  Put16(header, 88, 8);
  Put16(header, 90, 9999);
  Put16(header, 92, 128);
  Put16(header, 94, 4);
  Put32(header, 96, 0xFFFFFFFF);
  Put32(header, 100, 0xFFFFFFFF);
  for (size_t i = 0; i < 30; ++i) Put32(header, 104 + 4 * i, static_cast<uint32_t>(kTemplateColorInfo[i]));
  Put32(header, 228, 0xFFFFFFFF);
  Put16(header, 242, 56);
  return header;
}

void PatchHeader(std::vector<uint8_t>& header, uint32_t resolution, size_t form_count) {
  Put16(header, 10, static_cast<uint16_t>(4 + 56 * form_count));
  Put32(header, 72, resolution);
  Put32(header, 76, resolution);
  Put16(header, 80, static_cast<uint16_t>(resolution));
  Put16(header, 82, static_cast<uint16_t>(resolution));
  Put16(header, 240, static_cast<uint16_t>(form_count));
  Put32(header, 244, 260);
  Put16(header, 248, 2);
  Put16(header, 250, 2);
  Put32(header, 252, 256);
}

}  // namespace

// Red, green, blue, cyan, magenta, yellow, alignment white (x, y, Y each); three gammas; six dyes.
const int32_t kTemplateColorInfo[30] = {6810,  3050,  0,     2260,  6550, 0,    1810, 500, 0,    2000,
                                        2450,  0,     5210,  2100,  0,    4750, 5100, 0,   3324, 3474,
                                        10000, 10000, 10000, 10000, 1422, 952,  787,  495, 324,  248};

void Put16(std::vector<uint8_t>& bytes, size_t at, uint16_t value) {
  bytes[at] = static_cast<uint8_t>(value);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  Put16(bytes, at, static_cast<uint16_t>(value));
  Put16(bytes, at + 2, static_cast<uint16_t>(value >> 16));
}

std::vector<ModelForm> InstallerForms(const std::string& family, int32_t paper_width, int32_t paper_height) {
  std::vector<ModelForm> forms = {{"Custom", paper_width * 100, paper_height * 100}};
  const auto found = PosFamilies().find(family);
  if (found == PosFamilies().end()) return forms;
  for (const int32_t length : kPosLengths) {
    forms.push_back({std::string(found->second.label) + " x " + std::to_string(length / 10) + "mm",
                     found->second.width * 100, length * 100});
  }
  return forms;
}

std::vector<uint8_t> InstallerCharacterization(const std::string& family, uint32_t resolution,
                                               int32_t paper_width, int32_t paper_height) {
  const std::vector<ModelForm> forms = InstallerForms(family, paper_width, paper_height);
  std::vector<uint8_t> bytes = HeaderTemplate();
  PatchHeader(bytes, resolution, forms.size());
  bytes.insert(bytes.end(), {0, 0, 1, 0});  // pen data: 0 then 1
  for (const ModelForm& form : forms) {
    std::vector<uint8_t> record(kFormRecordSize, 0);
    PutText(record, 0, form.name);
    Put32(record, 32, static_cast<uint32_t>(form.width));
    Put32(record, 36, static_cast<uint32_t>(form.height));
    bytes.insert(bytes.end(), record.begin(), record.end());
  }
  return bytes;
}

plotter::Characterization InstallerDevice(const std::string& family, uint32_t resolution, int32_t paper_width,
                                          int32_t paper_height) {
  return plotter::ParseCharacterization(
             InstallerCharacterization(family, resolution, paper_width, paper_height))
      .data;
}

}  // namespace test
