#include "tests/unit/support/test_files.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace test {

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void RemoveTree(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove_all(path, ignored);
}

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

void WriteUtf16Text(const std::string& path, const std::wstring& text) {
  std::vector<uint8_t> bytes = {0xFF, 0xFE};
  for (const wchar_t unit : text) {
    bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<uint8_t>(unit >> 8));
  }
  WriteBytes(path, bytes);
}

std::wstring CrLfLines(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (size_t index = 0; index < lines.size(); ++index) text += (index == 0 ? L"" : L"\r\n") + lines[index];
  return text;
}

}  // namespace test
