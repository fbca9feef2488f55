#include "tools/mkpackage/entry_names.h"

#include <set>

#include "package/entry_names.h"
#include "package/package_walk.h"

namespace mkpackage {

namespace {

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20; }

// Characters Windows refuses in file names (':' is checked on its own).
bool IsForbidden(char c) {
  return IsControl(c) || std::string_view("<>\"|?*").find(c) != std::string_view::npos;
}

std::optional<std::string> PartProblem(std::string_view part) {
  if (part.empty()) return "has an empty part (leading, trailing or doubled separator)";
  if (part == "." || part == "..") return "has a \".\" or \"..\" part";
  // Windows would silently drop a trailing dot or space.
  if (part.back() == '.' || part.back() == ' ') return "has a part ending in a dot or space";
  if (package::IsReservedDeviceName(part)) {
    return "has a part Windows reserves for a device (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9)";
  }
  return std::nullopt;
}

// Names that Windows would store as the same file compare equal.
std::string ClashKey(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) {
    c = package::AsciiLower(c);
    if (c == '/') c = '\\';
  }
  return folded;
}

}  // namespace

std::vector<std::string_view> EntryNameParts(std::string_view name) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (size_t i = 0; i <= name.size(); ++i) {
    if (i == name.size() || package::IsPathSeparator(name[i])) {
      parts.push_back(name.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

std::optional<std::string> EntryNameProblem(std::string_view name) {
  if (name.empty()) return "is empty";
  if (name.size() >= package::kNameBufferSize) return "is 256 bytes or longer";
  if (package::LeavesItsFolder(name)) return "would leave its folder (a root, drive, stream or \"..\" part)";
  for (char c : name) {
    if (IsForbidden(c)) return "holds a character Windows refuses in file names";
  }
  for (std::string_view part : EntryNameParts(name)) {
    if (auto problem = PartProblem(part)) return problem;
  }
  return std::nullopt;
}

std::optional<std::string> FindNameClash(const std::vector<std::string>& names) {
  std::set<std::string> files;
  std::set<std::string> folders;
  for (const std::string& name : names) {
    const std::string folded = ClashKey(name);
    if (!files.insert(folded).second) return "entry \"" + PrintableName(name) + "\" appears twice";
    for (size_t i = 0; i < folded.size(); ++i) {
      if (folded[i] == '\\') folders.insert(folded.substr(0, i));
    }
  }
  for (const std::string& name : names) {
    if (folders.count(ClashKey(name)) != 0) {
      return "entry \"" + PrintableName(name) + "\" is also the folder of another entry";
    }
  }
  return std::nullopt;
}

std::string PrintableName(std::string_view name) {
  std::string printable(name);
  for (char& c : printable) {
    if (IsControl(c)) c = '?';
  }
  return printable;
}

}  // namespace mkpackage
