// Reading a whole file for the text parsers, which take bytes and never touch files.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace texts {

// The bytes of the file at `path`, opened with _wfopen (so tests can make the open fail);
// nothing when it cannot be opened. A read error ends the bytes where it happened.
std::optional<std::vector<uint8_t>> ReadFileBytes(const wchar_t* path);

}  // namespace texts
