// Check of one entry's stored bytes. The installer's InflateEntry takes an entry whose zlib
// stream ends before its stored bytes do, and writes the stream's content: list and extract take
// it too (they show and lay down what the installer would); verify reports the trailing bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace mkpackage {

struct StreamCheck {
  std::string problem;  // empty when the stored bytes begin with one complete zlib stream
  uint64_t uncompressedSize = 0;
  uint64_t trailingBytes = 0;  // stored bytes after the stream's end

  bool Ok() const { return problem.empty(); }
  // The problem, or the trailing bytes as one: the strict view of verify.
  std::string StrictProblem() const;
};

// Inflates to Z_STREAM_END, which checks the Adler-32.
StreamCheck CheckZlibStream(std::span<const uint8_t> stored);

}  // namespace mkpackage
