// The resource-form walk over a package resource, as the installer and mkpackage run it, with
// the entry-name rules the installer applies to each name.
#include <cstring>
#include <string_view>

#include "package/entry_names.h"
#include "package/package_walk.h"
#include "tests/fuzz/targets/fuzz_check.h"

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
    package::LeavesItsFolder(name);
    package::EqualsIgnoringAsciiCase(name, "PrinterName.txt");
  }
  fuzz::Require(entries <= reader.EntryCount(), "no more entries than counted");
  fuzz::Require(entries == reader.EntryCount() || reader.Error() != package::WalkError::None,
                "a walk that stops early says why");
  return 0;
}
