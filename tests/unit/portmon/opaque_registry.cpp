#include "tests/unit/portmon/opaque_registry.h"

#include <map>

namespace portmon_test {
namespace {

std::map<HANDLE, HKEY>& Keys() {
  static std::map<HANDLE, HKEY> keys;
  return keys;
}

// A wrong spooler handle or an unknown key fails, as a confused monitor would on Windows.
bool Resolve(HANDLE handle, HANDLE spooler, HKEY& key) {
  if (spooler != OpaqueRegistry::Spooler()) return false;
  key = OpaqueRegistry::KeyOf(handle);
  return key != nullptr;
}

LONG WINAPI CreateKey(HANDLE parent, LPCWSTR name, DWORD options, REGSAM access, PSECURITY_ATTRIBUTES security,
                      PHANDLE result, PDWORD disposition, HANDLE spooler) {
  HKEY key = nullptr;
  HKEY created = nullptr;
  if (!Resolve(parent, spooler, key)) return ERROR_INVALID_HANDLE;
  LONG error = RegCreateKeyExW(key, name, 0, nullptr, options, access, security, &created, disposition);
  if (error == ERROR_SUCCESS) *result = OpaqueRegistry::Adopt(created);
  return error;
}

LONG WINAPI OpenKey(HANDLE parent, LPCWSTR name, REGSAM access, PHANDLE result, HANDLE spooler) {
  HKEY key = nullptr;
  HKEY opened = nullptr;
  if (!Resolve(parent, spooler, key)) return ERROR_INVALID_HANDLE;
  LONG error = RegOpenKeyExW(key, name, 0, access, &opened);
  if (error == ERROR_SUCCESS) *result = OpaqueRegistry::Adopt(opened);
  return error;
}

LONG WINAPI CloseKey(HANDLE handle, HANDLE spooler) {
  HKEY key = nullptr;
  if (!Resolve(handle, spooler, key)) return ERROR_INVALID_HANDLE;
  Keys().erase(handle);
  return RegCloseKey(key);
}

LONG WINAPI DeleteKey(HANDLE parent, LPCWSTR name, HANDLE spooler) {
  HKEY key = nullptr;
  return Resolve(parent, spooler, key) ? RegDeleteKeyW(key, name) : ERROR_INVALID_HANDLE;
}

LONG WINAPI EnumKey(HANDLE handle, DWORD index, LPWSTR name, PDWORD length, PFILETIME written, HANDLE spooler) {
  HKEY key = nullptr;
  if (!Resolve(handle, spooler, key)) return ERROR_INVALID_HANDLE;
  return RegEnumKeyExW(key, index, name, length, nullptr, nullptr, nullptr, written);
}

LONG WINAPI SetValue(HANDLE handle, LPCWSTR name, DWORD type, const BYTE* data, DWORD size, HANDLE spooler) {
  HKEY key = nullptr;
  return Resolve(handle, spooler, key) ? RegSetValueExW(key, name, 0, type, data, size) : ERROR_INVALID_HANDLE;
}

LONG WINAPI QueryValue(HANDLE handle, LPCWSTR name, PDWORD type, PBYTE data, PDWORD size, HANDLE spooler) {
  HKEY key = nullptr;
  return Resolve(handle, spooler, key) ? RegQueryValueExW(key, name, nullptr, type, data, size) : ERROR_INVALID_HANDLE;
}

LONG WINAPI StubQueryValue(HANDLE, LPCWSTR, PDWORD, PBYTE, PDWORD, HANDLE) { return ERROR_CALL_NOT_IMPLEMENTED; }

}  // namespace

HANDLE OpaqueRegistry::Spooler() { return reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(0x5b001)); }

const MONITORREG& OpaqueRegistry::Functions() {
  static const MONITORREG functions = [] {
    MONITORREG table{};
    table.cbSize = sizeof(table);
    table.fpCreateKey = CreateKey;
    table.fpOpenKey = OpenKey;
    table.fpCloseKey = CloseKey;
    table.fpDeleteKey = DeleteKey;
    table.fpEnumKey = EnumKey;
    table.fpSetValue = SetValue;
    table.fpQueryValue = QueryValue;
    return table;
  }();
  return functions;
}

HANDLE OpaqueRegistry::Adopt(HKEY key) {
  static ULONG_PTR next = 0x7000;
  HANDLE handle = reinterpret_cast<HANDLE>(next += 4);
  Keys()[handle] = key;
  return handle;
}

HKEY OpaqueRegistry::KeyOf(HANDLE handle) {
  const auto found = Keys().find(handle);
  return found == Keys().end() ? nullptr : found->second;
}

size_t OpaqueRegistry::OpenKeys() { return Keys().size(); }

void OpaqueRegistry::CloseAll() {
  for (const auto& [handle, key] : Keys()) RegCloseKey(key);
  Keys().clear();
}

const MONITORREG& StubMonitorReg() {
  static const MONITORREG stubs = [] {
    MONITORREG table{};
    table.cbSize = sizeof(table);
    table.fpQueryValue = StubQueryValue;
    return table;
  }();
  return stubs;
}

}  // namespace portmon_test
