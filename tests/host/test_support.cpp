#include "tests/host/test_support.h"

#include <zlib.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace host_test {

Bytes ToBytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

std::string ToText(std::span<const uint8_t> bytes) { return std::string(bytes.begin(), bytes.end()); }

Bytes NoiseBytes(size_t size, uint32_t seed) {
  Bytes bytes(size);
  uint32_t state = seed | 1;
  for (uint8_t& byte : bytes) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    byte = static_cast<uint8_t>(state >> 24);
  }
  return bytes;
}

Bytes CompressStored(std::span<const uint8_t> content) {
  uLongf capacity = compressBound(static_cast<uLong>(content.size()));
  Bytes stored(capacity);
  if (compress2(stored.data(), &capacity, content.data(), static_cast<uLong>(content.size()),
                Z_NO_COMPRESSION) != Z_OK) {
    throw std::runtime_error("compress2 failed");
  }
  stored.resize(capacity);
  return stored;
}

Bytes ExactPrefix(std::span<const uint8_t> bytes, size_t size) {
  return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
}

Bytes ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot open " + path.string());
  return Bytes(std::istreambuf_iterator<char>(file), {});
}

void WriteFileBytes(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "host_test.XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  m_path = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

}  // namespace host_test
