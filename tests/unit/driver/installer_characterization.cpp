#include "tests/unit/driver/installer_characterization.h"

#include <map>

#include "spooler/characterization_file.h"

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

std::vector<ModelForm> InstallerForms(const std::string& family, int32_t paperWidth, int32_t paperHeight) {
  std::vector<ModelForm> forms = {{"Custom", paperWidth * 100, paperHeight * 100}};
  const auto found = PosFamilies().find(family);
  if (found == PosFamilies().end()) return forms;
  for (const int32_t length : kPosLengths) {
    forms.push_back({std::string(found->second.label) + " x " + std::to_string(length / 10) + "mm",
                     found->second.width * 100, length * 100});
  }
  return forms;
}

// The installer's own writer, so that the driver is tested on exactly what the installer writes.
std::vector<uint8_t> InstallerCharacterization(const std::string& family, uint32_t resolution,
                                               int32_t paperWidth, int32_t paperHeight) {
  const std::wstring wideFamily(family.begin(), family.end());
  return spooler::BuildCharacterizationData(
      {wideFamily.c_str(), static_cast<int32_t>(resolution), paperWidth, paperHeight});
}

plotter::Characterization InstallerDevice(const std::string& family, uint32_t resolution, int32_t paperWidth,
                                          int32_t paperHeight) {
  return plotter::ParseCharacterization(
             InstallerCharacterization(family, resolution, paperWidth, paperHeight))
      .data;
}

}  // namespace test
