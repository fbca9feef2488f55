// The portable package readers, over whole, malformed and truncated packages.
#include "package/package_walk.h"

#include <gtest/gtest.h>

#include <set>

#include "package/inflate_entry.h"
#include "tests/host/synthetic_pe.h"
#include "tests/host/test_support.h"
#include "tools/mkpackage/package_builder.h"

namespace {

using host_test::Bytes;
using host_test::ExactPrefix;
using host_test::ToBytes;
using mkpackage::AppendLittleEndian32;
using mkpackage::BuildAppendedFile;
using mkpackage::BuildResourcePackage;
using mkpackage::MakeEntry;
using package::AppendedPackageReader;
using package::FileEntry;
using package::MemoryByteSource;
using package::MemoryEntry;
using package::ResourcePackageReader;
using package::WalkError;

const Bytes kAbcStream = {0x78, 0x9c, 0x4b, 0x4c, 0x4a, 0x06, 0x00, 0x02, 0x4d, 0x01, 0x27};

class StringSink : public package::OutputSink {
 public:
  bool Create() override { return true; }
  bool Write(const uint8_t* bytes, uint32_t size) override {
    text.append(reinterpret_cast<const char*>(bytes), size);
    return true;
  }
  std::string text;
};

std::string Inflate(std::span<const uint8_t> stored, int32_t& result) {
  package::MemoryChunkSource source(stored);
  StringSink sink;
  package::ProgressCounter progress;
  result = package::InflateEntry(source, static_cast<uint32_t>(stored.size()), sink, progress);
  return sink.text;
}

std::string NameOf(const MemoryEntry& entry) { return {entry.name.text, entry.name.length}; }

// u32 N, u32 S, then the name, with the stored bytes left to the caller.
Bytes EntryHeader(uint32_t nameLength, uint32_t storedSize, const std::string& name) {
  Bytes bytes;
  AppendLittleEndian32(bytes, nameLength);
  AppendLittleEndian32(bytes, storedSize);
  bytes.insert(bytes.end(), name.begin(), name.end());
  return bytes;
}

Bytes CountThen(uint32_t count, const Bytes& rest) {
  Bytes bytes;
  AppendLittleEndian32(bytes, count);
  bytes.insert(bytes.end(), rest.begin(), rest.end());
  return bytes;
}

WalkError ResourceWalkError(std::span<const uint8_t> package, size_t* entriesRead = nullptr) {
  ResourcePackageReader reader(package);
  MemoryEntry entry;
  size_t read = 0;
  while (reader.Next(entry)) ++read;
  if (entriesRead != nullptr) *entriesRead = read;
  return reader.Error();
}

WalkError AppendedWalkError(std::span<const uint8_t> file) {
  MemoryByteSource source(file);
  AppendedPackageReader reader(source);
  FileEntry entry;
  if (reader.Open()) {
    while (reader.Next(entry)) {
    }
  }
  return reader.Error();
}

TEST(ResourcePackageReader, ReadsTheThirtyOneByteTextIniExample) {
  Bytes expected = {0x01, 0, 0, 0, 0x08, 0, 0, 0, 0x0b, 0, 0, 0};
  for (char c : std::string("Text.ini")) expected.push_back(static_cast<uint8_t>(c));
  expected.insert(expected.end(), kAbcStream.begin(), kAbcStream.end());
  ASSERT_EQ(expected.size(), 31u);
  EXPECT_EQ(BuildResourcePackage({{"Text.ini", kAbcStream}}), expected);

  ResourcePackageReader reader(expected);
  MemoryEntry entry;
  ASSERT_EQ(reader.EntryCount(), 1u);
  ASSERT_TRUE(reader.Next(entry));
  EXPECT_EQ(NameOf(entry), "Text.ini");
  EXPECT_EQ(entry.storedSize, 11u);
  EXPECT_EQ(entry.storedBytes, expected.data() + 20);
  EXPECT_FALSE(reader.Next(entry));
  EXPECT_EQ(reader.Error(), WalkError::None);
  EXPECT_EQ(reader.Offset(), 31u);

  int32_t result = 1;
  EXPECT_EQ(Inflate({entry.storedBytes, entry.storedSize}, result), "abc");
  EXPECT_EQ(result, package::kExtractOk);
}

TEST(ResourcePackageReader, CountZeroOrNoBytesYieldNothingWithoutError) {
  for (const Bytes& package : {Bytes{0, 0, 0, 0}, Bytes{}}) {
    size_t read = 99;
    EXPECT_EQ(ResourceWalkError(package, &read), WalkError::None);
    EXPECT_EQ(read, 0u);
  }
}

TEST(ResourcePackageReader, AcceptsNameLengthsOneTo255Only) {
  for (uint32_t length : {1u, 255u}) {
    const Bytes package = BuildResourcePackage({{std::string(length, 'n'), kAbcStream}});
    ResourcePackageReader reader(package);
    MemoryEntry entry;
    ASSERT_TRUE(reader.Next(entry)) << length;
    EXPECT_EQ(entry.name.length, length);
    EXPECT_EQ(entry.name.text[length], '\0');
  }
  EXPECT_EQ(ResourceWalkError(BuildResourcePackage({{std::string(256, 'n'), kAbcStream}})),
            WalkError::BadNameLength);
  EXPECT_EQ(ResourceWalkError(BuildResourcePackage({{"", kAbcStream}})), WalkError::BadNameLength);
}

TEST(ResourcePackageReader, StopsAtTheFirstInconsistency) {
  EXPECT_EQ(ResourceWalkError(BuildResourcePackage({{std::string("a\0b", 3), kAbcStream}})),
            WalkError::NameHasNul);
  EXPECT_EQ(ResourceWalkError(CountThen(1, EntryHeader(8, 0, "Text"))), WalkError::TruncatedName);
  EXPECT_EQ(ResourceWalkError(CountThen(1, EntryHeader(1, 5, "a"))),
            WalkError::StoredBytesPastEnd);

  Bytes twoClaimed = BuildResourcePackage({{"a", kAbcStream}});
  twoClaimed[0] = 2;
  size_t read = 0;
  EXPECT_EQ(ResourceWalkError(twoClaimed, &read), WalkError::TruncatedEntryHeader);
  EXPECT_EQ(read, 1u);
}

TEST(ResourcePackageReader, AdvancesByTheStoredSizeWhenTheStreamEndsEarly) {
  Bytes padded = kAbcStream;
  padded.insert(padded.end(), {0xde, 0xad, 0xbe});
  const Bytes package = BuildResourcePackage({{"first", padded}, {"second", kAbcStream}});
  ResourcePackageReader reader(package);
  MemoryEntry first;
  MemoryEntry second;
  ASSERT_TRUE(reader.Next(first));
  ASSERT_TRUE(reader.Next(second));
  EXPECT_EQ(NameOf(second), "second");
  EXPECT_EQ(reader.Offset(), package.size());

  int32_t result = 1;
  EXPECT_EQ(Inflate({first.storedBytes, first.storedSize}, result), "abc");
  EXPECT_EQ(result, package::kExtractOk);
}

TEST(ResourcePackageReader, EveryTruncationStopsWithAnError) {
  const Bytes package = BuildResourcePackage(
      {MakeEntry("Text.ini", "abc"), MakeEntry("drivers\\a.dll", std::string(300, 'x'))});
  for (size_t size = 1; size < package.size(); ++size) {
    const Bytes cut = ExactPrefix(package, size);
    size_t read = 0;
    EXPECT_NE(ResourceWalkError(cut, &read), WalkError::None) << size;
    EXPECT_LT(read, 2u) << size;
  }
}

TEST(AppendedPackageReader, FindsEntriesAfterTheHeader) {
  const Bytes stub = ToBytes("MZ stub");
  for (const std::string header : {"", "HELLO"}) {
    const Bytes file = BuildAppendedFile(stub, header, {{"a.txt", kAbcStream}, {"b", kAbcStream}});
    MemoryByteSource source(file);
    AppendedPackageReader reader(source);
    ASSERT_TRUE(reader.Open());
    EXPECT_EQ(reader.EntryCount(), 2u);
    EXPECT_EQ(reader.PackageOffset(), stub.size());
    EXPECT_EQ(reader.HeaderLength(), header.size());
    FileEntry entry;
    ASSERT_TRUE(reader.Next(entry));
    // The first entry header sits right after u32 H and the H header bytes.
    EXPECT_EQ(entry.storedOffset, stub.size() + 4 + header.size() + 8 + 5);
    EXPECT_EQ(std::string(entry.name.text), "a.txt");
    ASSERT_TRUE(reader.Next(entry));
    EXPECT_EQ(std::string(entry.name.text), "b");
    EXPECT_EQ(entry.storedOffset + entry.storedSize, file.size() - package::kTrailerSize);
    EXPECT_FALSE(reader.Next(entry));
    EXPECT_EQ(reader.Error(), WalkError::None);
  }
}

TEST(AppendedPackageReader, RefusesUnusableTrailersAndHeaders) {
  const Bytes stub = ToBytes("stub");
  Bytes zeroCount = BuildAppendedFile(stub, "", {{"a", kAbcStream}});
  zeroCount[zeroCount.size() - 8] = 0;
  EXPECT_EQ(AppendedWalkError(zeroCount), WalkError::ZeroCount);

  Bytes offsetInTrailer = BuildAppendedFile(stub, "", {{"a", kAbcStream}});
  offsetInTrailer[offsetInTrailer.size() - 4] = static_cast<uint8_t>(offsetInTrailer.size() - 6);
  EXPECT_EQ(AppendedWalkError(offsetInTrailer), WalkError::BadPackageOffset);

  EXPECT_EQ(AppendedWalkError(Bytes(7, 1)), WalkError::NoTrailer);
  EXPECT_EQ(AppendedWalkError(BuildAppendedFile(stub, std::string(50, 'h'), {{"a", kAbcStream}})),
            WalkError::None);
  EXPECT_EQ(AppendedWalkError(BuildAppendedFile(stub, std::string(51, 'h'), {{"a", kAbcStream}})),
            WalkError::HeaderTooLong);
}

TEST(AppendedPackageReader, EntriesMayNotRunIntoTheTrailer) {
  Bytes file = BuildAppendedFile(ToBytes("stub"), "", {{"a", kAbcStream}});
  file[4 + 4 + 4] += 1;  // S of the only entry
  EXPECT_EQ(AppendedWalkError(file), WalkError::StoredBytesPastEnd);
}

TEST(AppendedPackageReader, EveryTruncationStopsWithAnError) {
  const Bytes file = BuildAppendedFile(
      ToBytes("MZ stub of an installer"), "HDR",
      {MakeEntry("Text.ini", "abc"), MakeEntry("drivers\\a.dll", std::string(300, 'x'))});
  for (size_t size = 0; size < file.size(); ++size) {
    EXPECT_NE(AppendedWalkError(ExactPrefix(file, size)), WalkError::None) << size;
  }
}

// An installer signed after its package was appended; the header length sets the package's
// length modulo 8, and so the 0 to 7 zero bytes that signing pads with before its table. The
// synthetic stub is 0x600 bytes, or 0x601 with stubTail: the trailer's package offset ends in
// zero bytes as well, so ends inside the padding can look like trailers.
struct SignedInstaller {
  Bytes file;
  size_t stubSize = 0;
  size_t packageEnd = 0;
  size_t table = 0;
};

SignedInstaller SignedAppendedFile(bool pe32Plus, size_t headerLength, bool stubTail = false) {
  host_test::PeResource resource;
  resource.pe32Plus = pe32Plus;
  resource.data = ToBytes("not the package");
  SignedInstaller signedInstaller;
  Bytes stub = host_test::BuildSyntheticPe(resource);
  if (stubTail) stub.push_back(0x11);
  signedInstaller.stubSize = stub.size();
  signedInstaller.file =
      BuildAppendedFile(stub, std::string(headerLength, 'h'), {{"a.txt", kAbcStream}, {"b", kAbcStream}});
  signedInstaller.packageEnd = signedInstaller.file.size();
  signedInstaller.table = host_test::AppendCertificateTable(signedInstaller.file, pe32Plus);
  return signedInstaller;
}

TEST(AppendedPackageReader, FindsThePackageBeforeAnAuthenticodeSignatureAndItsPadding) {
  std::set<size_t> paddings;
  for (bool pe32Plus : {false, true}) {
    for (size_t headerLength = 0; headerLength < 16; ++headerLength) {
      const SignedInstaller signedInstaller = SignedAppendedFile(pe32Plus, headerLength % 8, headerLength >= 8);
      paddings.insert(signedInstaller.table - signedInstaller.packageEnd);
      MemoryByteSource source(signedInstaller.file);
      AppendedPackageReader reader(source);
      ASSERT_TRUE(reader.Open()) << package::DescribeWalkError(reader.Error()) << " " << headerLength;
      EXPECT_EQ(reader.PackageEnd(), signedInstaller.packageEnd);
      EXPECT_EQ(reader.PackageOffset(), signedInstaller.stubSize);
      EXPECT_EQ(reader.PackageSize(), signedInstaller.packageEnd - signedInstaller.stubSize);
      EXPECT_EQ(reader.HeaderLength(), headerLength % 8);
      FileEntry entry;
      ASSERT_TRUE(reader.Next(entry));
      EXPECT_EQ(std::string(entry.name.text), "a.txt");
      ASSERT_TRUE(reader.Next(entry));
      EXPECT_EQ(std::string(entry.name.text), "b");
      EXPECT_EQ(entry.storedOffset + entry.storedSize, signedInstaller.packageEnd - package::kTrailerSize);
      EXPECT_FALSE(reader.Next(entry));
      EXPECT_EQ(reader.Error(), WalkError::None);
    }
  }
  EXPECT_EQ(paddings.size(), 8u);  // every padding length from 0 to 7 was met
}

TEST(AppendedPackageReader, ASignedFileIsReadOnlyWhenItsEntriesReachTheTrailer) {
  SignedInstaller damaged = SignedAppendedFile(false, 3);
  damaged.file[damaged.stubSize + 4 + 3 + 4] += 1;  // S of the first entry
  EXPECT_NE(AppendedWalkError(damaged.file), WalkError::None);

  Bytes signedStub = host_test::BuildSyntheticPe({});
  host_test::AppendCertificateTable(signedStub, false);
  EXPECT_NE(AppendedWalkError(signedStub), WalkError::None);
}

// A package appended after a signed stub's table (not by mkpackage, which removes it) ends the
// file itself: the table no longer does, and the file is read as an unsigned one.
TEST(AppendedPackageReader, ATableThatDoesNotEndTheFileIsNoSignatureOfThePackage) {
  Bytes signedStub = host_test::BuildSyntheticPe({});
  host_test::AppendCertificateTable(signedStub, false);
  const Bytes file = BuildAppendedFile(signedStub, "", {{"a.txt", kAbcStream}});
  MemoryByteSource source(file);
  AppendedPackageReader reader(source);
  ASSERT_TRUE(reader.Open());
  EXPECT_EQ(reader.PackageEnd(), file.size());
  EXPECT_EQ(reader.PackageOffset(), signedStub.size());
}

TEST(AppendedPackageReader, EveryTruncationOfASignedFileIsSafeAndOnlyTheUnsignedLengthReads) {
  const SignedInstaller signedInstaller = SignedAppendedFile(true, 5);
  for (size_t size = 0; size < signedInstaller.file.size(); ++size) {
    const WalkError error = AppendedWalkError(ExactPrefix(signedInstaller.file, size));
    EXPECT_EQ(error == WalkError::None, size == signedInstaller.packageEnd) << size;
  }
}

}  // namespace
