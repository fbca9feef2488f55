// What a target checks beyond the sanitizers: a broken promise of the reader is a crash, so
// libFuzzer keeps the input that shows it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

namespace fuzz {

inline void Require(bool condition, const char* promise) {
  if (condition) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", promise);
  std::abort();
}

// True when `part` lies wholly inside `whole` (compared as addresses, never dereferenced).
inline bool IsInside(std::span<const uint8_t> part, std::span<const uint8_t> whole) {
  const auto begin = reinterpret_cast<uintptr_t>(whole.data());
  const auto partBegin = reinterpret_cast<uintptr_t>(part.data());
  return partBegin >= begin && partBegin - begin <= whole.size() && part.size() <= whole.size() - (partBegin - begin);
}

// Reads every byte, so that AddressSanitizer sees a span that reaches past its buffer.
inline uint8_t Touch(std::span<const uint8_t> bytes) {
  uint8_t sum = 0;
  for (uint8_t byte : bytes) sum = static_cast<uint8_t>(sum + byte);
  return sum;
}

// Reads a span's first and last byte: enough for AddressSanitizer to see an output buffer handed
// on past its end, without a pass over every byte of every output (the bulk of a run's time when
// a small input inflates to megabytes).
inline uint8_t TouchEnds(std::span<const uint8_t> bytes) {
  if (bytes.empty()) return 0;
  return static_cast<uint8_t>(bytes.front() + bytes.back());
}

}  // namespace fuzz
