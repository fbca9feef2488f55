// Non-copyable owners of handles, so that each is closed on every path.
#pragma once

#include <windows.h>

#include <cstdio>
#include <utility>

namespace platform {

template <typename T, T Invalid, typename Closer>
class UniqueOwner {
 public:
  UniqueOwner() = default;
  explicit UniqueOwner(T value) : m_value(value) {}
  ~UniqueOwner() { Close(); }
  UniqueOwner(const UniqueOwner&) = delete;
  UniqueOwner& operator=(const UniqueOwner&) = delete;
  UniqueOwner(UniqueOwner&& other) noexcept : m_value(other.Detach()) {}
  UniqueOwner& operator=(UniqueOwner&& other) noexcept {
    if (this != &other) Attach(other.Detach());
    return *this;
  }

  T Get() const { return m_value; }
  bool IsValid() const { return m_value != Invalid; }
  explicit operator bool() const { return IsValid(); }
  void Attach(T value) {
    Close();
    m_value = value;
  }
  T Detach() { return std::exchange(m_value, Invalid); }
  void Close() {
    if (IsValid()) Closer{}(Detach());
  }

 private:
  T m_value = Invalid;
};

struct CloseKernelHandle {
  void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
struct CloseCrtFile {
  void operator()(FILE* file) const { std::fclose(file); }
};

// A kernel file handle; invalid is INVALID_HANDLE_VALUE, as CreateFileW returns it.
class UniqueFileHandle {
 public:
  UniqueFileHandle() = default;
  explicit UniqueFileHandle(HANDLE handle) : m_handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
  HANDLE Get() const { return m_handle.Get(); }
  bool IsValid() const { return m_handle.IsValid(); }
  explicit operator bool() const { return IsValid(); }

 private:
  UniqueOwner<HANDLE, nullptr, CloseKernelHandle> m_handle;
};

using UniqueCrtFile = UniqueOwner<FILE*, nullptr, CloseCrtFile>;

}  // namespace platform
