// The appended-form walk (trailer, header, entries) over a file, reading each entry's stored
// bytes through the byte source as the installer's extraction does.
#include <algorithm>
#include <cstring>
#include <vector>

#include "package/package_walk.h"
#include "tests/fuzz/targets/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  package::MemoryByteSource file({data, size});
  package::AppendedPackageReader reader(file);
  if (!reader.Open()) {
    fuzz::Require(reader.Error() != package::WalkError::None, "a refused trailer says why");
    return 0;
  }
  // The package ends with the file or, in a signed file, before its certificate table.
  fuzz::Require(reader.PackageEnd() >= package::kTrailerSize && reader.PackageEnd() <= size,
                "package end in the file");
  const bool signedFile = reader.PackageEnd() != size;
  const uint64_t trailer = reader.PackageEnd() - package::kTrailerSize;
  uint64_t previousEnd = uint64_t(reader.PackageOffset()) + 4 + reader.HeaderLength();
  fuzz::Require(reader.HeaderLength() <= package::kMaxHeaderLength, "header length within its limit");
  fuzz::Require(previousEnd <= trailer, "header before the trailer");
  fuzz::Require(reader.PackageSize() == reader.PackageEnd() - reader.PackageOffset(), "package size from its offset");

  std::vector<uint8_t> chunk(16384);
  package::FileEntry entry;
  uint32_t entries = 0;
  while (reader.Next(entry)) {
    ++entries;
    fuzz::Require(entry.name.length > 0 && entry.name.length < package::kNameBufferSize, "name length in range");
    fuzz::Require(std::strlen(entry.name.text) == entry.name.length, "name terminated, without NUL inside");
    fuzz::Require(entry.storedOffset == previousEnd + package::kEntryHeaderSize + entry.name.length,
                  "entries follow each other");
    fuzz::Require(entry.storedOffset <= trailer && entry.storedSize <= trailer - entry.storedOffset,
                  "stored bytes before the trailer");
    previousEnd = entry.storedOffset + entry.storedSize;
    for (uint32_t left = entry.storedSize; left > 0;) {
      const uint32_t want = std::min<uint32_t>(left, chunk.size());
      fuzz::Require(file.ReadExact(chunk.data(), want), "stored bytes readable where the walk left the file");
      left -= want;
    }
  }
  fuzz::Require(entries <= reader.EntryCount(), "no more entries than counted");
  fuzz::Require(entries == reader.EntryCount() || reader.Error() != package::WalkError::None,
                "a walk that stops early says why");
  fuzz::Require(!signedFile || reader.Error() != package::WalkError::None || previousEnd == trailer,
                "in a signed file the entries reach the trailer");
  return 0;
}
