// The resource-form walk over a package resource, as the installer and mkpackage run it, with
// the entry-name rule the installer applies to each name checked against Windows' reading of it.
#include <cctype>
#include <cstring>
#include <set>
#include <string>
#include <vector>
#include <string_view>

#include "package/entry_names.h"
#include "package/package_walk.h"
#include "tests/fuzz/targets/fuzz_check.h"

namespace {

// Windows' own reading of a name below a folder, written apart from the rules under test: both
// separators, "." and empty parts stay, ".." climbs, a drive or stream colon or a leading
// separator starts elsewhere; a part is a device when its text before the first dot, without
// trailing blanks, is one of the reserved names in any case.
bool IsDevice(std::string_view part) {
  static const std::set<std::string> devices = {"con",  "prn",  "aux",  "nul",  "com1", "com2", "com3", "com4",
                                                "com5", "com6", "com7", "com8", "com9", "lpt1", "lpt2", "lpt3",
                                                "lpt4", "lpt5", "lpt6", "lpt7", "lpt8", "lpt9"};
  std::string stem(part.substr(0, part.find('.')));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  for (char& c : stem) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return devices.count(stem) != 0;
}

// The folder C:\install\folder joined with the name: true when no step climbs above the
// folder and no part opens a device.
bool StaysInsideAndOpensNoDevice(std::string_view name) {
  if (name.empty() || name.front() == '\\' || name.front() == '/' || name.find(':') != std::string_view::npos) {
    return false;
  }
  std::vector<std::string> path = {"C:", "install", "folder"};
  const size_t folderDepth = path.size();
  std::string part;
  for (size_t i = 0; i <= name.size(); ++i) {
    if (i < name.size() && name[i] != '\\' && name[i] != '/') {
      part += name[i];
      continue;
    }
    if (part == "..") {
      path.pop_back();
    } else if (!part.empty() && part != ".") {
      path.push_back(part);
    }
    if (path.size() < folderDepth || IsDevice(part)) return false;
    part.clear();
  }
  return true;
}

// What the installer writes below its folder stays inside it and is no device.
void CheckNameRule(std::string_view name) {
  if (!package::IsUnsafeEntryName(name)) {
    fuzz::Require(StaysInsideAndOpensNoDevice(name), "an accepted name stays inside its folder and opens no device");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  package::ResourcePackageReader reader(bytes);
  package::MemoryEntry entry;
  uint32_t entries = 0;
  size_t previousEnd = 4;
  while (reader.Next(entry)) {
    ++entries;
    const std::string_view name(entry.name.text, entry.name.length);
    fuzz::Require(entry.name.length > 0 && entry.name.length < package::kNameBufferSize, "name length in range");
    fuzz::Require(std::strlen(entry.name.text) == entry.name.length, "name terminated, without NUL inside");
    const std::span<const uint8_t> stored(entry.storedBytes, entry.storedSize);
    fuzz::Require(fuzz::IsInside(stored, bytes), "stored bytes inside the package");
    fuzz::Require(size_t(entry.storedBytes - data) == previousEnd + package::kEntryHeaderSize + entry.name.length,
                  "entries follow each other");
    previousEnd = reader.Offset();
    fuzz::Require(previousEnd == size_t(entry.storedBytes - data) + entry.storedSize, "offset past the entry");
    fuzz::Touch(stored);
    CheckNameRule(name);
    package::EqualsIgnoringAsciiCase(name, "PrinterName.txt");
  }
  fuzz::Require(entries <= reader.EntryCount(), "no more entries than counted");
  fuzz::Require(entries == reader.EntryCount() || reader.Error() != package::WalkError::None,
                "a walk that stops early says why");
  return 0;
}
