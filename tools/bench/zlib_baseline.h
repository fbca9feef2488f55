// The plain zlib loop the benchmarks compare against: one stream inflated 16 KiB of input and
// 16 KiB of output at a time, each output chunk handed to a consumer.
#pragma once

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <functional>

namespace bench {

using ChunkConsumer = std::function<bool(const uint8_t* bytes, uint32_t size)>;

// True when the stream ended and every chunk was taken.
inline bool InflateStream(const uint8_t* stored, uint32_t storedSize, const ChunkConsumer& consume) {
  constexpr uInt kChunk = 16384;
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return false;
  uint8_t output[kChunk];
  int code = Z_OK;
  for (uint32_t offset = 0; offset < storedSize && code == Z_OK;) {
    stream.next_in = const_cast<uint8_t*>(stored + offset);
    stream.avail_in = std::min<uInt>(kChunk, storedSize - offset);
    offset += stream.avail_in;
    do {
      stream.next_out = output;
      stream.avail_out = kChunk;
      code = inflate(&stream, Z_NO_FLUSH);
      if (code == Z_BUF_ERROR) code = Z_OK;  // no progress possible: the next input chunk is needed
      if (code != Z_OK && code != Z_STREAM_END) break;
      if (!consume(output, kChunk - stream.avail_out)) code = Z_ERRNO;
    } while (stream.avail_out == 0 && code == Z_OK);
  }
  inflateEnd(&stream);
  return code == Z_STREAM_END;
}

}  // namespace bench
