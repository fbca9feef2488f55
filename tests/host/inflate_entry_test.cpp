// InflateEntry: chunked reading, writes, failures and progress.
#include "package/inflate_entry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "tests/host/test_support.h"
#include "tools/mkpackage/package_builder.h"

namespace {

using host_test::Bytes;
using host_test::CompressStored;
using host_test::NoiseBytes;
using mkpackage::CompressZlib;
using package::InflateEntry;
using package::kExtractBadData;
using package::kExtractOk;
using package::kExtractOutputFailed;

class RecordingSource : public package::ChunkSource {
 public:
  explicit RecordingSource(std::span<const uint8_t> bytes) : m_inner(bytes) {}
  int32_t ReadChunk(uint8_t* buffer, uint32_t want) override {
    requested.push_back(want);
    return failReads ? -1 : m_inner.ReadChunk(buffer, want);
  }
  std::vector<uint32_t> requested;
  bool failReads = false;

 private:
  package::MemoryChunkSource m_inner;
};

class RecordingSink : public package::OutputSink {
 public:
  bool Create() override {
    created = true;
    return !failCreate;
  }
  bool Write(const uint8_t* bytes, uint32_t size) override {
    writeSizes.push_back(size);
    if (failWrites) return false;
    output.insert(output.end(), bytes, bytes + size);
    return true;
  }
  bool created = false;
  bool failCreate = false;
  bool failWrites = false;
  std::vector<uint32_t> writeSizes;
  Bytes output;
};

class RecordingTarget : public package::ProgressTarget {
 public:
  void ShowProgressPosition(int32_t position) override { positions.push_back(position); }
  std::vector<int32_t> positions;
};

// Output written before a failure stays; bytes of the failing inflate call may be dropped.
bool IsNonEmptyPrefix(const Bytes& part, const Bytes& whole) {
  return !part.empty() && part.size() <= whole.size() &&
         std::equal(part.begin(), part.end(), whole.begin());
}

// Inflates stored as an entry of storedSize bytes (all of them unless given).
int32_t Inflate(std::span<const uint8_t> stored, RecordingSource& source, RecordingSink& sink,
                std::optional<uint32_t> storedSize = std::nullopt) {
  int32_t counter = 0;
  package::ProgressCounter progress(counter, 0, nullptr);
  return InflateEntry(source, storedSize.value_or(static_cast<uint32_t>(stored.size())), sink,
                      progress);
}

TEST(InflateEntry, ReadsAFortyThousandByteEntryInChunksOf16384) {
  const Bytes content = NoiseBytes(39989, 7);
  const Bytes stored = CompressStored(content);
  ASSERT_EQ(stored.size(), 40000u);  // 2 header + 5 block header + content + 4 Adler-32
  RecordingSource source(stored);
  RecordingSink sink;
  EXPECT_EQ(Inflate(stored, source, sink), kExtractOk);
  EXPECT_EQ(source.requested, (std::vector<uint32_t>{16384, 16384, 7232}));
  EXPECT_EQ(sink.output, content);
}

TEST(InflateEntry, OutputOfExactlyOneChunkMakesNoEmptyWrite) {
  Bytes content;
  while (content.size() < 16384) content.push_back(static_cast<uint8_t>(content.size() % 61));
  const Bytes stored = CompressZlib(content);
  ASSERT_LT(stored.size(), 16384u);  // one input chunk, so one call fills the output exactly
  RecordingSource source(stored);
  RecordingSink sink;
  EXPECT_EQ(Inflate(stored, source, sink), kExtractOk);
  EXPECT_EQ(sink.output, content);
  for (uint32_t size : sink.writeSizes) EXPECT_NE(size, 0u);
}

TEST(InflateEntry, CorruptChecksumIsBadDataWithTheOutputKept) {
  const Bytes content = NoiseBytes(50000, 5);
  Bytes stored = CompressZlib(content);
  stored.back() ^= 0x01;
  RecordingSource source(stored);
  RecordingSink sink;
  EXPECT_EQ(Inflate(stored, source, sink), kExtractBadData);
  EXPECT_TRUE(IsNonEmptyPrefix(sink.output, content));
}

TEST(InflateEntry, CorruptSecondBlockIsBadDataAfterTheFirstBlocksOutput) {
  const Bytes content = NoiseBytes(100000, 9);
  Bytes stored = CompressStored(content);
  ASSERT_EQ(stored[2], 0);  // first stored block, not the last one
  const size_t firstLength = stored[3] | stored[4] << 8;
  stored[7 + firstLength + 3] ^= 0xff;  // NLEN of the second block no longer matches LEN
  RecordingSource source(stored);
  RecordingSink sink;
  EXPECT_EQ(Inflate(stored, source, sink), kExtractBadData);
  EXPECT_TRUE(IsNonEmptyPrefix(sink.output, content));
  EXPECT_LE(sink.output.size(), firstLength);
}

TEST(InflateEntry, StoredSizeZeroIsBadDataWithTheOutputCreated) {
  const Bytes stored;
  RecordingSource source(stored);
  RecordingSink sink;
  EXPECT_EQ(Inflate(stored, source, sink), kExtractBadData);
  EXPECT_TRUE(sink.created);
  EXPECT_TRUE(sink.writeSizes.empty());
}

TEST(InflateEntry, StreamEndingBeforeTheStoredSizeSucceeds) {
  const Bytes content = NoiseBytes(1000, 11);
  Bytes stored = CompressZlib(content);
  stored.insert(stored.end(), 20, 0xee);
  RecordingSource source(stored);
  RecordingSink sink;
  EXPECT_EQ(Inflate(stored, source, sink), kExtractOk);
  EXPECT_EQ(sink.output, content);
}

// The installer accepts an entry whose stored bytes run out before the stream ends;
// mkpackage verify is the strict check.
TEST(InflateEntry, StreamLongerThanTheStoredSizeEndsWithoutError) {
  const Bytes content = NoiseBytes(1000, 13);
  const Bytes stored = CompressZlib(content);
  RecordingSource source(stored);
  RecordingSink sink;
  const uint32_t shorter = static_cast<uint32_t>(stored.size() - 4);
  EXPECT_EQ(Inflate(stored, source, sink, shorter), kExtractOk);
  EXPECT_EQ(source.requested.front(), shorter);
  EXPECT_TRUE(IsNonEmptyPrefix(sink.output, content));
}

TEST(InflateEntry, OutputOrSourceFailuresGiveMinusOne) {
  const Bytes stored = CompressZlib(NoiseBytes(100, 1));
  {
    RecordingSource source(stored);
    RecordingSink sink;
    sink.failCreate = true;
    EXPECT_EQ(Inflate(stored, source, sink), kExtractOutputFailed);
    EXPECT_TRUE(source.requested.empty());
  }
  {
    RecordingSource source(stored);
    RecordingSink sink;
    sink.failWrites = true;
    EXPECT_EQ(Inflate(stored, source, sink), kExtractOutputFailed);
  }
  {
    RecordingSource source(stored);
    source.failReads = true;
    RecordingSink sink;
    EXPECT_EQ(Inflate(stored, source, sink), kExtractOutputFailed);
  }
}

int32_t InflateWithProgress(size_t contentSize, int32_t& counter, int32_t total,
                            RecordingTarget& target) {
  const Bytes stored = CompressZlib(NoiseBytes(contentSize, 17));
  RecordingSource source(stored);
  RecordingSink sink;
  package::ProgressCounter progress(counter, total, &target);
  return InflateEntry(source, static_cast<uint32_t>(stored.size()), sink, progress);
}

TEST(InflateEntry, ProgressWithTotalZeroShowsNothing) {
  RecordingTarget target;
  int32_t counter = 0;
  EXPECT_EQ(InflateWithProgress(250, counter, 0, target), kExtractOk);
  EXPECT_EQ(counter, 250);
  EXPECT_TRUE(target.positions.empty());
}

TEST(InflateEntry, ProgressPastTheTotalIsSentAsComputed) {
  RecordingTarget target;
  int32_t counter = 0;
  EXPECT_EQ(InflateWithProgress(250, counter, 100, target), kExtractOk);
  ASSERT_FALSE(target.positions.empty());
  EXPECT_EQ(target.positions.back(), 250);
}

TEST(InflateEntry, ProgressCounterRunsOnAcrossEntries) {
  RecordingTarget target;
  int32_t counter = 300;
  EXPECT_EQ(InflateWithProgress(100, counter, 1000, target), kExtractOk);
  EXPECT_EQ(counter, 400);
  ASSERT_FALSE(target.positions.empty());
  EXPECT_EQ(target.positions.back(), 40);
}

// 64 chunks of 16 KiB against a total of 4 MiB: about 2.6 chunks per percent.
TEST(InflateEntry, EachPositionIsSentOnceAndNoneIsLeftOut) {
  RecordingTarget target;
  int32_t counter = 0;
  EXPECT_EQ(InflateWithProgress(1 << 20, counter, 4 << 20, target), kExtractOk);
  std::vector<int32_t> everyPercent;
  for (int32_t percent = 0; percent <= 25; ++percent) everyPercent.push_back(percent);
  EXPECT_EQ(target.positions, everyPercent);
}

// Between two entries the staging shows the entry's own position, so the next entry's first
// position is sent even when it equals the last one of the entry before.
TEST(InflateEntry, EachEntrySendsItsFirstPosition) {
  RecordingTarget target;
  int32_t counter = 0;
  EXPECT_EQ(InflateWithProgress(100, counter, 1 << 20, target), kExtractOk);
  EXPECT_EQ(InflateWithProgress(100, counter, 1 << 20, target), kExtractOk);
  EXPECT_EQ(target.positions, (std::vector<int32_t>{0, 0}));
}

}  // namespace
