// Rules for names that become parts of Windows paths: package entry names and printer names
// (the install subfolder, the driver's and the monitor's file names, the Start-menu folder).
// Portable and header-only: the installer, mkpackage and the fuzz targets share them.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <type_traits>

namespace package {

template <typename Char>
constexpr bool SameAsciiLetters(std::basic_string_view<Char> text, std::string_view upper) {
  if (text.size() != upper.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    Char c = text[i];
    if (c >= Char('a') && c <= Char('z')) c = static_cast<Char>(c - Char('a') + Char('A'));
    if (c != static_cast<Char>(upper[i])) return false;
  }
  return true;
}

// CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9, in any letter case, alone or followed by a
// dot and anything: Windows opens the device, not a file, under such a name in any folder. It
// also ignores blanks before the dot ("NUL .txt").
template <typename Char>
constexpr bool IsReservedDeviceName(std::basic_string_view<Char> part) {
  std::basic_string_view<Char> stem = part.substr(0, part.find(Char('.')));
  while (!stem.empty() && stem.back() == Char(' ')) stem.remove_suffix(1);
  for (std::string_view name : {"CON", "PRN", "AUX", "NUL"}) {
    if (SameAsciiLetters(stem, name)) return true;
  }
  if (stem.size() != 4 || stem[3] < Char('1') || stem[3] > Char('9')) return false;
  return SameAsciiLetters(stem.substr(0, 3), "COM") || SameAsciiLetters(stem.substr(0, 3), "LPT");
}

// Control characters and \ / : * ? " < > | and the comma.
template <typename Char>
constexpr bool IsForbiddenNameCharacter(Char c) {
  const auto code = static_cast<std::make_unsigned_t<Char>>(c);
  if (code < 0x20 || code == 0x7f) return true;
  for (const char forbidden : std::string_view("\\/:*?\"<>|,")) {
    if (code == static_cast<unsigned char>(forbidden)) return true;
  }
  return false;
}

inline constexpr size_t kPrinterNameCapacity = 100;  // room for " (99)" and the longest record

enum class NameProblem { Empty, TooLong, ForbiddenCharacter, EdgeSpaceOrDot, DeviceName };

// A printer name must be both a Windows printer name and a file-name part: none of \ / : * ? " < > |
// and the comma (the spooler refuses commas and backslashes), no control character, no space
// or dot at either end, no device name, at most kPrinterNameCapacity characters.
template <typename Char>
constexpr std::optional<NameProblem> CheckPrinterName(std::basic_string_view<Char> name) {
  if (name.empty()) return NameProblem::Empty;
  if (name.size() > kPrinterNameCapacity) return NameProblem::TooLong;
  for (const Char c : name) {
    if (IsForbiddenNameCharacter(c)) return NameProblem::ForbiddenCharacter;
  }
  const auto isEdge = [](Char c) { return c == Char(' ') || c == Char('.'); };
  if (isEdge(name.front()) || isEdge(name.back())) return NameProblem::EdgeSpaceOrDot;
  if (IsReservedDeviceName(name)) return NameProblem::DeviceName;
  return std::nullopt;
}

}  // namespace package
