#include "tools/mkpackage/package_builder.h"

#include <zlib.h>

#include <stdexcept>

namespace mkpackage {

void AppendLittleEndian32(Bytes& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

Bytes CompressZlib(std::span<const uint8_t> content) {
  uLongf capacity = compressBound(static_cast<uLong>(content.size()));
  Bytes stored(capacity);
  if (compress2(stored.data(), &capacity, content.data(), static_cast<uLong>(content.size()),
                Z_BEST_COMPRESSION) != Z_OK) {
    throw std::runtime_error("zlib could not compress an entry");
  }
  stored.resize(capacity);
  return stored;
}

StoredEntry MakeEntry(std::string name, std::span<const uint8_t> content) {
  return {std::move(name), CompressZlib(content)};
}

StoredEntry MakeEntry(std::string name, const std::string& content) {
  return MakeEntry(std::move(name),
                   std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(content.data()), content.size()));
}

void AppendEntry(Bytes& out, const StoredEntry& entry) {
  AppendLittleEndian32(out, static_cast<uint32_t>(entry.name.size()));
  AppendLittleEndian32(out, static_cast<uint32_t>(entry.stored.size()));
  out.insert(out.end(), entry.name.begin(), entry.name.end());
  out.insert(out.end(), entry.stored.begin(), entry.stored.end());
}

Bytes BuildResourcePackage(const std::vector<StoredEntry>& entries) {
  Bytes out;
  AppendLittleEndian32(out, static_cast<uint32_t>(entries.size()));
  for (const StoredEntry& entry : entries) AppendEntry(out, entry);
  return out;
}

Bytes BuildAppendedFile(std::span<const uint8_t> stub, const std::string& header,
                        const std::vector<StoredEntry>& entries) {
  Bytes out(stub.begin(), stub.end());
  const auto packageOffset = static_cast<uint32_t>(out.size());
  AppendLittleEndian32(out, static_cast<uint32_t>(header.size()));
  out.insert(out.end(), header.begin(), header.end());
  for (const StoredEntry& entry : entries) AppendEntry(out, entry);
  AppendLittleEndian32(out, static_cast<uint32_t>(entries.size()));
  AppendLittleEndian32(out, packageOffset);
  return out;
}

}  // namespace mkpackage
