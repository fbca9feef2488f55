// Helpers shared by the host tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace host_test {

using Bytes = std::vector<uint8_t>;

Bytes ToBytes(std::string_view text);
std::string ToText(std::span<const uint8_t> bytes);

// Deterministic bytes that do not compress.
Bytes NoiseBytes(size_t size, uint32_t seed);

// A zlib stream of stored (uncompressed) deflate blocks, so its size is predictable.
Bytes CompressStored(std::span<const uint8_t> content);

// A heap copy of exactly the first size bytes, so that AddressSanitizer sees reads past it.
Bytes ExactPrefix(std::span<const uint8_t> bytes, size_t size);

Bytes ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, std::span<const uint8_t> bytes);

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return m_path; }
  std::filesystem::path operator/(std::string_view name) const { return m_path / name; }

 private:
  std::filesystem::path m_path;
};

}  // namespace host_test
