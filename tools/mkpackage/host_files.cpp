#include "tools/mkpackage/host_files.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <string>

namespace mkpackage {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

[[noreturn]] void ThrowFileError(const char* action, const std::filesystem::path& path) {
  throw CommandError(std::string("cannot ") + action + " " + path.string() + ": " +
                     std::strerror(errno));
}

}  // namespace

std::vector<uint8_t> ReadWholeFile(const std::filesystem::path& path) {
  FileHandle file(std::fopen(path.c_str(), "rb"));
  if (!file) ThrowFileError("open", path);
  std::vector<uint8_t> bytes;
  uint8_t buffer[65536];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
    bytes.insert(bytes.end(), buffer, buffer + got);
  }
  if (std::ferror(file.get())) ThrowFileError("read", path);
  return bytes;
}

void WriteWholeFile(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
  FileHandle file(std::fopen(path.c_str(), "wb"));
  if (!file) ThrowFileError("create", path);
  if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
    ThrowFileError("write", path);
  }
  if (std::fclose(file.release()) != 0) ThrowFileError("write", path);
}

FileSink::~FileSink() {
  if (m_file != nullptr) std::fclose(m_file);
}

bool FileSink::Create() {
  m_file = std::fopen(m_path.c_str(), "wb");
  return m_file != nullptr;
}

bool FileSink::Write(const uint8_t* bytes, uint32_t size) {
  return m_file != nullptr && std::fwrite(bytes, 1, size, m_file) == size;
}

bool FileSink::Close() {
  std::FILE* file = m_file;
  m_file = nullptr;
  return file != nullptr && std::fclose(file) == 0;
}

}  // namespace mkpackage
