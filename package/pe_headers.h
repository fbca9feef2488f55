// The parts of a Windows executable's (PE/COFF) headers that the package readers need, read from
// untrusted bytes: every offset is checked against the bytes before it is read. Portable, like
// package_walk, so that the installer and mkpackage agree on where a signed file's package ends.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "package/package_walk.h"

namespace package {

enum class PeHeaderProblem {
  None,
  NotPe,       // no MZ header or no PE signature
  BadHeaders,  // headers or section table past the end of the bytes, unknown optional header
};

struct PeHeaders {
  uint64_t optionalHeader = 0;  // offsets from the start of the file
  uint64_t sectionTable = 0;
  uint16_t sectionCount = 0;
  uint64_t dataDirectories = 0;
  uint32_t dataDirectoryCount = 0;  // entries both announced and inside the optional header
};

constexpr uint32_t kResourceDirectory = 2;
constexpr uint32_t kCertificateDirectory = 4;  // its address is a file offset, not an RVA
constexpr uint64_t kSectionHeaderSize = 40;
constexpr uint64_t kDataDirectorySize = 8;
// Signing starts the certificate table on an 8-byte boundary, padding the file with zero bytes.
constexpr uint64_t kCertificateAlignment = 8;
// How much of a file TrailingCertificateTable reads for the headers: linkers keep them in the
// first 1 KiB; a file whose headers lie beyond is treated as unsigned.
constexpr uint32_t kPeHeaderWindow = 4096;

// headers: the first bytes of the file, or all of it.
PeHeaderProblem ReadPeHeaders(std::span<const uint8_t> headers, PeHeaders& layout);

struct DataDirectory {
  uint64_t entryOffset = 0;  // where the directory's entry sits in the optional header
  uint32_t address = 0;
  uint32_t size = 0;
};

// Nothing when the headers hold no entry for index.
std::optional<DataDirectory> ReadDataDirectory(std::span<const uint8_t> headers, const PeHeaders& layout,
                                               uint32_t index);

// The offset of an Authenticode certificate table that ends a file of fileSize bytes (up to 7
// bytes of its own padding may follow it), given the file's first bytes; nothing for a file that
// is no PE image, is unsigned, or carries its table elsewhere.
std::optional<uint64_t> TrailingCertificateTable(std::span<const uint8_t> headers, uint64_t fileSize);

}  // namespace package
