// File helpers for the Windows tests (paths are 8-bit, as the installer's own file paths).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace test {

std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// Deletes a folder with everything in it; a missing folder is fine.
void RemoveTree(const std::string& path);
std::vector<uint8_t> Bytes(const std::string& text);
// Writes `text` as UTF-16LE after the byte-order mark FF FE, as the package's text files are.
void WriteUtf16Text(const std::string& path, const std::wstring& text);
// Joins lines with CR LF and no final line end, as the shipped text files end.
std::wstring CrLfLines(const std::vector<std::wstring>& lines);

}  // namespace test
