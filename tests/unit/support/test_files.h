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

}  // namespace test
