#include "texts/name_rules.h"


namespace texts {

namespace {

bool IsForbidden(Utf16Unit unit) {
  constexpr AsciiText kForbidden("\\/:*?\"<>|,");
  return kForbidden.View().find(unit) != Utf16View::npos;
}

Utf16Unit UpperAscii(Utf16Unit unit) { return unit >= 'a' && unit <= 'z' ? Utf16Unit(unit - 'a' + 'A') : unit; }

bool EqualsUpperAscii(Utf16View text, std::string_view upper) {
  if (text.size() != upper.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (UpperAscii(text[i]) != static_cast<Utf16Unit>(upper[i])) return false;
  }
  return true;
}

// Windows opens the device, not a file, for these names, also with an extension after them.
bool IsReservedDeviceName(Utf16View name) {
  const Utf16View stem = name.substr(0, name.find('.'));
  for (std::string_view device : {"CON", "PRN", "AUX", "NUL"}) {
    if (EqualsUpperAscii(stem, device)) return true;
  }
  if (stem.size() != 4 || stem[3] < '1' || stem[3] > '9') return false;
  return EqualsUpperAscii(stem.substr(0, 3), "COM") || EqualsUpperAscii(stem.substr(0, 3), "LPT");
}

}  // namespace

std::optional<NameProblem> CheckPrinterName(Utf16View name) {
  if (name.empty()) return NameProblem::Empty;
  if (name.size() > kMaxPrinterNameLength) return NameProblem::TooLong;
  for (Utf16Unit unit : name) {
    if (unit < 0x20 || unit == 0x7F) return NameProblem::ControlCharacter;
    if (IsForbidden(unit)) return NameProblem::ForbiddenCharacter;
  }
  for (Utf16Unit end : {name.front(), name.back()}) {
    if (end == ' ' || end == '.') return NameProblem::SpaceOrDotAtAnEnd;
  }
  if (IsReservedDeviceName(name)) return NameProblem::ReservedDeviceName;
  return std::nullopt;
}

std::optional<NameProblem> CheckPortName(Utf16View name) {
  if (name.ends_with(Utf16Unit(':'))) name.remove_suffix(1);
  return CheckPrinterName(name);
}

const char* DescribeNameProblem(NameProblem problem) {
  switch (problem) {
    case NameProblem::Empty: return "is empty";
    case NameProblem::TooLong: return "is longer than 100 characters";
    case NameProblem::ForbiddenCharacter: return "holds a character Windows refuses (\\ / : * ? \" < > | ,)";
    case NameProblem::ControlCharacter: return "holds a control character";
    case NameProblem::SpaceOrDotAtAnEnd: return "begins or ends with a space or a dot";
    case NameProblem::ReservedDeviceName: return "is a device name Windows reserves (CON, PRN, AUX, NUL, COM1-9, LPT1-9)";
  }
  return "is refused";
}

}  // namespace texts
