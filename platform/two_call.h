// Variable-sized results by the two-call pattern: ask for the size, allocate, call again.
// Header-only and free of the platform library, so that the components use it too.
#pragma once

#include <windows.h>

#include <span>
#include <vector>

namespace platform {

enum class TwoCallOutcome {
  kSizeNotReported,   // the first call failed without saying how much room it needs
  kSecondCallFailed,  // the size was reported, but the call with a buffer failed
  kNothingToRead,     // the first call succeeded without a buffer: empty result
  kRead,
};

struct TwoCallBuffer {
  TwoCallOutcome outcome = TwoCallOutcome::kSizeNotReported;
  std::vector<BYTE> bytes;  // empty unless read

  bool Succeeded() const { return outcome == TwoCallOutcome::kRead || outcome == TwoCallOutcome::kNothingToRead; }
};

// `call(buffer, size, &needed)` returns whether it filled the buffer. The first call goes without
// a buffer; when it fails with ERROR_INSUFFICIENT_BUFFER or ERROR_MORE_DATA as the last error,
// the second gets `needed` plus `slack` bytes (slack for a result that grows in between).
template <typename Call>
TwoCallBuffer ReadByTwoCalls(Call call, DWORD slack = 0) {
  TwoCallBuffer result;
  DWORD needed = 0;
  if (call(nullptr, 0, &needed)) {
    result.outcome = TwoCallOutcome::kNothingToRead;
    return result;
  }
  const DWORD error = ::GetLastError();
  if ((error != ERROR_INSUFFICIENT_BUFFER && error != ERROR_MORE_DATA) || needed + slack == 0) return result;
  result.bytes.resize(needed + slack);
  if (!call(result.bytes.data(), static_cast<DWORD>(result.bytes.size()), &needed)) {
    result.outcome = TwoCallOutcome::kSecondCallFailed;
    result.bytes.clear();
    return result;
  }
  result.outcome = TwoCallOutcome::kRead;
  return result;
}

// Records of an enumeration (EnumPrintersW, EnumPortsW, ...), owning the texts they point to.
template <typename Record>
struct TwoCallList {
  TwoCallOutcome outcome = TwoCallOutcome::kSizeNotReported;
  std::vector<BYTE> buffer;
  DWORD count = 0;

  bool Listed() const { return outcome == TwoCallOutcome::kRead || outcome == TwoCallOutcome::kNothingToRead; }
  std::span<const Record> Records() const {
    if (count == 0) return {};
    return {reinterpret_cast<const Record*>(buffer.data()), count};
  }
};

// `call(buffer, size, &needed, &returned)` is a wrapped enumeration such as EnumPrintersW.
template <typename Record, typename Call>
TwoCallList<Record> ListByTwoCalls(Call call, DWORD slack = 0) {
  DWORD returned = 0;
  TwoCallBuffer read = ReadByTwoCalls(
      [&](BYTE* buffer, DWORD size, DWORD* needed) { return call(buffer, size, needed, &returned); }, slack);
  TwoCallList<Record> list;
  list.outcome = read.outcome;
  list.count = read.outcome == TwoCallOutcome::kRead ? returned : 0;
  list.buffer = std::move(read.bytes);
  return list;
}

}  // namespace platform
