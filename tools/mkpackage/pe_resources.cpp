#include "tools/mkpackage/pe_resources.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "package/package_walk.h"
#include "package/pe_headers.h"

namespace mkpackage {

namespace {

constexpr uint64_t kDirectoryHeaderSize = 16;
constexpr uint64_t kDirectoryEntrySize = 8;
constexpr uint64_t kDataEntrySize = 16;
constexpr uint32_t kHighBit = 0x80000000u;

bool Fits(std::span<const uint8_t> bytes, uint64_t offset, uint64_t length) {
  return offset <= bytes.size() && length <= bytes.size() - offset;
}

uint16_t Read16(std::span<const uint8_t> bytes, uint64_t offset) {
  return static_cast<uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

uint32_t Read32(std::span<const uint8_t> bytes, uint64_t offset) {
  return package::ReadLittleEndian32(bytes.data() + offset);
}

struct Section {
  uint32_t virtualAddress = 0;
  uint32_t fileBackedSize = 0;  // the part of the section that has bytes in the file
  uint32_t rawOffset = 0;
};

class PeImage {
 public:
  explicit PeImage(std::span<const uint8_t> file) : m_file(file) {}

  PeProblem ReadHeaders();
  uint32_t ResourceRva() const { return m_resourceRva; }
  uint32_t ResourceSize() const { return m_resourceSize; }
  // The file bytes from rva to the end of its section's file data.
  std::optional<std::span<const uint8_t>> MapRva(uint32_t rva) const;

 private:
  void ReadSections(uint64_t table, uint16_t count);

  std::span<const uint8_t> m_file;
  uint32_t m_resourceRva = 0;
  uint32_t m_resourceSize = 0;
  std::vector<Section> m_sections;
};

PeProblem PeImage::ReadHeaders() {
  package::PeHeaders layout;
  switch (package::ReadPeHeaders(m_file, layout)) {
    case package::PeHeaderProblem::None: break;
    case package::PeHeaderProblem::NotPe: return PeProblem::NotPe;
    case package::PeHeaderProblem::BadHeaders: return PeProblem::BadHeaders;
  }
  ReadSections(layout.sectionTable, layout.sectionCount);
  const auto resources = package::ReadDataDirectory(m_file, layout, package::kResourceDirectory);
  if (!resources || resources->address == 0 || resources->size == 0) return PeProblem::NoResources;
  m_resourceRva = resources->address;
  m_resourceSize = resources->size;
  return PeProblem::None;
}

void PeImage::ReadSections(uint64_t table, uint16_t count) {
  for (uint64_t header = table; header < table + count * package::kSectionHeaderSize;
       header += package::kSectionHeaderSize) {
    const uint32_t virtualSize = Read32(m_file, header + 8);
    const uint32_t rawSize = Read32(m_file, header + 16);
    m_sections.push_back({Read32(m_file, header + 12),
                          virtualSize == 0 ? rawSize : std::min(virtualSize, rawSize),
                          Read32(m_file, header + 20)});
  }
}

std::optional<std::span<const uint8_t>> PeImage::MapRva(uint32_t rva) const {
  for (const Section& section : m_sections) {
    if (rva < section.virtualAddress) continue;
    const uint32_t into = rva - section.virtualAddress;
    if (into >= section.fileBackedSize) continue;
    const uint64_t offset = uint64_t(section.rawOffset) + into;
    if (offset > m_file.size()) return std::nullopt;
    const uint64_t available =
        std::min<uint64_t>(section.fileBackedSize - into, m_file.size() - offset);
    return m_file.subspan(offset, available);
  }
  return std::nullopt;
}

char16_t FoldAscii(char16_t c) { return c >= u'a' && c <= u'z' ? c - u'a' + u'A' : c; }

// A named entry points (high bit set) at a u16 length and that many UTF-16 units.
bool NameMatches(std::span<const uint8_t> resources, uint32_t nameField, std::u16string_view wanted) {
  if ((nameField & kHighBit) == 0) return false;
  const uint64_t offset = nameField & ~kHighBit;
  if (!Fits(resources, offset, 2)) return false;
  const uint16_t length = Read16(resources, offset);
  if (length != wanted.size() || !Fits(resources, offset + 2, uint64_t(length) * 2)) return false;
  for (uint64_t i = 0; i < length; ++i) {
    if (FoldAscii(Read16(resources, offset + 2 + 2 * i)) != FoldAscii(wanted[i])) return false;
  }
  return true;
}

// Where one level of the directory tree leads: with the high bit, a subdirectory.
struct Step {
  PeProblem problem = PeProblem::None;
  uint32_t target = 0;
};

template <typename Match>
Step FindEntry(std::span<const uint8_t> resources, uint64_t directory, Match matches) {
  if (!Fits(resources, directory, kDirectoryHeaderSize)) return {PeProblem::BadResourceDirectory, {}};
  const uint64_t count =
      uint64_t(Read16(resources, directory + 12)) + Read16(resources, directory + 14);
  const uint64_t first = directory + kDirectoryHeaderSize;
  if (!Fits(resources, first, count * kDirectoryEntrySize)) {
    return {PeProblem::BadResourceDirectory, {}};
  }
  for (uint64_t entry = first; entry < first + count * kDirectoryEntrySize;
       entry += kDirectoryEntrySize) {
    if (matches(Read32(resources, entry))) return {PeProblem::None, Read32(resources, entry + 4)};
  }
  return {PeProblem::NotFound, {}};
}

template <typename Match>
Step Descend(std::span<const uint8_t> resources, Step from, Match matches) {
  if (from.problem != PeProblem::None) return from;
  if ((from.target & kHighBit) == 0) return {PeProblem::BadResourceDirectory, {}};
  return FindEntry(resources, from.target & ~kHighBit, matches);
}

PeResourceLookup ReadDataEntry(const PeImage& image, std::span<const uint8_t> resources,
                               uint32_t offset) {
  if (!Fits(resources, offset, kDataEntrySize)) return {PeProblem::BadResourceDirectory, {}};
  const uint32_t size = Read32(resources, offset + 4);
  const auto mapped = image.MapRva(Read32(resources, offset));
  if (!mapped || mapped->size() < size) return {PeProblem::BadDataEntry, {}};
  return {PeProblem::None, mapped->first(size)};
}

}  // namespace

const char* DescribePeProblem(PeProblem problem) {
  switch (problem) {
    case PeProblem::None: return "no problem";
    case PeProblem::NotPe: return "not a Windows executable";
    case PeProblem::BadHeaders: return "executable headers are malformed or cut short";
    case PeProblem::NoResources: return "executable has no resources";
    case PeProblem::BadResourceDirectory: return "resource directory is malformed";
    case PeProblem::NotFound: return "resource not present";
    case PeProblem::BadDataEntry: return "resource data lies outside the file";
  }
  return "unknown problem";
}

PeResourceLookup LookUpPeResource(std::span<const uint8_t> file, std::u16string_view type,
                                  uint16_t id) {
  PeImage image(file);
  if (PeProblem problem = image.ReadHeaders(); problem != PeProblem::None) return {problem, {}};
  const auto mapped = image.MapRva(image.ResourceRva());
  if (!mapped) return {PeProblem::BadResourceDirectory, {}};
  const auto resources = mapped->first(std::min<uint64_t>(mapped->size(), image.ResourceSize()));

  Step step{PeProblem::None, kHighBit};  // the root directory, at offset 0
  step = Descend(resources, step, [&](uint32_t name) { return NameMatches(resources, name, type); });
  step = Descend(resources, step, [id](uint32_t name) { return name == id; });
  step = Descend(resources, step, [](uint32_t) { return true; });
  if (step.problem != PeProblem::None) return {step.problem, {}};
  if ((step.target & kHighBit) != 0) return {PeProblem::BadResourceDirectory, {}};
  return ReadDataEntry(image, resources, step.target);
}

std::optional<std::span<const uint8_t>> FindPeResource(std::span<const uint8_t> file,
                                                       std::u16string_view type, uint16_t id) {
  const PeResourceLookup lookup = LookUpPeResource(file, type, id);
  if (lookup.problem != PeProblem::None) return std::nullopt;
  return lookup.data;
}

}  // namespace mkpackage
