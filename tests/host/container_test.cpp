// Which package a file holds, and strict structure checks around the readers.
#include "tools/mkpackage/container.h"

#include <gtest/gtest.h>

#include "tests/host/synthetic_pe.h"
#include "tools/mkpackage/package_builder.h"

namespace {

using host_test::Bytes;
using host_test::ExactPrefix;
using host_test::ToBytes;
using mkpackage::BuildAppendedFile;
using mkpackage::BuildResourcePackage;
using mkpackage::MakeEntry;
using mkpackage::Package;
using mkpackage::PackageForm;
using mkpackage::ReadPackage;

const std::vector<mkpackage::StoredEntry> kEntries = {MakeEntry("Text.ini", "abc"),
                                                      MakeEntry("drivers\\a.dll", "driver")};

// The file must outlive the package, whose entries point into it.
Package Expect(const mkpackage::PackageRead& read) {
  if (const auto* why = std::get_if<std::string>(&read)) {
    ADD_FAILURE() << *why;
    return {};
  }
  return std::get<Package>(read);
}

std::string ErrorOf(const mkpackage::PackageRead& read) {
  const auto* why = std::get_if<std::string>(&read);
  return why ? *why : "";
}

void ExpectTheEntries(const Package& package) {
  ASSERT_EQ(package.entries.size(), 2u);
  EXPECT_EQ(package.entries[0].name, "Text.ini");
  EXPECT_EQ(Bytes(package.entries[0].stored.begin(), package.entries[0].stored.end()),
            kEntries[0].stored);
  EXPECT_EQ(package.entries[1].name, "drivers\\a.dll");
}

Bytes PeCarrying(const Bytes& bytes) {
  host_test::PeResource resource;
  resource.data = bytes;
  return host_test::BuildSyntheticPe(resource);
}

TEST(ReadPackage, FindsARawResourceFormPackage) {
  const Bytes file = BuildResourcePackage(kEntries);
  const Package package = Expect(ReadPackage(file));
  EXPECT_EQ(package.form, PackageForm::Raw);
  ExpectTheEntries(package);
}

TEST(ReadPackage, RawPackageWithCountZeroHoldsNoEntries) {
  const Package package = Expect(ReadPackage(Bytes{0, 0, 0, 0}));
  EXPECT_EQ(package.form, PackageForm::Raw);
  EXPECT_TRUE(package.entries.empty());
}

TEST(ReadPackage, FindsAnAppendedPackageAndItsHeader) {
  const Bytes stub = ToBytes("MZ stub");
  const Bytes file = BuildAppendedFile(stub, "HELLO", kEntries);
  const Package package = Expect(ReadPackage(file));
  EXPECT_EQ(package.form, PackageForm::Appended);
  EXPECT_EQ(package.packageOffset, stub.size());
  EXPECT_EQ(package.header, "HELLO");
  ExpectTheEntries(package);
  EXPECT_EQ(mkpackage::DescribeForm(package), "appended package at offset 7");
}

TEST(ReadPackage, FindsThePackageInAnExecutablesResource) {
  const Bytes file = PeCarrying(BuildResourcePackage(kEntries));
  const Package package = Expect(ReadPackage(file));
  EXPECT_EQ(package.form, PackageForm::PeResource);
  ExpectTheEntries(package);
}

TEST(ReadPackage, TheResourceWinsOverAnAppendedPackage) {
  const Bytes pe = PeCarrying(BuildResourcePackage(kEntries));
  const Bytes both = BuildAppendedFile(pe, "", {MakeEntry("other.txt", "x")});
  EXPECT_EQ(Expect(ReadPackage(both)).form, PackageForm::PeResource);

  // A broken resource is reported, not passed over for the appended package.
  const Bytes junkResource = BuildAppendedFile(PeCarrying(ToBytes("junk")), "", kEntries);
  EXPECT_NE(ErrorOf(ReadPackage(junkResource)).find("resource INSTALL/142"), std::string::npos);
}

TEST(ReadPackage, AnExecutableWithoutTheResourceMayCarryAnAppendedPackage) {
  host_test::PeResource otherId;
  otherId.id = 7;
  const Bytes file = BuildAppendedFile(host_test::BuildSyntheticPe(otherId), "", kEntries);
  const Package package = Expect(ReadPackage(file));
  EXPECT_EQ(package.form, PackageForm::Appended);
  ExpectTheEntries(package);
}

TEST(ReadPackage, FindsAnAppendedPackageBeforeAnAuthenticodeSignature) {
  host_test::PeResource otherType;
  otherType.numericType = 3;
  const Bytes unsignedFile = BuildAppendedFile(host_test::BuildSyntheticPe(otherType), "H", kEntries);
  Bytes signedFile = unsignedFile;
  host_test::AppendCertificateTable(signedFile, false);
  const Package package = Expect(ReadPackage(signedFile));
  EXPECT_EQ(package.form, PackageForm::Appended);
  EXPECT_TRUE(package.signedFile);
  EXPECT_EQ(package.header, "H");
  ExpectTheEntries(package);
  EXPECT_EQ(mkpackage::DescribeForm(package),
            "appended package at offset 1536, before an Authenticode signature");
  EXPECT_FALSE(Expect(ReadPackage(unsignedFile)).signedFile);
}

TEST(ReadPackage, RefusesBytesAfterTheLastEntry) {
  Bytes raw = BuildResourcePackage(kEntries);
  raw.push_back(0);
  EXPECT_NE(ErrorOf(ReadPackage(raw)).find("1 bytes follow the last entry"), std::string::npos);

  Bytes appended = BuildAppendedFile(ToBytes("stub"), "", kEntries);
  appended[appended.size() - 8] = 1;  // count 1: the second entry is left before the trailer
  EXPECT_NE(ErrorOf(ReadPackage(appended)).find("bytes follow the last entry"), std::string::npos);

  Bytes resource = BuildResourcePackage(kEntries);
  resource.push_back(0);
  EXPECT_NE(ErrorOf(ReadPackage(PeCarrying(resource))).find("resource INSTALL/142"),
            std::string::npos);
}

TEST(ReadPackage, ErrorsNameEveryFormTried) {
  const std::string why = ErrorOf(ReadPackage(ToBytes("just some text, no package")));
  EXPECT_NE(why.find("as a resource package"), std::string::npos) << why;
  EXPECT_NE(why.find("as an appended package"), std::string::npos) << why;
  EXPECT_EQ(why.find("Windows executable"), std::string::npos) << why;

  Bytes truncatedPe = PeCarrying(BuildResourcePackage(kEntries));
  truncatedPe.resize(0x100);
  EXPECT_NE(ErrorOf(ReadPackage(truncatedPe)).find("as a Windows executable"), std::string::npos);
}

TEST(ReadPackage, EveryTruncationIsAOneLineError) {
  const Bytes raw = BuildResourcePackage(kEntries);
  const Bytes appended = BuildAppendedFile(ToBytes("MZ stub"), "HDR", kEntries);
  const Bytes pe = PeCarrying(raw);
  for (const Bytes* file : {&raw, &appended}) {
    for (size_t size = 0; size < file->size(); ++size) {
      const std::string why = ErrorOf(ReadPackage(ExactPrefix(*file, size)));
      EXPECT_FALSE(why.empty()) << size;
      EXPECT_EQ(why.find('\n'), std::string::npos) << size;
    }
  }
  const size_t packageEnd = host_test::SyntheticPeLayout::kData + raw.size();
  for (size_t size = 0; size < packageEnd; ++size) {
    EXPECT_FALSE(ErrorOf(ReadPackage(ExactPrefix(pe, size))).empty()) << size;
  }
}

}  // namespace
