// Decompressing one package entry into a file, from the package copy in memory or from the
// installer file. Results as in inflate_entry.h: 0 written, -1 output or read failure,
// -3 bad or missing data, -4 out of memory, other negative: zlib's initialisation code.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "package/inflate_entry.h"

namespace package {

// progress (may be null) runs across a whole walk. outputError, when given, receives the Win32
// error of the output call that failed (read at once, before anything else can overwrite it),
// else ERROR_SUCCESS.
int32_t ExtractFromMemory(const uint8_t* storedBytes, uint32_t storedSize, const char* outputPath,
                          ProgressCounter* progress = nullptr, DWORD* outputError = nullptr);

// file must be positioned at the stored bytes.
int32_t ExtractFromFile(HANDLE file, uint32_t storedSize, const char* outputPath,
                        ProgressCounter* progress = nullptr, DWORD* outputError = nullptr);

// The entry's bytes in memory, for the few small files the installer reads itself; nothing when
// the entry is bad or would inflate past `limit` bytes.
std::optional<std::vector<uint8_t>> InflateFromMemory(const uint8_t* storedBytes, uint32_t storedSize, size_t limit);
// The same from the installer file, positioned at the stored bytes.
std::optional<std::vector<uint8_t>> InflateFromFile(HANDLE file, uint32_t storedSize, size_t limit);

}  // namespace package
