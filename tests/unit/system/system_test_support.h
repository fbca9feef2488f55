// Machine-state helpers for the system integration and uninstaller tests (UTF-16 paths).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace test {

// True on 64-bit Windows, where this 32-bit test runs under WOW64.
bool IsWow64();

// HKEY_LOCAL_MACHINE in the given view (0, KEY_WOW64_64KEY or KEY_WOW64_32KEY).
bool KeyExists(const std::wstring& path, REGSAM view);
// A REG_SZ value with its exact byte count checked against the text (NUL included).
struct TextValue {
  std::wstring text;
  DWORD type = 0;
  DWORD size = 0;
};
std::optional<TextValue> ReadValue(const std::wstring& keyPath, REGSAM view, const wchar_t* name);
DWORD ValueCount(const std::wstring& keyPath, REGSAM view);
void DeleteKey(const std::wstring& path, REGSAM view);
void SetRunOnceValue(const wchar_t* name, const std::wstring& command);

// Files and folders.
void MakeFolders(const std::wstring& path);
void MakeFile(const std::wstring& path, const std::string& bytes);
bool Exists(const std::wstring& path);
void RemoveTree(const std::wstring& path);
std::vector<std::wstring> FolderNames(const std::wstring& folder);  // sorted, without . and ..
// Windows' own form of a "Z:/..." build path handed in by CMake.
std::wstring WindowsPath(const char* path);
std::wstring SpecialFolder(int csidl);

// Services.
std::optional<DWORD> ServiceState(const wchar_t* name);
// Polls until the state is reached; false after 30 seconds.
bool WaitForServiceState(const wchar_t* name, DWORD state);
// Stops (when running) and deletes the service; missing is fine.
void StopAndDeleteService(const wchar_t* name);

}  // namespace test
