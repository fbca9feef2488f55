// The bounded copies into fixed fields and the UTF-16LE line reader, with capacities chosen by
// the input down to 0. Fields are heap arrays of exactly their capacity, so that AddressSanitizer
// sees any unit written or read past them.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "tests/fuzz/targets/fuzz_check.h"
#include "texts/utf16_text.h"

namespace {

using texts::Utf16Unit;

std::vector<Utf16Unit> ConsumeUnits(FuzzedDataProvider& input, size_t count) {
  std::vector<Utf16Unit> units(count);
  for (Utf16Unit& unit : units) unit = input.ConsumeIntegral<uint16_t>();
  return units;
}

bool IsTerminated(const Utf16Unit* field, size_t capacity) {
  return std::find(field, field + capacity, Utf16Unit(0)) != field + capacity;
}

// The field starts with whatever the input gives, terminated or not.
void CheckBoundedCopy(FuzzedDataProvider& input, bool append) {
  const size_t capacity = input.ConsumeIntegralInRange<size_t>(0, 600);
  const std::vector<Utf16Unit> before = ConsumeUnits(input, capacity);
  const std::vector<Utf16Unit> text = ConsumeUnits(input, input.ConsumeIntegralInRange<size_t>(0, 700));
  const auto field = std::make_unique<Utf16Unit[]>(capacity);
  std::copy(before.begin(), before.end(), field.get());
  const texts::Utf16View view(text.data(), text.size());
  if (append) {
    texts::AppendBounded(field.get(), capacity, view);
  } else {
    texts::CopyBounded(field.get(), capacity, view);
  }
  if (capacity == 0) return;
  fuzz::Require(IsTerminated(field.get(), capacity), "field terminated");
  const size_t kept = append ? std::find(before.begin(), before.end() - 1, Utf16Unit(0)) - before.begin() : 0;
  fuzz::Require(std::equal(field.get(), field.get() + kept, before.begin()), "an append keeps the field's text");
  const size_t copied = std::min(text.size(), capacity - 1 - kept);
  fuzz::Require(std::equal(text.begin(), text.begin() + copied, field.get() + kept), "the text's start is copied");
}

void CheckLines(FuzzedDataProvider& input) {
  const size_t capacity = input.ConsumeIntegralInRange<size_t>(0, 300);
  const bool skipAlways = input.ConsumeBool();
  const std::vector<uint8_t> bytes = input.ConsumeRemainingBytes<uint8_t>();
  texts::Utf16Reader reader(bytes);
  if (skipAlways) {
    reader.SkipByteOrderMark();
  } else {
    reader.SkipByteOrderMarkIfPresent();
  }
  const auto line = std::make_unique<Utf16Unit[]>(capacity);
  size_t lines = 0;
  while (const std::optional<texts::LineRead> read = reader.ReadLine(line.get(), capacity)) {
    fuzz::Require(++lines <= bytes.size() / 2, "every line takes a unit");
    if (capacity == 0) continue;
    fuzz::Require(read->length < capacity && line[read->length] == 0, "line terminated within capacity");
    fuzz::Require(!read->cut || read->length == capacity - 1, "a cut line fills its buffer");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  switch (input.ConsumeIntegralInRange<int>(0, 2)) {
    case 0: CheckBoundedCopy(input, false); break;
    case 1: CheckBoundedCopy(input, true); break;
    default: CheckLines(input); break;
  }
  return 0;
}
