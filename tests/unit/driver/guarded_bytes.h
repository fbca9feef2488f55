// Bytes that end right before an inaccessible page, so that reading one byte past them faults.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

namespace test {

class GuardedBytes {
 public:
  explicit GuardedBytes(const std::vector<uint8_t>& bytes);
  ~GuardedBytes();
  GuardedBytes(const GuardedBytes&) = delete;
  GuardedBytes& operator=(const GuardedBytes&) = delete;

  std::span<const uint8_t> span() const { return {data_, size_}; }

 private:
  uint8_t* region_ = nullptr;
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
};

}  // namespace test
