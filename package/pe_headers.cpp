#include "package/pe_headers.h"

#include <algorithm>
#include <cstring>

namespace package {
namespace {

constexpr uint64_t kDosHeaderSize = 0x40;
constexpr uint64_t kSignatureOffsetField = 0x3c;
constexpr uint64_t kCoffHeaderSize = 20;
constexpr uint16_t kPe32Magic = 0x10b;
constexpr uint16_t kPe32PlusMagic = 0x20b;

bool Fits(std::span<const uint8_t> bytes, uint64_t offset, uint64_t length) {
  return offset <= bytes.size() && length <= bytes.size() - offset;
}

// Callers check that the bytes fit first.
uint16_t Read16(std::span<const uint8_t> bytes, uint64_t offset) {
  return static_cast<uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

uint32_t Read32(std::span<const uint8_t> bytes, uint64_t offset) {
  return ReadLittleEndian32(bytes.data() + offset);
}

// Where NumberOfRvaAndSizes sits in the optional header: PE32 and PE32+ differ; 0 for neither.
uint64_t DirectoryCountField(uint16_t magic) {
  return magic == kPe32Magic ? 92 : magic == kPe32PlusMagic ? 108 : 0;
}

PeHeaderProblem ReadDirectoryTable(std::span<const uint8_t> bytes, uint16_t optionalSize, PeHeaders& layout) {
  if (optionalSize < 2) return PeHeaderProblem::BadHeaders;
  const uint64_t countField = DirectoryCountField(Read16(bytes, layout.optionalHeader));
  if (countField == 0 || optionalSize < countField + 4) return PeHeaderProblem::BadHeaders;
  const uint64_t directories = countField + 4;
  layout.dataDirectories = layout.optionalHeader + directories;
  layout.dataDirectoryCount = static_cast<uint32_t>(std::min<uint64_t>(
      Read32(bytes, layout.optionalHeader + countField), (optionalSize - directories) / kDataDirectorySize));
  return PeHeaderProblem::None;
}

}  // namespace

PeHeaderProblem ReadPeHeaders(std::span<const uint8_t> bytes, PeHeaders& layout) {
  layout = PeHeaders{};
  if (!Fits(bytes, 0, kDosHeaderSize) || bytes[0] != 'M' || bytes[1] != 'Z') return PeHeaderProblem::NotPe;
  const uint64_t signature = Read32(bytes, kSignatureOffsetField);
  if (!Fits(bytes, signature, 4 + kCoffHeaderSize)) return PeHeaderProblem::BadHeaders;
  if (std::memcmp(bytes.data() + signature, "PE\0\0", 4) != 0) return PeHeaderProblem::NotPe;
  const uint64_t coffHeader = signature + 4;
  const uint16_t optionalSize = Read16(bytes, coffHeader + 16);
  layout.sectionCount = Read16(bytes, coffHeader + 2);
  layout.optionalHeader = coffHeader + kCoffHeaderSize;
  layout.sectionTable = layout.optionalHeader + optionalSize;
  if (!Fits(bytes, layout.optionalHeader, optionalSize) ||
      !Fits(bytes, layout.sectionTable, layout.sectionCount * kSectionHeaderSize)) {
    return PeHeaderProblem::BadHeaders;
  }
  return ReadDirectoryTable(bytes, optionalSize, layout);
}

std::optional<DataDirectory> ReadDataDirectory(std::span<const uint8_t> bytes, const PeHeaders& layout,
                                               uint32_t index) {
  if (index >= layout.dataDirectoryCount) return std::nullopt;
  const uint64_t entry = layout.dataDirectories + uint64_t(index) * kDataDirectorySize;
  return DataDirectory{entry, Read32(bytes, entry), Read32(bytes, entry + 4)};
}

std::optional<uint64_t> TrailingCertificateTable(std::span<const uint8_t> headers, uint64_t fileSize) {
  PeHeaders layout;
  if (ReadPeHeaders(headers, layout) != PeHeaderProblem::None) return std::nullopt;
  const std::optional<DataDirectory> table = ReadDataDirectory(headers, layout, kCertificateDirectory);
  if (!table || table->size == 0 || table->address > fileSize || table->size > fileSize - table->address) {
    return std::nullopt;
  }
  if (fileSize - table->address - table->size >= kCertificateAlignment) return std::nullopt;
  return table->address;
}

}  // namespace package
