#include "tests/host/synthetic_pe.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace host_test {

namespace {

constexpr size_t kSectionTableEntry = 40;
constexpr size_t kFileAlignment = 0x200;

size_t AlignUp(size_t value) { return (value + kFileAlignment - 1) / kFileAlignment * kFileAlignment; }

void PutSection(Bytes& file, size_t header, const char* name, uint32_t rva, uint32_t virtualSize,
                uint32_t rawSize, uint32_t rawOffset) {
  std::memcpy(file.data() + header, name, std::strlen(name));
  Put32(file, header + 8, virtualSize);
  Put32(file, header + 12, rva);
  Put32(file, header + 16, rawSize);
  Put32(file, header + 20, rawOffset);
}

// Root -> type -> id -> language -> data entry, then the type name, then the data.
void PutResourceTree(Bytes& file, const PeResource& resource) {
  using L = SyntheticPeLayout;
  const size_t base = L::kResources;
  const uint32_t nameOffset = 88;
  if (resource.type.size() > 7) throw std::invalid_argument("the layout holds type names of 7 units");
  for (size_t directory : {size_t(0), size_t(24), size_t(48)}) {
    const bool named = directory == 0 && !resource.numericType;
    Put16(file, base + directory + (named ? 12 : 14), 1);
  }
  Put32(file, base + 16, resource.numericType ? *resource.numericType : 0x80000000u | nameOffset);
  Put32(file, base + 20, 0x80000000u | 24);
  Put32(file, base + 40, resource.id);
  Put32(file, base + 44, 0x80000000u | 48);
  Put32(file, base + 64, resource.language);
  Put32(file, base + 68, 72);
  Put32(file, L::kDataEntry, L::kResourcesRva + uint32_t(L::kData - base));
  Put32(file, L::kDataEntry + 4, static_cast<uint32_t>(resource.data.size()));
  Put16(file, base + nameOffset, static_cast<uint16_t>(resource.type.size()));
  for (size_t i = 0; i < resource.type.size(); ++i) {
    Put16(file, base + nameOffset + 2 + 2 * i, resource.type[i]);
  }
  std::copy(resource.data.begin(), resource.data.end(), file.begin() + L::kData);
}

}  // namespace

void Put16(Bytes& bytes, size_t offset, uint16_t value) {
  bytes[offset] = static_cast<uint8_t>(value);
  bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

void Put32(Bytes& bytes, size_t offset, uint32_t value) {
  Put16(bytes, offset, static_cast<uint16_t>(value));
  Put16(bytes, offset + 2, static_cast<uint16_t>(value >> 16));
}

size_t DataDirectoriesOffset(bool pe32Plus) { return pe32Plus ? 112 : 96; }

size_t CertificateDirectoryOffset(bool pe32Plus) {
  return SyntheticPeLayout::kOptionalHeader + DataDirectoriesOffset(pe32Plus) + 4 * 8;
}

size_t AppendCertificateTable(Bytes& file, bool pe32Plus, uint32_t tableSize) {
  file.resize((file.size() + 7) / 8 * 8, 0);
  const size_t table = file.size();
  Put32(file, CertificateDirectoryOffset(pe32Plus), static_cast<uint32_t>(table));
  Put32(file, CertificateDirectoryOffset(pe32Plus) + 4, tableSize);
  // WIN_CERTIFICATE: length, revision 2.0, PKCS#7 signed data; the rest stands in for the signature.
  Bytes certificate(tableSize, 0xa5);
  Put32(certificate, 0, tableSize);
  Put16(certificate, 4, 0x0200);
  Put16(certificate, 6, 0x0002);
  file.insert(file.end(), certificate.begin(), certificate.end());
  return table;
}
size_t RvaAndSizesCountOffset(bool pe32Plus) { return pe32Plus ? 108 : 92; }

Bytes BuildSyntheticPe(const PeResource& resource) {
  using L = SyntheticPeLayout;
  const size_t resourceSize = L::kData - L::kResources + resource.data.size();
  Bytes file(L::kResources + AlignUp(resourceSize), 0);
  file[0] = 'M';
  file[1] = 'Z';
  Put32(file, 0x3c, 0x40);
  std::memcpy(file.data() + 0x40, "PE\0\0", 4);
  const uint16_t optionalSize = static_cast<uint16_t>(DataDirectoriesOffset(resource.pe32Plus) + 16 * 8);
  Put16(file, 0x44, resource.pe32Plus ? 0x8664 : 0x14c);
  Put16(file, 0x46, 2);
  Put16(file, 0x54, optionalSize);
  Put16(file, L::kOptionalHeader, resource.pe32Plus ? 0x20b : 0x10b);
  Put32(file, L::kOptionalHeader + RvaAndSizesCountOffset(resource.pe32Plus), 16);
  const size_t resourceField = L::kOptionalHeader + DataDirectoriesOffset(resource.pe32Plus) + 2 * 8;
  Put32(file, resourceField, L::kResourcesRva);
  Put32(file, resourceField + 4, static_cast<uint32_t>(resourceSize));
  const size_t sections = L::kOptionalHeader + optionalSize;
  PutSection(file, sections, ".text", L::kTextRva, 0x10, kFileAlignment, L::kTextSection);
  PutSection(file, sections + kSectionTableEntry, ".rsrc", L::kResourcesRva,
             static_cast<uint32_t>(resourceSize), static_cast<uint32_t>(AlignUp(resourceSize)),
             L::kResources);
  std::memcpy(file.data() + L::kTextSection, "text section bytes", 18);
  PutResourceTree(file, resource);
  return file;
}

}  // namespace host_test
