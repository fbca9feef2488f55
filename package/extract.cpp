#include "package/extract.h"

#include "platform/files.h"
#include "platform/handle.h"
#include "platform/link_safe_files.h"

namespace package {
namespace {

// The output file, created "wb" so that no newline is translated, and never through a link
// planted in an install folder that existed before. The error of a failed call is kept at once:
// closing the file and inflation's clean-up come before the caller looks.
class CrtFileSink : public OutputSink {
 public:
  explicit CrtFileSink(const char* path) : m_path(path) {}
  bool Create() override {
    m_file.Attach(platform::files::OpenStreamWithoutLinks(m_path));
    return m_file.IsValid() || Failed();
  }
  bool Write(const uint8_t* bytes, uint32_t size) override {
    return (platform::files::fwrite(bytes, size, m_file.Get()) == size && !std::ferror(m_file.Get())) || Failed();
  }
  bool Finish() override { return platform::files::fclose(m_file.Detach()) == 0 || Failed(); }
  DWORD Error() const { return m_error; }

 private:
  bool Failed() {
    m_error = ::GetLastError();
    return false;
  }

  const char* m_path;
  platform::UniqueCrtFile m_file;
  DWORD m_error = ERROR_SUCCESS;
};

class FileChunkSource : public ChunkSource {
 public:
  explicit FileChunkSource(HANDLE file) : m_file(file) {}
  int32_t ReadChunk(uint8_t* buffer, uint32_t want) override {
    DWORD read = 0;
    if (!platform::files::ReadFile(m_file, buffer, want, &read)) return -1;
    return static_cast<int32_t>(read);
  }

 private:
  HANDLE m_file;
};

class MemorySink : public OutputSink {
 public:
  explicit MemorySink(size_t limit) : m_limit(limit) {}
  bool Create() override { return true; }
  bool Write(const uint8_t* bytes, uint32_t size) override {
    if (size > m_limit - m_bytes.size()) return false;
    m_bytes.insert(m_bytes.end(), bytes, bytes + size);
    return true;
  }
  std::vector<uint8_t> m_bytes;

 private:
  size_t m_limit;
};

std::optional<std::vector<uint8_t>> InflateToMemory(ChunkSource& source, uint32_t storedSize, size_t limit) {
  MemorySink sink(limit);
  ProgressCounter progress;
  if (InflateEntry(source, storedSize, sink, progress) != kExtractOk) return std::nullopt;
  return std::move(sink.m_bytes);
}

int32_t Extract(ChunkSource& source, uint32_t storedSize, const char* outputPath, ProgressCounter* progress,
                DWORD* outputError) {
  CrtFileSink sink(outputPath);
  ProgressCounter unshown;
  const int32_t result = InflateEntry(source, storedSize, sink, progress != nullptr ? *progress : unshown);
  if (outputError != nullptr) *outputError = sink.Error();
  return result;
}

}  // namespace

std::optional<std::vector<uint8_t>> InflateFromMemory(const uint8_t* storedBytes, uint32_t storedSize, size_t limit) {
  MemoryChunkSource source({storedBytes, storedBytes == nullptr ? 0 : storedSize});
  return InflateToMemory(source, storedSize, limit);
}

std::optional<std::vector<uint8_t>> InflateFromFile(HANDLE file, uint32_t storedSize, size_t limit) {
  FileChunkSource source(file);
  return InflateToMemory(source, storedSize, limit);
}

int32_t ExtractFromMemory(const uint8_t* storedBytes, uint32_t storedSize, const char* outputPath,
                          ProgressCounter* progress, DWORD* outputError) {
  MemoryChunkSource source({storedBytes, storedBytes == nullptr ? 0 : storedSize});
  return Extract(source, storedSize, outputPath, progress, outputError);
}

int32_t ExtractFromFile(HANDLE file, uint32_t storedSize, const char* outputPath, ProgressCounter* progress,
                        DWORD* outputError) {
  FileChunkSource source(file);
  return Extract(source, storedSize, outputPath, progress, outputError);
}

}  // namespace package
