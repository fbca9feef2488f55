#include "platform/registry.h"

#include <atomic>
#include <string>

#include "platform/fault_injection.h"

namespace platform::registry {
namespace {

std::atomic<int> g_openKeys{0};

LSTATUS InjectedStatus() { return static_cast<LSTATUS>(::GetLastError()); }

LSTATUS CountOpened(LSTATUS status) {
  if (status == ERROR_SUCCESS) ++g_openKeys;
  return status;
}

}  // namespace

LSTATUS RegCreateKeyExW(HKEY root, const wchar_t* subKey, REGSAM access, HKEY* key) {
  *key = nullptr;
  if (TakeInjectedFault("RegCreateKeyExW")) return InjectedStatus();
  return CountOpened(
      ::RegCreateKeyExW(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, key, nullptr));
}

LSTATUS RegCreateKeyExA(HKEY root, const char* subKey, REGSAM access, HKEY* key) {
  *key = nullptr;
  if (TakeInjectedFault("RegCreateKeyExA")) return InjectedStatus();
  return CountOpened(
      ::RegCreateKeyExA(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, key, nullptr));
}

LSTATUS RegSetValueExW(HKEY key, const wchar_t* name, DWORD type, const BYTE* data, DWORD size) {
  if (TakeInjectedFault("RegSetValueExW")) return InjectedStatus();
  return ::RegSetValueExW(key, name, 0, type, data, size);
}

LSTATUS RegQueryValueExA(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) {
  if (TakeInjectedFault("RegQueryValueExA")) return InjectedStatus();
  return ::RegQueryValueExA(key, name, nullptr, type, data, size);
}

LSTATUS RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameLength) {
  if (TakeInjectedFault("RegEnumKeyExA")) return InjectedStatus();
  return ::RegEnumKeyExA(key, index, name, nameLength, nullptr, nullptr, nullptr, nullptr);
}

LSTATUS RegCloseKey(HKEY key) {
  const LSTATUS status = ::RegCloseKey(key);
  if (status == ERROR_SUCCESS) --g_openKeys;
  return status;
}

int OpenKeyCount() { return g_openKeys; }

LSTATUS RegOpenKeyExW(HKEY root, const wchar_t* subKey, REGSAM access, HKEY* key) {
  *key = nullptr;
  if (TakeInjectedFault("RegOpenKeyExW")) return InjectedStatus();
  return CountOpened(::RegOpenKeyExW(root, subKey, 0, access, key));
}

LSTATUS RegQueryValueExW(HKEY key, const wchar_t* name, DWORD* type, BYTE* data, DWORD* size) {
  if (TakeInjectedFault("RegQueryValueExW")) return InjectedStatus();
  return ::RegQueryValueExW(key, name, nullptr, type, data, size);
}

LSTATUS RegDeleteValueW(HKEY key, const wchar_t* name) {
  if (TakeInjectedFault("RegDeleteValueW")) return InjectedStatus();
  return ::RegDeleteValueW(key, name);
}

LSTATUS RegDeleteKeyExW(HKEY root, const wchar_t* subKey, REGSAM access) {
  if (TakeInjectedFault("RegDeleteKeyExW")) return InjectedStatus();
  return ::RegDeleteKeyExW(root, subKey, access, 0);
}

UniqueKey CreateKey(HKEY root, const wchar_t* subKey, REGSAM access) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, subKey, access, &key) != ERROR_SUCCESS) return {};
  return UniqueKey(key);
}

UniqueKey CreateKey(HKEY root, const char* subKey, REGSAM access) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, subKey, access, &key) != ERROR_SUCCESS) return {};
  return UniqueKey(key);
}

UniqueKey OpenKey(HKEY root, const wchar_t* subKey, REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, subKey, access, &key) != ERROR_SUCCESS) return {};
  return UniqueKey(key);
}

LSTATUS SetStringValue(HKEY key, const wchar_t* name, std::wstring_view text) {
  const std::wstring terminated(text);
  const auto size = static_cast<DWORD>((terminated.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key, name, REG_SZ, reinterpret_cast<const BYTE*>(terminated.c_str()), size);
}

LSTATUS SetDwordValue(HKEY key, const wchar_t* name, DWORD number) {
  return RegSetValueExW(key, name, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
}

}  // namespace platform::registry
