// Decompressing one package entry (one zlib stream) chunk by chunk, counting its stored bytes
// toward the progress position.
// Portable: the Win32 file and progress-bar ends are supplied by the caller.
#pragma once

#include <cstdint>
#include <span>

#include "package/progress_position.h"

namespace package {

constexpr uint32_t kChunkSize = 16384;

// Results of an extraction; other negative values are zlib's own initialisation codes.
constexpr int32_t kExtractOk = 0;
constexpr int32_t kExtractOutputFailed = -1;
constexpr int32_t kExtractBadData = -3;
constexpr int32_t kExtractOutOfMemory = -4;

// Where an entry's stored bytes come from.
class ChunkSource {
 public:
  virtual ~ChunkSource() = default;
  // Reads up to want bytes; returns the count read (0 when nothing is left) or -1 on failure.
  virtual int32_t ReadChunk(uint8_t* buffer, uint32_t want) = 0;
};

class MemoryChunkSource : public ChunkSource {
 public:
  explicit MemoryChunkSource(std::span<const uint8_t> bytes) : m_bytes(bytes) {}
  int32_t ReadChunk(uint8_t* buffer, uint32_t want) override;

 private:
  std::span<const uint8_t> m_bytes;
  size_t m_offset = 0;
};

// Where the uncompressed bytes go.
class OutputSink {
 public:
  virtual ~OutputSink() = default;
  virtual bool Create() = 0;
  // False when fewer bytes were written or the output reports an error.
  virtual bool Write(const uint8_t* bytes, uint32_t size) = 0;
  // After the last byte: false when the output could not be completed (a buffered write that
  // fails only when flushed, a full disk).
  virtual bool Finish() { return true; }
};

// Reads storedSize bytes from source in chunks of 16384, inflates them into sink.
// 0 when the stream ended or every stored byte was used; a partial output stays on failure.
// The entry's whole stored size counts as consumed when it returns, whatever the result.
int32_t InflateEntry(ChunkSource& source, uint32_t storedSize, OutputSink& sink,
                     ProgressCounter& progress);

}  // namespace package
