#include "texts/file_bytes.h"

#include <cstdio>

#include "platform/files.h"
#include "platform/handle.h"

namespace texts {

std::optional<std::vector<uint8_t>> ReadFileBytes(const wchar_t* path) {
  platform::UniqueCrtFile file(platform::files::_wfopen(path, L"rb"));
  if (!file) return std::nullopt;
  std::vector<uint8_t> bytes;
  uint8_t chunk[16384];
  while (const size_t got = std::fread(chunk, 1, sizeof chunk, file.Get())) {
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  return bytes;
}

}  // namespace texts
