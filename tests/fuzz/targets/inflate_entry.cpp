// Inflating one entry's stored bytes, with a stored size that may disagree with the bytes
// present, an output that may fail, and the progress of a walk that may go on after it.
// The last bytes of the input choose those; the rest are the stored bytes.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <vector>

#include "package/inflate_entry.h"
#include "tests/fuzz/targets/fuzz_check.h"

namespace {

class CountingSink : public package::OutputSink {
 public:
  explicit CountingSink(uint32_t failingWrite) : m_failingWrite(failingWrite) {}
  bool Create() override {
    fuzz::Require(!m_created, "output created once");
    m_created = true;
    return true;
  }
  bool Write(const uint8_t* bytes, uint32_t size) override {
    fuzz::Require(m_created, "output created before the first write");
    fuzz::Require(size > 0 && size <= package::kChunkSize, "writes of one output chunk at most");
    fuzz::TouchEnds({bytes, size});
    if (++m_writes == m_failingWrite) return false;
    m_written += size;
    return true;
  }
  // Bytes of the writes that succeeded.
  uint64_t Written() const { return m_written; }

 private:
  uint32_t m_failingWrite;  // 0: none fails
  uint32_t m_writes = 0;
  uint64_t m_written = 0;
  bool m_created = false;
};

class Positions : public package::ProgressTarget {
 public:
  void ShowProgressPosition(int32_t position) override {
    fuzz::Require(position >= 0 && position <= 100, "progress within 0 to 100");
    fuzz::Require(position > m_last, "the bar gets only new, rising positions");
    m_last = position;
  }
  int32_t Last() const { return m_last; }

 private:
  int32_t m_last = -1;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const uint8_t sizeMode = input.ConsumeIntegral<uint8_t>();
  const uint16_t sizeDelta = input.ConsumeIntegral<uint16_t>();
  const uint32_t failingWrite = input.ConsumeIntegral<uint8_t>();
  const uint32_t restOfTheWalk = input.ConsumeIntegral<uint32_t>();
  const std::vector<uint8_t> stored = input.ConsumeRemainingBytes<uint8_t>();

  // The stored size the package claims: exact, short of the bytes, or past them.
  uint32_t storedSize = static_cast<uint32_t>(stored.size());
  if (sizeMode % 3 == 1) storedSize -= std::min<uint32_t>(storedSize, sizeDelta);
  if (sizeMode % 3 == 2) storedSize += sizeDelta;

  package::MemoryChunkSource source(stored);
  CountingSink sink(failingWrite);
  Positions positions;
  // This entry first, then entries of restOfTheWalk stored bytes.
  package::ProgressCounter progress(uint64_t(storedSize) + restOfTheWalk, &positions);
  const int32_t result = package::InflateEntry(source, storedSize, sink, progress);
  fuzz::Require(result == package::kExtractOk || result == package::kExtractOutputFailed ||
                    result == package::kExtractBadData || result == package::kExtractOutOfMemory,
                "a known result");
  fuzz::Require(progress.Consumed() == storedSize, "an entry counts its whole stored size");
  fuzz::Require(restOfTheWalk > 0 || storedSize == 0 || positions.Last() == 100, "a walk ends at 100");
  return 0;
}
