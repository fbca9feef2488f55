// Registry helpers for the spooler tests: HKEY_LOCAL_MACHINE keys in a chosen view (64-bit by
// default), written and read directly with the Win32 API.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace test {

struct RegistryText {
  DWORD type;
  DWORD size;  // bytes, with the terminator
  std::wstring text;
};

void SetMachineString(const std::wstring& key, const std::wstring& name, const std::wstring& value,
                      REGSAM view = KEY_WOW64_64KEY);
void SetMachineDword(const std::wstring& key, const std::wstring& name, DWORD value);
void CreateMachineKey(const std::wstring& key);
std::optional<RegistryText> ReadMachineString(const std::wstring& key, const std::wstring& name,
                                              REGSAM view = KEY_WOW64_64KEY);
void DeleteMachineValue(const std::wstring& key, const std::wstring& name);
// A missing key is fine.
void DeleteMachineTree(const std::wstring& key);

}  // namespace test
