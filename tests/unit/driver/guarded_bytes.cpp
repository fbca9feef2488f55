#include "tests/unit/driver/guarded_bytes.h"

#include <cstring>

namespace test {

GuardedBytes::GuardedBytes(const std::vector<uint8_t>& bytes) : size_(bytes.size()) {
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  const size_t page = system.dwPageSize;
  const size_t readable = (bytes.size() + page - 1) / page * page + page;
  region_ =
      static_cast<uint8_t*>(VirtualAlloc(nullptr, readable + page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  DWORD old = 0;
  VirtualProtect(region_ + readable, page, PAGE_NOACCESS, &old);
  uint8_t* start = region_ + readable - bytes.size();
  if (!bytes.empty()) std::memcpy(start, bytes.data(), bytes.size());
  data_ = start;
}

GuardedBytes::~GuardedBytes() { VirtualFree(region_, 0, MEM_RELEASE); }

}  // namespace test
