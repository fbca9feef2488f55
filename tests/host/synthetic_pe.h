// A minimal Windows executable image holding one resource with a named type, for testing the
// resource-directory reader with hand-made bytes. Layout: headers, a .text section at file
// offset 0x200 (RVA 0x1000), a .rsrc section at file offset 0x400 (RVA 0x2000).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "tests/host/test_support.h"

namespace host_test {

struct PeResource {
  bool pe32Plus = false;
  std::u16string type = u"INSTALL";
  std::optional<uint16_t> numericType;  // instead of the named type
  uint16_t id = 142;
  uint16_t language = 2052;
  Bytes data;
};

// File offsets of the fields tests tamper with.
struct SyntheticPeLayout {
  static constexpr size_t kOptionalHeader = 0x58;
  static constexpr size_t kTextSection = 0x200;
  static constexpr uint32_t kTextRva = 0x1000;
  static constexpr size_t kResources = 0x400;
  static constexpr uint32_t kResourcesRva = 0x2000;
  static constexpr size_t kTypeEntry = kResources + 16;   // in the root directory
  static constexpr size_t kLanguageEntry = kResources + 64;
  static constexpr size_t kDataEntry = kResources + 72;   // RVA, size, code page, reserved
  static constexpr size_t kData = kResources + 104;
};

Bytes BuildSyntheticPe(const PeResource& resource);

// Offset of the data directory table in the optional header, and of NumberOfRvaAndSizes.
size_t DataDirectoriesOffset(bool pe32Plus);
size_t RvaAndSizesCountOffset(bool pe32Plus);

// What Authenticode signing does to a file: zero bytes up to an 8-byte boundary, then a
// certificate table of tableSize bytes (a multiple of 8), named by data directory 4.
// Returns the table's offset.
size_t AppendCertificateTable(Bytes& file, bool pe32Plus, uint32_t tableSize = 1512);
size_t CertificateDirectoryOffset(bool pe32Plus);

void Put16(Bytes& bytes, size_t offset, uint16_t value);
void Put32(Bytes& bytes, size_t offset, uint32_t value);

}  // namespace host_test
