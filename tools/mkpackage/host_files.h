// Whole-file reads and writes for mkpackage; failures throw CommandError with the reason.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "package/inflate_entry.h"

namespace mkpackage {

// A failure reported as "mkpackage: <what>" with exit status 1.
class CommandError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Command-line text is UTF-8 in both builds (the Windows one converts its wide arguments).
std::filesystem::path PathFromUtf8(std::string_view text);
std::string Utf8Of(const std::filesystem::path& path);

std::vector<uint8_t> ReadWholeFile(const std::filesystem::path& path);
void WriteWholeFile(const std::filesystem::path& path, std::span<const uint8_t> bytes);

// InflateEntry's output as a file on the host.
class FileSink : public package::OutputSink {
 public:
  explicit FileSink(std::filesystem::path path) : m_path(std::move(path)) {}
  ~FileSink() override;
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;

  bool Create() override;
  bool Write(const uint8_t* bytes, uint32_t size) override;
  // Flushes and closes; false when any write failed.
  bool Close();

 private:
  std::filesystem::path m_path;
  std::FILE* m_file = nullptr;
};

}  // namespace mkpackage
