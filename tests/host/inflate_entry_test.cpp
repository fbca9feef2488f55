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
  package::ProgressCounter progress;
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

uint64_t StoredTotal(const std::vector<Bytes>& entries) {
  uint64_t total = 0;
  for (const Bytes& stored : entries) total += stored.size();
  return total;
}

// Inflates each stored stream as one entry of a walk, as staging does; returns the results.
std::vector<int32_t> InflateAll(const std::vector<Bytes>& entries, package::ProgressCounter& progress) {
  std::vector<int32_t> results;
  for (const Bytes& stored : entries) {
    RecordingSource source(stored);
    RecordingSink sink;
    results.push_back(InflateEntry(source, static_cast<uint32_t>(stored.size()), sink, progress));
  }
  return results;
}

std::vector<int32_t> EveryPercent() {
  std::vector<int32_t> positions;
  for (int32_t percent = 0; percent <= 100; ++percent) positions.push_back(percent);
  return positions;
}

TEST(InflateEntry, ProgressWithoutATotalOrATargetShowsNothing) {
  RecordingTarget target;
  const Bytes stored = CompressZlib(NoiseBytes(250, 17));
  RecordingSource source(stored);
  RecordingSink sink;
  package::ProgressCounter progress(0, &target);
  EXPECT_EQ(InflateEntry(source, static_cast<uint32_t>(stored.size()), sink, progress), kExtractOk);
  EXPECT_EQ(progress.Consumed(), stored.size());
  EXPECT_TRUE(target.positions.empty());
}

// Entries of 1.2, 0.6 and 1.5 MiB of stored bytes: every percent about 33 KiB, two chunks.
TEST(InflateEntry, ProgressRunsOnceThroughEveryPercentAcrossTheEntries) {
  RecordingTarget target;
  const std::vector<Bytes> entries = {CompressZlib(NoiseBytes(1200 << 10, 1)), CompressZlib(NoiseBytes(600 << 10, 2)),
                                      CompressZlib(NoiseBytes(1500 << 10, 3))};
  package::ProgressCounter progress(StoredTotal(entries), &target);
  EXPECT_EQ(InflateAll(entries, progress), (std::vector<int32_t>{kExtractOk, kExtractOk, kExtractOk}));
  EXPECT_EQ(target.positions, EveryPercent());
}

// Stored bytes left unread by a stream that ended early or went bad still count: the bar neither
// stops short of 100 nor jumps when the next entry begins.
TEST(InflateEntry, UnreadStoredBytesCountWhenTheEntryEnds) {
  RecordingTarget target;
  Bytes endsEarly = CompressZlib(NoiseBytes(300 << 10, 4));
  endsEarly.insert(endsEarly.end(), 200 << 10, 0xee);
  Bytes corrupt = CompressZlib(NoiseBytes(400 << 10, 5));
  corrupt[2] = 0xff;  // a bad first block: nothing of it is consumed
  const std::vector<Bytes> entries = {endsEarly, corrupt, CompressZlib(Bytes(1000, 'a'))};
  package::ProgressCounter progress(StoredTotal(entries), &target);
  EXPECT_EQ(InflateAll(entries, progress), (std::vector<int32_t>{kExtractOk, kExtractBadData, kExtractOk}));
  EXPECT_EQ(progress.Consumed(), StoredTotal(entries));
  ASSERT_FALSE(target.positions.empty());
  EXPECT_TRUE(std::is_sorted(target.positions.begin(), target.positions.end()));
  EXPECT_EQ(std::adjacent_find(target.positions.begin(), target.positions.end()), target.positions.end());
  EXPECT_EQ(target.positions.front(), 0);
  EXPECT_EQ(target.positions.back(), 100);
}

}  // namespace
