#include "package/inflate_entry.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace package {

int32_t MemoryChunkSource::ReadChunk(uint8_t* buffer, uint32_t want) {
  const size_t count = std::min<size_t>(want, m_bytes.size() - m_offset);
  // An empty span may have a null data pointer, which memcpy must not get even for 0 bytes.
  if (count > 0) std::memcpy(buffer, m_bytes.data() + m_offset, count);
  m_offset += count;
  return static_cast<int32_t>(count);
}

namespace {

// Owns the inflate stream so that it is ended on every path.
class InflateStream {
 public:
  int Init() {
    std::memset(&m_stream, 0, sizeof m_stream);
    const int result = inflateInit(&m_stream);
    m_active = result == Z_OK;
    return result;
  }
  ~InflateStream() {
    if (m_active) inflateEnd(&m_stream);
  }
  z_stream& operator*() { return m_stream; }

 private:
  z_stream m_stream;
  bool m_active = false;
};

// One entry's share of the walk's progress: what inflation consumes as it goes, and on every way
// out the stored bytes it left unread (a stream that ended early, bad data), so that the next
// entry starts where the walk expects it.
class EntryProgress {
 public:
  EntryProgress(ProgressCounter& walk, uint32_t storedSize) : m_walk(walk), m_storedSize(storedSize) {}
  ~EntryProgress() { m_walk.Consume(m_storedSize - std::min(m_consumed, m_storedSize)); }
  EntryProgress(const EntryProgress&) = delete;
  EntryProgress& operator=(const EntryProgress&) = delete;
  void Consume(uint32_t storedBytes) {
    m_consumed += storedBytes;
    m_walk.Consume(storedBytes);
  }

 private:
  ProgressCounter& m_walk;
  uint32_t m_storedSize;
  uint32_t m_consumed = 0;
};

enum class ChunkOutcome { Continue, StreamEnded, Failed };

// Inflates one input chunk until zlib leaves output space free; sets result on failure.
ChunkOutcome InflateChunk(z_stream& stream, OutputSink& sink, EntryProgress& progress,
                          int32_t& result) {
  uint8_t output[kChunkSize];
  int code = Z_OK;
  do {
    stream.next_out = output;
    stream.avail_out = kChunkSize;
    const uInt inputBefore = stream.avail_in;
    code = inflate(&stream, Z_NO_FLUSH);
    if (code == Z_NEED_DICT || code == Z_DATA_ERROR) {
      result = kExtractBadData;
      return ChunkOutcome::Failed;
    }
    if (code == Z_MEM_ERROR) {
      result = kExtractOutOfMemory;
      return ChunkOutcome::Failed;
    }
    const uint32_t produced = kChunkSize - stream.avail_out;
    if (produced > 0 && !sink.Write(output, produced)) {
      result = kExtractOutputFailed;
      return ChunkOutcome::Failed;
    }
    progress.Consume(inputBefore - stream.avail_in);  // once its output is written
  } while (stream.avail_out == 0);
  return code == Z_STREAM_END ? ChunkOutcome::StreamEnded : ChunkOutcome::Continue;
}

}  // namespace

int32_t InflateEntry(ChunkSource& source, uint32_t storedSize, OutputSink& sink,
                     ProgressCounter& walkProgress) {
  EntryProgress progress(walkProgress, storedSize);
  InflateStream stream;
  if (const int init = stream.Init(); init != Z_OK) return init;
  if (!sink.Create()) return kExtractOutputFailed;

  uint8_t input[kChunkSize];
  uint32_t remaining = storedSize;
  bool complete = false;
  for (;;) {
    const uint32_t want = std::min(remaining, kChunkSize);
    const int32_t got = source.ReadChunk(input, want);
    if (got < 0) return kExtractOutputFailed;
    if (got == 0) break;
    (*stream).next_in = input;
    (*stream).avail_in = static_cast<uInt>(got);
    int32_t result = kExtractOk;
    const ChunkOutcome outcome = InflateChunk(*stream, sink, progress, result);
    if (outcome == ChunkOutcome::Failed) return result;
    remaining -= std::min(remaining, static_cast<uint32_t>(got));
    if (remaining == 0 || outcome == ChunkOutcome::StreamEnded) {
      complete = true;
      break;
    }
  }
  if (!complete) return kExtractBadData;
  return sink.Finish() ? kExtractOk : kExtractOutputFailed;
}

}  // namespace package
