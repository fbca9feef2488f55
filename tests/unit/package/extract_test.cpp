#include "package/extract.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "platform/fault_injection.h"
#include "tests/unit/support/test_files.h"
#include "tools/mkpackage/package_builder.h"

namespace {

using mkpackage::Bytes;
using mkpackage::CompressZlib;

const Bytes kAbcStream = {0x78, 0x9c, 0x4b, 0x4c, 0x4a, 0x06, 0x00, 0x02, 0x4d, 0x01, 0x27};

class RecordingProgress : public package::ProgressTarget {
 public:
  void ShowProgressPosition(int32_t position) override { positions.push_back(position); }
  std::vector<int32_t> positions;
};

Bytes RandomBytes(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  Bytes bytes(size);
  for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
  return bytes;
}

// Both routines must behave alike; each test runs against each.
enum class Source { Memory, File };

class ExtractTest : public testing::TestWithParam<Source> {
 protected:
  void SetUp() override {
    test::RemoveTree(kFolder);
    CreateDirectoryA(kFolder, nullptr);
  }
  void TearDown() override { test::RemoveTree(kFolder); }

  int32_t Extract(const Bytes& stored, uint32_t storedSize, const std::string& output,
                  package::ProgressCounter* progress = nullptr) {
    if (GetParam() == Source::Memory) {
      return package::ExtractFromMemory(stored.data(), storedSize, output.c_str(), progress);
    }
    test::WriteBytes(kStoredFile, stored);
    HANDLE file = CreateFileA(kStoredFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    const int32_t result = package::ExtractFromFile(file, storedSize, output.c_str(), progress);
    LARGE_INTEGER position{};
    SetFilePointerEx(file, LARGE_INTEGER{}, &position, FILE_CURRENT);
    filePositionAfter = position.QuadPart;
    CloseHandle(file);
    return result;
  }
  int32_t Extract(const Bytes& stored, const std::string& output) {
    return Extract(stored, static_cast<uint32_t>(stored.size()), output);
  }

  static constexpr char kFolder[] = "C:\\extract";
  static constexpr char kStoredFile[] = "C:\\extract\\stored.bin";
  const std::string m_output = "C:\\extract\\out.bin";
  int64_t filePositionAfter = -1;
};

TEST_P(ExtractTest, InflatesTheExampleStreamToAbc) {
  EXPECT_EQ(Extract(kAbcStream, m_output), 0);
  EXPECT_EQ(test::ReadBytes(m_output), test::Bytes("abc"));
}

TEST_P(ExtractTest, WritesBinaryContentWithoutNewlineTranslation) {
  const Bytes content = test::Bytes("line\nnext\r\nend\n");
  EXPECT_EQ(Extract(CompressZlib(content), m_output), 0);
  EXPECT_EQ(test::ReadBytes(m_output), content);
}

TEST_P(ExtractTest, LargeIncompressibleEntryIsWrittenWhole) {
  const Bytes content = RandomBytes(40000, 7);
  const Bytes stored = CompressZlib(content);
  ASSERT_GT(stored.size(), 40000u);  // more than two chunks of stored bytes
  EXPECT_EQ(Extract(stored, m_output), 0);
  EXPECT_EQ(test::ReadBytes(m_output), content);
}

TEST_P(ExtractTest, OutputOfExactlyOneBufferIsNotPadded) {
  Bytes content(16384);
  std::iota(content.begin(), content.end(), 0);
  EXPECT_EQ(Extract(CompressZlib(content), m_output), 0);
  EXPECT_EQ(test::ReadBytes(m_output), content);
}

TEST_P(ExtractTest, CorruptStreamKeepsItsPartialFile) {
  Bytes content(100000);
  std::iota(content.begin(), content.end(), 0);
  Bytes stored = CompressZlib(content);
  stored.back() ^= 0xff;  // a wrong Adler-32: zlib notices only at the very end
  EXPECT_EQ(Extract(stored, m_output), package::kExtractBadData);
  // Everything before the failing inflate call is on disk.
  const Bytes partial = test::ReadBytes(m_output);
  EXPECT_GE(partial.size(), 16384u);
  EXPECT_LT(partial.size(), content.size());
  EXPECT_TRUE(std::equal(partial.begin(), partial.end(), content.begin()));
}

TEST_P(ExtractTest, DictionaryStreamIsBadData) {
  // A zlib header with FDICT set (78 bb passes the header check) asks for a preset dictionary.
  const Bytes stored = {0x78, 0xbb, 0x00, 0x00, 0x00, 0x01, 0x03, 0x00};
  EXPECT_EQ(Extract(stored, m_output), package::kExtractBadData);
}

TEST_P(ExtractTest, StoredSizeZeroGivesEmptyFileAndBadData) {
  EXPECT_EQ(Extract(kAbcStream, 0, m_output), package::kExtractBadData);
  EXPECT_TRUE(test::FileExists(m_output));
  EXPECT_TRUE(test::ReadBytes(m_output).empty());
}

TEST_P(ExtractTest, StreamCutShortStillCountsAsWritten) {
  const Bytes content = RandomBytes(5000, 11);
  const Bytes stored = CompressZlib(content);
  const uint32_t shortSize = static_cast<uint32_t>(stored.size() / 2);
  EXPECT_EQ(Extract(stored, shortSize, m_output), 0);
  const Bytes partial = test::ReadBytes(m_output);
  EXPECT_LT(partial.size(), content.size());
  EXPECT_TRUE(std::equal(partial.begin(), partial.end(), content.begin()));
}

TEST_P(ExtractTest, BytesAfterTheStreamAreIgnored) {
  Bytes stored = kAbcStream;
  stored.insert(stored.end(), {'x', 'y', 'z', 0, 0});
  EXPECT_EQ(Extract(stored, m_output), 0);
  EXPECT_EQ(test::ReadBytes(m_output), test::Bytes("abc"));
}

// Two entries of one walk: the position counts stored bytes against both, from 0 to 100.
TEST_P(ExtractTest, ProgressCountsStoredBytesAcrossTheWalk) {
  const Bytes first = CompressZlib(RandomBytes(60000, 3));
  const Bytes second = CompressZlib(RandomBytes(60000, 4));
  RecordingProgress shown;
  package::ProgressCounter progress(first.size() + second.size(), &shown);
  EXPECT_EQ(Extract(first, static_cast<uint32_t>(first.size()), m_output, &progress), 0);
  ASSERT_FALSE(shown.positions.empty());
  EXPECT_GE(shown.positions.back(), 49);
  EXPECT_LE(shown.positions.back(), 50);
  EXPECT_EQ(Extract(second, static_cast<uint32_t>(second.size()), m_output, &progress), 0);
  EXPECT_EQ(shown.positions.front(), 0);
  EXPECT_EQ(shown.positions.back(), 100);
  EXPECT_TRUE(std::is_sorted(shown.positions.begin(), shown.positions.end()));
}

TEST_P(ExtractTest, UncreatableOutputIsMinusOne) {
  EXPECT_EQ(Extract(kAbcStream, "C:\\extract\\missing\\out.bin"), package::kExtractOutputFailed);
}

TEST_P(ExtractTest, FailedWriteIsMinusOneAndKeepsTheFile) {
  platform::ScopedFaults faults;
  platform::InjectFault("fwrite", ERROR_DISK_FULL);
  EXPECT_EQ(Extract(kAbcStream, m_output), package::kExtractOutputFailed);
  EXPECT_TRUE(test::FileExists(m_output));
}

INSTANTIATE_TEST_SUITE_P(BothSources, ExtractTest, testing::Values(Source::Memory, Source::File),
                         [](const auto& info) { return info.param == Source::Memory ? "Memory" : "File"; });

class ExtractFromFileTest : public ExtractTest {};

TEST_P(ExtractFromFileTest, ReadsExactlyTheStoredBytes) {
  Bytes stored = CompressZlib(RandomBytes(40000, 5));
  const auto storedSize = static_cast<uint32_t>(stored.size());
  stored.insert(stored.end(), 1000, 0xee);  // the next entry, which must not be read
  EXPECT_EQ(Extract(stored, storedSize, m_output), 0);
  EXPECT_EQ(filePositionAfter, storedSize);
}

TEST_P(ExtractFromFileTest, FailedReadIsMinusOne) {
  platform::ScopedFaults faults;
  platform::InjectFault("ReadFile", ERROR_READ_FAULT);
  EXPECT_EQ(Extract(kAbcStream, m_output), package::kExtractOutputFailed);
}

TEST_P(ExtractFromFileTest, EndOfFileBeforeTheStoredSizeIsBadData) {
  // The handle ends after half the stream: nothing more can be read.
  const Bytes stored = CompressZlib(RandomBytes(5000, 1));
  const Bytes half(stored.begin(), stored.begin() + stored.size() / 2);
  EXPECT_EQ(Extract(half, static_cast<uint32_t>(stored.size()), m_output), package::kExtractBadData);
}

INSTANTIATE_TEST_SUITE_P(FileOnly, ExtractFromFileTest, testing::Values(Source::File),
                         [](const auto&) { return "File"; });

}  // namespace
