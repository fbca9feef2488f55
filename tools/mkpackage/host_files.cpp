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
  throw CommandError(std::string("cannot ") + action + " " + Utf8Of(path) + ": " + std::strerror(errno));
}

// Windows' fopen takes ANSI names; its wide twin takes every name.
std::FILE* OpenFile(const std::filesystem::path& path, bool write) {
#if defined(_WIN32)
  return _wfopen(path.c_str(), write ? L"wb" : L"rb");
#else
  return std::fopen(path.c_str(), write ? "wb" : "rb");
#endif
}

}  // namespace

std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string Utf8Of(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::vector<uint8_t> ReadWholeFile(const std::filesystem::path& path) {
  FileHandle file(OpenFile(path, false));
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
  FileHandle file(OpenFile(path, true));
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
  m_file = OpenFile(m_path, true);
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
