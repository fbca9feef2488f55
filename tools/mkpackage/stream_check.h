// Strict check of one entry's stored bytes. The installer's InflateEntry accepts a stream that
// ends early or is cut short; verify and list must not.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace mkpackage {

struct StreamCheck {
  std::string problem;  // empty when the stored bytes are exactly one complete zlib stream
  uint64_t uncompressedSize = 0;

  bool Ok() const { return problem.empty(); }
};

// Inflates to Z_STREAM_END (which checks the Adler-32) and requires every stored byte used.
StreamCheck CheckZlibStream(std::span<const uint8_t> stored);

}  // namespace mkpackage
