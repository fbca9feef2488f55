// Writing packages in both container forms. Used by mkpackage and by tests that need
// packages of a chosen shape.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace mkpackage {

using Bytes = std::vector<uint8_t>;

struct StoredEntry {
  std::string name;  // 8-bit, backslashes separate folder parts
  Bytes stored;      // one zlib stream, or anything a test wants to store
};

// One zlib stream (RFC 1950, 32 KiB window) of the whole content.
Bytes CompressZlib(std::span<const uint8_t> content);
StoredEntry MakeEntry(std::string name, std::span<const uint8_t> content);
StoredEntry MakeEntry(std::string name, const std::string& content);

// u32 N, u32 S, name, stored bytes.
void AppendEntry(Bytes& out, const StoredEntry& entry);
// u32 count, then the entries.
Bytes BuildResourcePackage(const std::vector<StoredEntry>& entries);
// stub, then u32 H, header, entries, then the trailer (u32 count, u32 package offset).
Bytes BuildAppendedFile(std::span<const uint8_t> stub, const std::string& header,
                        const std::vector<StoredEntry>& entries);

void AppendLittleEndian32(Bytes& out, uint32_t value);

}  // namespace mkpackage
