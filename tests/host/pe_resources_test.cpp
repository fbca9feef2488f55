// The PE resource-directory reader over hand-made executables, whole and damaged.
#include "tools/mkpackage/pe_resources.h"

#include <gtest/gtest.h>

#include "tests/host/synthetic_pe.h"

namespace {

using host_test::BuildSyntheticPe;
using host_test::Bytes;
using host_test::PeResource;
using host_test::Put32;
using host_test::ToBytes;
using L = host_test::SyntheticPeLayout;
using mkpackage::FindPeResource;
using mkpackage::LookUpPeResource;
using mkpackage::PeProblem;

const Bytes kPayload = ToBytes("resource payload bytes");

PeResource Resource(bool pe32Plus = false) {
  PeResource resource;
  resource.pe32Plus = pe32Plus;
  resource.data = kPayload;
  return resource;
}

PeProblem ProblemOf(const Bytes& file) { return LookUpPeResource(file, u"INSTALL", 142).problem; }

bool LiesWithin(std::span<const uint8_t> part, const Bytes& file) {
  return part.data() >= file.data() && part.data() + part.size() <= file.data() + file.size();
}

TEST(FindPeResource, FindsTheResourceInPe32AndPe32Plus) {
  for (bool pe32Plus : {false, true}) {
    const Bytes file = BuildSyntheticPe(Resource(pe32Plus));
    const auto found = FindPeResource(file, u"INSTALL", 142);
    ASSERT_TRUE(found.has_value()) << pe32Plus;
    EXPECT_EQ(found->data(), file.data() + L::kData);
    EXPECT_EQ(Bytes(found->begin(), found->end()), kPayload);
  }
}

TEST(FindPeResource, TypeNameIgnoresAsciiCase) {
  PeResource resource = Resource();
  resource.type = u"install";
  EXPECT_TRUE(FindPeResource(BuildSyntheticPe(resource), u"INSTALL", 142).has_value());
}

TEST(FindPeResource, OtherTypesAndIdsAreNotFound) {
  const Bytes file = BuildSyntheticPe(Resource());
  EXPECT_EQ(LookUpPeResource(file, u"INSTALL", 143).problem, PeProblem::NotFound);
  EXPECT_EQ(LookUpPeResource(file, u"INSTAL", 142).problem, PeProblem::NotFound);
  EXPECT_EQ(LookUpPeResource(file, u"INSTALLS", 142).problem, PeProblem::NotFound);

  PeResource numeric = Resource();
  numeric.numericType = 10;
  EXPECT_EQ(ProblemOf(BuildSyntheticPe(numeric)), PeProblem::NotFound);
}

TEST(FindPeResource, AnyLanguageIsAccepted) {
  PeResource resource = Resource();
  resource.language = 1033;
  EXPECT_TRUE(FindPeResource(BuildSyntheticPe(resource), u"INSTALL", 142).has_value());
}

TEST(FindPeResource, OtherFilesAreNotExecutables) {
  EXPECT_EQ(ProblemOf(Bytes{}), PeProblem::NotPe);
  EXPECT_EQ(ProblemOf(ToBytes(std::string(200, 'x'))), PeProblem::NotPe);
  Bytes noSignature = BuildSyntheticPe(Resource());
  noSignature[0x41] = 'X';
  EXPECT_EQ(ProblemOf(noSignature), PeProblem::NotPe);
}

TEST(FindPeResource, MissingResourceDirectoryIsReported) {
  Bytes noRva = BuildSyntheticPe(Resource());
  Put32(noRva, L::kOptionalHeader + host_test::DataDirectoriesOffset(false) + 16, 0);
  EXPECT_EQ(ProblemOf(noRva), PeProblem::NoResources);

  Bytes twoDirectories = BuildSyntheticPe(Resource());
  Put32(twoDirectories, L::kOptionalHeader + host_test::RvaAndSizesCountOffset(false), 2);
  EXPECT_EQ(ProblemOf(twoDirectories), PeProblem::NoResources);
}

TEST(FindPeResource, DataRvaMapsThroughItsOwnSection) {
  Bytes file = BuildSyntheticPe(Resource());
  Put32(file, L::kDataEntry, L::kTextRva + 5);
  Put32(file, L::kDataEntry + 4, 7);
  const auto found = FindPeResource(file, u"INSTALL", 142);
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->data(), file.data() + L::kTextSection + 5);
  EXPECT_EQ(found->size(), 7u);
}

TEST(FindPeResource, RefusesDataOutsideTheFile) {
  Bytes tooLong = BuildSyntheticPe(Resource());
  Put32(tooLong, L::kDataEntry + 4, 0x10000);
  EXPECT_EQ(ProblemOf(tooLong), PeProblem::BadDataEntry);

  Bytes unmapped = BuildSyntheticPe(Resource());
  Put32(unmapped, L::kDataEntry, 0x9000);
  EXPECT_EQ(ProblemOf(unmapped), PeProblem::BadDataEntry);
}

TEST(FindPeResource, RefusesEntriesOfTheWrongKind) {
  Bytes leafAsType = BuildSyntheticPe(Resource());
  Put32(leafAsType, L::kTypeEntry + 4, 24);  // high bit cleared: a data entry at the type level
  EXPECT_EQ(ProblemOf(leafAsType), PeProblem::BadResourceDirectory);

  Bytes directoryAsLanguage = BuildSyntheticPe(Resource());
  Put32(directoryAsLanguage, L::kLanguageEntry + 4, 0x80000000u | 48);
  EXPECT_EQ(ProblemOf(directoryAsLanguage), PeProblem::BadResourceDirectory);
}

TEST(FindPeResource, RefusesDirectoriesOutsideTheResourceData) {
  Bytes file = BuildSyntheticPe(Resource());
  Put32(file, L::kTypeEntry + 4, 0x80000000u | 0x7ffffff0u);
  EXPECT_EQ(ProblemOf(file), PeProblem::BadResourceDirectory);
}

TEST(FindPeResource, EveryTruncationIsSafeAndFindsNothingUntilTheDataIsWhole) {
  for (bool pe32Plus : {false, true}) {
    const Bytes file = BuildSyntheticPe(Resource(pe32Plus));
    const size_t dataEnd = L::kData + kPayload.size();
    for (size_t size = 0; size < file.size(); ++size) {
      const Bytes cut = host_test::ExactPrefix(file, size);
      const auto found = FindPeResource(cut, u"INSTALL", 142);
      EXPECT_EQ(found.has_value(), size >= dataEnd) << size;
      if (found) {
        EXPECT_TRUE(LiesWithin(*found, cut));
      }
    }
  }
}

TEST(FindPeResource, EveryDamagedByteIsSafe) {
  for (bool pe32Plus : {false, true}) {
    const Bytes file = BuildSyntheticPe(Resource(pe32Plus));
    for (size_t offset = 0; offset < file.size(); ++offset) {
      for (uint8_t value : {0x00, 0x7f, 0x80, 0xff}) {
        Bytes damaged = file;
        damaged[offset] = value;
        const auto found = FindPeResource(damaged, u"INSTALL", 142);
        if (found) {
          EXPECT_TRUE(LiesWithin(*found, damaged)) << offset;
        }
      }
    }
  }
}

}  // namespace
