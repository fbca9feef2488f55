// An owner of one COM interface pointer, released on every path.
#pragma once

#include <unknwn.h>

#include <utility>

namespace platform {

template <typename Interface>
class UniqueComPtr {
 public:
  UniqueComPtr() = default;
  ~UniqueComPtr() { Release(); }
  UniqueComPtr(const UniqueComPtr&) = delete;
  UniqueComPtr& operator=(const UniqueComPtr&) = delete;
  UniqueComPtr(UniqueComPtr&& other) noexcept : m_pointer(std::exchange(other.m_pointer, nullptr)) {}
  UniqueComPtr& operator=(UniqueComPtr&& other) noexcept {
    if (this != &other) {
      Release();
      m_pointer = std::exchange(other.m_pointer, nullptr);
    }
    return *this;
  }

  Interface* Get() const { return m_pointer; }
  Interface* operator->() const { return m_pointer; }
  explicit operator bool() const { return m_pointer != nullptr; }
  // The place a creating call writes the new pointer to; releases what was held.
  void** Receive() {
    Release();
    return reinterpret_cast<void**>(&m_pointer);
  }
  void Release() {
    if (m_pointer != nullptr) std::exchange(m_pointer, nullptr)->Release();
  }

 private:
  Interface* m_pointer = nullptr;
};

}  // namespace platform
