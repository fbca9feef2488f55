// Where a signed file's Authenticode certificate table lies, read from untrusted headers.
#include "package/pe_headers.h"

#include <gtest/gtest.h>

#include "tests/host/synthetic_pe.h"
#include "tests/host/test_support.h"

namespace {

using host_test::Bytes;
using host_test::ExactPrefix;
using host_test::Put32;
using package::TrailingCertificateTable;

Bytes UnsignedPe(bool pe32Plus) {
  host_test::PeResource resource;
  resource.pe32Plus = pe32Plus;
  resource.data = host_test::ToBytes("resource");
  return host_test::BuildSyntheticPe(resource);
}

TEST(TrailingCertificateTable, FoundWhereSigningPutsItInPe32AndPe32Plus) {
  for (bool pe32Plus : {false, true}) {
    Bytes file = UnsignedPe(pe32Plus);
    file.push_back(0x11);  // so that signing pads
    const size_t table = host_test::AppendCertificateTable(file, pe32Plus);
    EXPECT_EQ(table % 8, 0u);
    EXPECT_EQ(TrailingCertificateTable(file, file.size()), table) << pe32Plus;
  }
}

TEST(TrailingCertificateTable, OnlyTheTablesOwnPaddingMayFollowIt) {
  Bytes file = UnsignedPe(false);
  const size_t table = host_test::AppendCertificateTable(file, false, 1500);
  for (size_t extra = 0; extra < 8; ++extra) {
    EXPECT_EQ(TrailingCertificateTable(file, file.size() + extra), table) << extra;
  }
  EXPECT_EQ(TrailingCertificateTable(file, file.size() + 8), std::nullopt);
  EXPECT_EQ(TrailingCertificateTable(file, file.size() - 1), std::nullopt);  // the table runs past the end
}

TEST(TrailingCertificateTable, UnsignedAndForeignFilesHaveNone) {
  EXPECT_EQ(TrailingCertificateTable(UnsignedPe(true), UnsignedPe(true).size()), std::nullopt);
  EXPECT_EQ(TrailingCertificateTable(Bytes{}, 0), std::nullopt);
  EXPECT_EQ(TrailingCertificateTable(host_test::ToBytes(std::string(300, 'x')), 300), std::nullopt);

  // Headers that announce only four data directories hold no entry for the table.
  Bytes fewDirectories = UnsignedPe(false);
  host_test::AppendCertificateTable(fewDirectories, false);
  Put32(fewDirectories, host_test::SyntheticPeLayout::kOptionalHeader + host_test::RvaAndSizesCountOffset(false), 4);
  EXPECT_EQ(TrailingCertificateTable(fewDirectories, fewDirectories.size()), std::nullopt);
}

TEST(TrailingCertificateTable, ADirectoryEntryOutsideTheFileIsIgnored) {
  Bytes file = UnsignedPe(true);
  host_test::AppendCertificateTable(file, true);
  const size_t entry = host_test::CertificateDirectoryOffset(true);
  for (const auto& [address, size] : {std::pair<uint32_t, uint32_t>{0xfffffff0u, 0x20}, {0xfffffff8u, 8},
                                      {static_cast<uint32_t>(file.size()), 0}, {0, 0}}) {
    Bytes damaged = file;
    Put32(damaged, entry, address);
    Put32(damaged, entry + 4, size);
    EXPECT_EQ(TrailingCertificateTable(damaged, damaged.size()), std::nullopt) << address << " " << size;
  }
}

TEST(TrailingCertificateTable, HeadersCutShortAreSafeAndNeverMisplaceTheTable) {
  Bytes file = UnsignedPe(false);
  const size_t table = host_test::AppendCertificateTable(file, false);
  for (size_t size = 0; size <= host_test::SyntheticPeLayout::kTextSection; ++size) {
    const std::optional<uint64_t> found = TrailingCertificateTable(ExactPrefix(file, size), file.size());
    EXPECT_TRUE(!found || *found == table) << size;
  }
}

}  // namespace
