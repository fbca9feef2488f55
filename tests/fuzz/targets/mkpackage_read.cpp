// What mkpackage list, verify and extract read from a file: the package in whichever form, its
// entry names and each entry's zlib stream. Bad input gets a one-line reason; what is taken
// inflates in the installer too.
#include <algorithm>
#include <string>
#include <variant>
#include <vector>

#include "package/inflate_entry.h"
#include "tests/fuzz/targets/fuzz_check.h"
#include "tools/mkpackage/container.h"
#include "tools/mkpackage/entry_names.h"
#include "tools/mkpackage/package_builder.h"
#include "tools/mkpackage/pe_resources.h"
#include "tools/mkpackage/stream_check.h"

namespace {

// No line break or other control byte.
bool IsPrintable(const std::string& text) {
  for (unsigned char c : text) {
    if (c < 0x20) return false;
  }
  return true;
}

bool IsOneLine(const std::string& text) { return !text.empty() && IsPrintable(text); }

class SizeSink : public package::OutputSink {
 public:
  bool Create() override { return true; }
  bool Write(const uint8_t*, uint32_t size) override {
    m_size += size;
    return true;
  }
  uint64_t Size() const { return m_size; }

 private:
  uint64_t m_size = 0;
};

// What mkpackage lists and extracts, the installer lays down: the same content size.
void CheckInstallerInflates(std::span<const uint8_t> stored, uint64_t uncompressedSize) {
  package::MemoryChunkSource source(stored);
  SizeSink sink;
  package::ProgressCounter progress;
  const int32_t result = package::InflateEntry(source, static_cast<uint32_t>(stored.size()), sink, progress);
  fuzz::Require(result == package::kExtractOk && sink.Size() == uncompressedSize,
                "the installer inflates what mkpackage accepts to the same size");
}

// A package is read only when its entries fill it exactly, so writing them again gives back
// the very bytes read.
void CheckRoundTrip(std::span<const uint8_t> file, const mkpackage::Package& package) {
  std::vector<mkpackage::StoredEntry> entries;
  for (const mkpackage::PackageEntry& entry : package.entries) {
    entries.push_back({entry.name, {entry.stored.begin(), entry.stored.end()}});
  }
  switch (package.form) {
    case mkpackage::PackageForm::Raw:
      fuzz::Require(std::ranges::equal(mkpackage::BuildResourcePackage(entries), file), "raw form written back");
      break;
    case mkpackage::PackageForm::PeResource: {
      const auto resource = mkpackage::FindPeResource(file, u"INSTALL", 142);
      fuzz::Require(resource && std::ranges::equal(mkpackage::BuildResourcePackage(entries), *resource),
                    "resource form written back");
      break;
    }
    case mkpackage::PackageForm::Appended: {
      // A signed file goes on with padding and its certificate table.
      const mkpackage::Bytes written =
          mkpackage::BuildAppendedFile(file.first(package.packageOffset), package.header, entries);
      fuzz::Require(written.size() <= file.size() && std::ranges::equal(written, file.first(written.size())) &&
                        (package.signedFile || written.size() == file.size()),
                    "appended form written back");
      break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> file(data, size);
  const mkpackage::PackageRead read = mkpackage::ReadPackage(file);
  if (const auto* why = std::get_if<std::string>(&read)) {
    fuzz::Require(IsOneLine(*why), "a refusal is one line");
    return 0;
  }
  const mkpackage::Package& package = std::get<mkpackage::Package>(read);
  fuzz::Require(IsOneLine(mkpackage::DescribeForm(package)), "the form is described in one line");
  std::vector<std::string> names;
  for (const mkpackage::PackageEntry& entry : package.entries) {
    fuzz::Require(fuzz::IsInside(entry.stored, file), "stored bytes inside the file");
    fuzz::Require(IsPrintable(mkpackage::PrintableName(entry.name)), "a printable name prints");
    if (const auto problem = mkpackage::EntryNameProblem(entry.name)) {
      fuzz::Require(IsOneLine(*problem), "a refused name says why in one line");
    }
    const mkpackage::StreamCheck check = mkpackage::CheckZlibStream(entry.stored);
    fuzz::Require(check.Ok() || IsOneLine(check.problem), "a bad stream says why in one line");
    fuzz::Require(check.StrictProblem().empty() || IsOneLine(check.StrictProblem()),
                  "verify says why in one line");
    if (check.Ok()) CheckInstallerInflates(entry.stored, check.uncompressedSize);
    names.push_back(entry.name);
  }
  if (const auto clash = mkpackage::FindNameClash(names)) {
    fuzz::Require(IsOneLine(*clash), "a clash is described in one line");
  }
  CheckRoundTrip(file, package);
  return 0;
}
