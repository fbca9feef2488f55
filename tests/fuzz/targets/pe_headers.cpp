// The shared PE header reader: the headers and data directories of a file, the certificate
// table that may end it, and mkpackage's removal of a stub's signature built on them.
#include <algorithm>
#include <vector>

#include "package/pe_headers.h"
#include "tests/fuzz/targets/fuzz_check.h"
#include "tools/mkpackage/stub_signature.h"

namespace {

// The first bytes of a file, as the readers of a file's end take them.
std::span<const uint8_t> HeaderWindow(std::span<const uint8_t> file) {
  return file.first(std::min<size_t>(file.size(), package::kPeHeaderWindow));
}

void CheckHeaders(std::span<const uint8_t> file) {
  package::PeHeaders layout;
  if (package::ReadPeHeaders(file, layout) != package::PeHeaderProblem::None) return;
  fuzz::Require(layout.sectionTable <= file.size() &&
                    layout.sectionCount * package::kSectionHeaderSize <= file.size() - layout.sectionTable,
                "section table inside the file");
  const uint64_t directoriesEnd = layout.dataDirectories + layout.dataDirectoryCount * package::kDataDirectorySize;
  fuzz::Require(directoriesEnd <= layout.sectionTable, "data directories inside the optional header");
  for (uint32_t index = 0; index <= layout.dataDirectoryCount; ++index) {
    const auto directory = package::ReadDataDirectory(file, layout, index);
    fuzz::Require(directory.has_value() == (index < layout.dataDirectoryCount), "directories as announced");
  }
}

void CheckCertificateTable(std::span<const uint8_t> file) {
  // The installer reads the headers from the first bytes; mkpackage has the whole stub.
  const auto windowTable = package::TrailingCertificateTable(HeaderWindow(file), file.size());
  if (windowTable) fuzz::Require(*windowTable < file.size(), "a certificate table inside the file");
  const auto table = package::TrailingCertificateTable(file, file.size());

  std::vector<uint8_t> stub(file.begin(), file.end());
  const mkpackage::StubSignature outcome = mkpackage::RemoveStubSignature(stub);
  if (outcome != mkpackage::StubSignature::Removed) {
    fuzz::Require(std::ranges::equal(stub, file), "a stub whose signature stays is left as it was");
    return;
  }
  fuzz::Require(table && stub.size() == *table, "the stub ends where its table began");
  fuzz::Require(!package::TrailingCertificateTable(stub, stub.size()), "a removed signature is gone");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> file(data, size);
  CheckHeaders(file);
  CheckCertificateTable(file);
  return 0;
}
