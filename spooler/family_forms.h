// The roll forms the characterization file gives each model family. Portable and header-only,
// so that mkpackage's check names the families the installer has forms for.
#pragma once

#include <cstdint>
#include <span>

namespace spooler {

struct RollForm {
  const char* name;
  int32_t width;  // tenths of a millimetre
  int32_t height;
};

struct FamilyForms {
  const char* family;
  RollForm forms[3];
};

// Roll widths and lengths in tenths of a millimetre; "80" paper prints 72 mm wide.
inline constexpr FamilyForms kFamilyForms[] = {
    {"POS58", {{"58 x 210mm", 580, 2100}, {"58 x 297mm", 580, 2970}, {"58 x 3276mm", 580, 32760}}},
    {"POS72", {{"72 x 210mm", 720, 2100}, {"72 x 297mm", 720, 2970}, {"72 x 3276mm", 720, 32760}}},
    {"POS80", {{"80 x 210mm", 720, 2100}, {"80 x 297mm", 720, 2970}, {"80 x 3276mm", 720, 32760}}},
    {"POS110", {{"110 x 210mm", 1100, 2100}, {"110 x 297mm", 1100, 2970}, {"110 x 3276mm", 1100, 32760}}},
};

// The family's three roll forms; none for a family outside the list (compared with case).
// Unit: the wide character of the caller, wchar_t on Windows, char16_t on the host.
template <typename Unit>
std::span<const RollForm> RollFormsOf(const Unit* family) {
  for (const FamilyForms& entry : kFamilyForms) {
    const Unit* unit = family;
    const char* ascii = entry.family;
    while (unit != nullptr && *ascii != 0 && *unit == static_cast<Unit>(*ascii)) ++unit, ++ascii;
    if (unit != nullptr && *ascii == 0 && *unit == 0) return entry.forms;
  }
  return {};
}

}  // namespace spooler
