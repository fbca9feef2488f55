#include "tools/mkpackage/container.h"

#include "package/package_walk.h"
#include "tools/mkpackage/pe_resources.h"

namespace mkpackage {

namespace {

constexpr uint16_t kPackageResourceId = 142;
constexpr std::u16string_view kPackageResourceType = u"INSTALL";

std::string Describe(package::WalkError error) { return package::DescribeWalkError(error); }

std::string ExtraBytesMessage(uint64_t extra) {
  return std::to_string(extra) + " bytes follow the last entry";
}

}  // namespace

PackageRead ReadResourceForm(std::span<const uint8_t> data) {
  if (data.size() < 4) return std::string("too short to hold an entry count");
  package::ResourcePackageReader reader(data);
  Package result;
  package::MemoryEntry entry;
  while (reader.Next(entry)) {
    result.entries.push_back(
        {std::string(entry.name.text, entry.name.length), {entry.storedBytes, entry.storedSize}});
  }
  if (reader.Error() != package::WalkError::None) return Describe(reader.Error());
  if (reader.Offset() != data.size()) return ExtraBytesMessage(data.size() - reader.Offset());
  return result;
}

PackageRead ReadAppendedForm(std::span<const uint8_t> file) {
  package::MemoryByteSource source(file);
  package::AppendedPackageReader reader(source);
  if (!reader.Open()) return Describe(reader.Error());
  Package result;
  result.form = PackageForm::Appended;
  result.packageOffset = reader.PackageOffset();
  const auto header = file.subspan(uint64_t(reader.PackageOffset()) + 4, reader.HeaderLength());
  result.header.assign(header.begin(), header.end());
  uint64_t entriesEnd = uint64_t(reader.PackageOffset()) + 4 + reader.HeaderLength();
  package::FileEntry entry;
  while (reader.Next(entry)) {
    result.entries.push_back({std::string(entry.name.text, entry.name.length),
                              file.subspan(entry.storedOffset, entry.storedSize)});
    entriesEnd = entry.storedOffset + entry.storedSize;
  }
  if (reader.Error() != package::WalkError::None) return Describe(reader.Error());
  const uint64_t trailer = reader.PackageEnd() - package::kTrailerSize;
  if (entriesEnd != trailer) return ExtraBytesMessage(trailer - entriesEnd);
  result.signedFile = reader.PackageEnd() != file.size();
  return result;
}

PackageRead ReadPackage(std::span<const uint8_t> file) {
  const PeResourceLookup lookup = LookUpPeResource(file, kPackageResourceType, kPackageResourceId);
  if (lookup.problem == PeProblem::None) {
    PackageRead read = ReadResourceForm(lookup.data);
    if (auto* package = std::get_if<Package>(&read)) {
      package->form = PackageForm::PeResource;
      return read;
    }
    return "resource INSTALL/142: " + std::get<std::string>(read);
  }
  PackageRead raw = ReadResourceForm(file);
  if (std::holds_alternative<Package>(raw)) return raw;
  PackageRead appended = ReadAppendedForm(file);
  if (std::holds_alternative<Package>(appended)) return appended;

  std::string why = "no package found: as a resource package, " + std::get<std::string>(raw) +
                    "; as an appended package, " + std::get<std::string>(appended);
  if (lookup.problem != PeProblem::NotPe) {
    why += "; as a Windows executable, ";
    why += DescribePeProblem(lookup.problem);
  }
  return why;
}

std::string DescribeForm(const Package& package) {
  switch (package.form) {
    case PackageForm::Raw: return "resource-form package";
    case PackageForm::Appended:
      return "appended package at offset " + std::to_string(package.packageOffset) +
             (package.signedFile ? ", before an Authenticode signature" : "");
    case PackageForm::PeResource: return "package in resource INSTALL/142 of a Windows executable";
  }
  return "package";
}

}  // namespace mkpackage
