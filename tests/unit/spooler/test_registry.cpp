#include "tests/unit/spooler/test_registry.h"

#include <gtest/gtest.h>

namespace test {
namespace {

HKEY CreateKey(const std::wstring& key, REGSAM view) {
  HKEY created = nullptr;
  const LSTATUS status = RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr,
                                         &created, nullptr);
  EXPECT_EQ(status, ERROR_SUCCESS) << "creating " << testing::PrintToString(key);
  return status == ERROR_SUCCESS ? created : nullptr;
}

void SetValue(const std::wstring& key, const std::wstring& name, DWORD type, const void* data, DWORD size,
              REGSAM view) {
  HKEY created = CreateKey(key, view);
  if (created == nullptr) return;
  EXPECT_EQ(RegSetValueExW(created, name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
  RegCloseKey(created);
}

}  // namespace

void SetMachineString(const std::wstring& key, const std::wstring& name, const std::wstring& value, REGSAM view) {
  SetValue(key, name, REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)), view);
}

void SetMachineDword(const std::wstring& key, const std::wstring& name, DWORD value) {
  SetValue(key, name, REG_DWORD, &value, sizeof value, KEY_WOW64_64KEY);
}

void CreateMachineKey(const std::wstring& key) {
  HKEY created = CreateKey(key, KEY_WOW64_64KEY);
  if (created != nullptr) RegCloseKey(created);
}

std::optional<RegistryText> ReadMachineString(const std::wstring& key, const std::wstring& name, REGSAM view) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ | view, &opened) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  wchar_t text[1024] = {};
  DWORD type = 0;
  DWORD size = sizeof text - sizeof(wchar_t);
  const LSTATUS status = RegQueryValueExW(opened, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
  RegCloseKey(opened);
  if (status != ERROR_SUCCESS) return std::nullopt;
  return RegistryText{type, size, text};
}

void DeleteMachineValue(const std::wstring& key, const std::wstring& name) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, &opened) != ERROR_SUCCESS) {
    return;
  }
  RegDeleteValueW(opened, name.c_str());
  RegCloseKey(opened);
}

void DeleteMachineTree(const std::wstring& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, &opened) != ERROR_SUCCESS) {
    return;
  }
  RegDeleteTreeW(opened, nullptr);
  RegCloseKey(opened);
  RegDeleteKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), KEY_WOW64_64KEY, 0);
}

}  // namespace test
