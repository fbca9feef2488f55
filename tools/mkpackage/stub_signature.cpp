#include "tools/mkpackage/stub_signature.h"

#include <algorithm>

#include "package/pe_headers.h"

namespace mkpackage {

StubSignature RemoveStubSignature(std::vector<uint8_t>& stub) {
  package::PeHeaders layout;
  if (package::ReadPeHeaders(stub, layout) != package::PeHeaderProblem::None) return StubSignature::None;
  const auto directory = package::ReadDataDirectory(stub, layout, package::kCertificateDirectory);
  if (!directory || directory->size == 0) return StubSignature::None;
  const auto table = package::TrailingCertificateTable(stub, stub.size());
  // A table that would cut off its own directory entry is no signature of this file.
  if (!table || directory->entryOffset + package::kDataDirectorySize > *table) return StubSignature::Misplaced;
  stub.resize(*table);
  std::fill_n(stub.begin() + directory->entryOffset, package::kDataDirectorySize, 0);
  return StubSignature::Removed;
}

}  // namespace mkpackage
