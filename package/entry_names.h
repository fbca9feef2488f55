// Rules for package entry names shared by the installer and mkpackage.
#pragma once

#include <cstddef>
#include <string_view>

#include "package/name_rules.h"

namespace package {

// Staging writes every entry at "<install folder>\<name>" in at most this many bytes of the ANSI
// code page.
inline constexpr size_t kMaxStagedPathBytes = 255;

constexpr char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// ASCII letters without regard to case, other bytes exactly.
constexpr bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

constexpr bool IsPathSeparator(char c) { return c == '\\' || c == '/'; }

// True when any part between separators (backslash or slash) satisfies the predicate.
template <typename Predicate>
constexpr bool AnyPart(std::string_view name, Predicate predicate) {
  size_t start = 0;
  for (size_t i = 0; i <= name.size(); ++i) {
    if (i == name.size() || IsPathSeparator(name[i])) {
      if (predicate(name.substr(start, i - start))) return true;
      start = i + 1;
    }
  }
  return false;
}

// True when writing the name below a folder would land outside it: a leading separator,
// a drive or stream colon, or a ".." part.
constexpr bool LeavesItsFolder(std::string_view name) {
  if (name.empty() || IsPathSeparator(name.front())) return true;
  if (name.find(':') != std::string_view::npos) return true;
  return AnyPart(name, [](std::string_view part) { return part == ".."; });
}

// True when a part of the name is one Windows takes for a device (IsReservedDeviceName).
constexpr bool HasReservedPart(std::string_view name) {
  return AnyPart(name, [](std::string_view part) { return IsReservedDeviceName(part); });
}

// A name the installer must not write below its folder: it would land outside it, or on a device.
constexpr bool IsUnsafeEntryName(std::string_view name) { return LeavesItsFolder(name) || HasReservedPart(name); }

}  // namespace package
