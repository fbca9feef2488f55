// Non-copyable, movable owners of handles, so that each is closed on every path. Header-only and
// free of the platform library, so that the components use it too.
#pragma once

#include <windows.h>
#include <setupapi.h>
#include <winspool.h>

#include <cstdio>
#include <utility>

namespace platform {

// Traits of a handle kind: `Type`, the `Invalid()` value its opening call fails with, and
// `Close(Type)`. Invalid is a function because INVALID_HANDLE_VALUE is not a constant expression.
template <typename Traits>
class UniqueOwner {
 public:
  using Type = typename Traits::Type;

  UniqueOwner() = default;
  explicit UniqueOwner(Type value) : m_value(value) {}
  ~UniqueOwner() { Close(); }
  UniqueOwner(const UniqueOwner&) = delete;
  UniqueOwner& operator=(const UniqueOwner&) = delete;
  UniqueOwner(UniqueOwner&& other) noexcept : m_value(other.Detach()) {}
  UniqueOwner& operator=(UniqueOwner&& other) noexcept {
    if (this != &other) Attach(other.Detach());
    return *this;
  }

  Type Get() const { return m_value; }
  bool IsValid() const { return m_value != Traits::Invalid(); }
  explicit operator bool() const { return IsValid(); }
  void Attach(Type value) {
    Close();
    m_value = value;
  }
  Type Detach() { return std::exchange(m_value, Traits::Invalid()); }
  void Close() {
    if (IsValid()) Traits::Close(Detach());
  }

 private:
  Type m_value = Traits::Invalid();
};

// Handle kinds whose opening call fails with null.
template <typename T>
struct NullIsInvalid {
  using Type = T;
  static constexpr Type Invalid() { return nullptr; }
};

// Handle kinds whose opening call fails with INVALID_HANDLE_VALUE.
template <typename T>
struct InvalidHandleValueIsInvalid {
  using Type = T;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
};

struct KernelHandleTraits : NullIsInvalid<HANDLE> {
  static void Close(HANDLE handle) { ::CloseHandle(handle); }
};
// CreateFileW's result.
struct FileHandleTraits : InvalidHandleValueIsInvalid<HANDLE> {
  static void Close(HANDLE file) { ::CloseHandle(file); }
};
// FindFirstFileW's result.
struct FindHandleTraits : InvalidHandleValueIsInvalid<HANDLE> {
  static void Close(HANDLE search) { ::FindClose(search); }
};
// SetupDiGetClassDevsW's result.
struct DeviceInfoListTraits : InvalidHandleValueIsInvalid<HDEVINFO> {
  static void Close(HDEVINFO set) { ::SetupDiDestroyDeviceInfoList(set); }
};
struct CrtFileTraits : NullIsInvalid<FILE*> {
  static void Close(FILE* file) { std::fclose(file); }
};
struct RegistryKeyTraits : NullIsInvalid<HKEY> {
  static void Close(HKEY key) { ::RegCloseKey(key); }
};
struct PrinterTraits : NullIsInvalid<HANDLE> {
  static void Close(HANDLE printer) { ::ClosePrinter(printer); }
};
struct ModuleTraits : NullIsInvalid<HMODULE> {
  static void Close(HMODULE module) { ::FreeLibrary(module); }
};
struct IconTraits : NullIsInvalid<HICON> {
  static void Close(HICON icon) { ::DestroyIcon(icon); }
};
template <typename T>
struct GdiObjectTraits : NullIsInvalid<T> {
  static void Close(T object) { ::DeleteObject(object); }
};

using UniqueHandle = UniqueOwner<KernelHandleTraits>;
using UniqueFileHandle = UniqueOwner<FileHandleTraits>;
using UniqueFindHandle = UniqueOwner<FindHandleTraits>;
using UniqueDeviceInfoList = UniqueOwner<DeviceInfoListTraits>;
using UniqueCrtFile = UniqueOwner<CrtFileTraits>;
using UniqueRegistryKey = UniqueOwner<RegistryKeyTraits>;
using UniquePrinter = UniqueOwner<PrinterTraits>;
using UniqueModule = UniqueOwner<ModuleTraits>;
using UniqueIcon = UniqueOwner<IconTraits>;

}  // namespace platform
