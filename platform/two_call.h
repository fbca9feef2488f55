// Variable-sized lists by the two-call pattern: ask for the size, allocate, call again.
#pragma once

#include <windows.h>

#include <span>
#include <vector>

namespace platform {

template <typename Record>
struct TwoCallList {
  bool listed = false;
  std::vector<BYTE> buffer;  // owns the records and the texts they point to
  DWORD count = 0;

  std::span<const Record> Records() const {
    if (!listed || count == 0) return {};
    return {reinterpret_cast<const Record*>(buffer.data()), count};
  }
};

// `call(buffer, size, &needed, &returned)` is a wrapped enumeration such as EnumPrintersW.
template <typename Record, typename Call>
TwoCallList<Record> ListByTwoCalls(Call call) {
  TwoCallList<Record> list;
  DWORD needed = 0;
  DWORD returned = 0;
  if (call(nullptr, 0, &needed, &returned)) {
    list.listed = true;  // nothing to list
    return list;
  }
  if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) return list;
  list.buffer.resize(needed);
  list.listed = call(list.buffer.data(), needed, &needed, &returned);
  list.count = list.listed ? returned : 0;
  return list;
}

}  // namespace platform
