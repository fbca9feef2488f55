#include "tests/unit/system/system_test_support.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace test {
namespace {

HKEY OpenKey(const std::wstring& path, REGSAM access) {
  HKEY key = nullptr;
  return RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, access, &key) == ERROR_SUCCESS ? key : nullptr;
}

constexpr int kServicePolls = 300;

}  // namespace

bool IsWow64() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

bool KeyExists(const std::wstring& path, REGSAM view) {
  HKEY key = OpenKey(path, KEY_READ | view);
  if (key != nullptr) RegCloseKey(key);
  return key != nullptr;
}

std::optional<TextValue> ReadValue(const std::wstring& keyPath, REGSAM view, const wchar_t* name) {
  HKEY key = OpenKey(keyPath, KEY_READ | view);
  if (key == nullptr) return std::nullopt;
  TextValue value;
  wchar_t text[1024] = {};
  value.size = sizeof(text) - sizeof(wchar_t);
  const LSTATUS status = RegQueryValueExW(key, name, nullptr, &value.type, reinterpret_cast<BYTE*>(text), &value.size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return std::nullopt;
  value.text = text;
  return value;
}

DWORD ValueCount(const std::wstring& keyPath, REGSAM view) {
  HKEY key = OpenKey(keyPath, KEY_READ | view);
  if (key == nullptr) return 0;
  DWORD count = 0;
  RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                   nullptr);
  RegCloseKey(key);
  return count;
}

void DeleteKey(const std::wstring& path, REGSAM view) { RegDeleteKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), view, 0); }

void SetRunOnceValue(const wchar_t* name, const std::wstring& command) {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce", 0, nullptr, 0,
                  KEY_SET_VALUE, nullptr, &key, nullptr);
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                 static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

void MakeFolders(const std::wstring& path) {
  std::error_code ignored;
  std::filesystem::create_directories(path, ignored);
}

void MakeFile(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
  out << bytes;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void RemoveTree(const std::wstring& path) {
  std::error_code ignored;
  std::filesystem::remove_all(path, ignored);
}

std::vector<std::wstring> FolderNames(const std::wstring& folder) {
  std::vector<std::wstring> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    names.push_back(entry.path().filename().wstring());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::wstring WindowsPath(const char* path) {
  std::wstring wide(path, path + strlen(path));
  std::replace(wide.begin(), wide.end(), L'/', L'\\');
  return wide;
}

std::wstring SpecialFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, csidl, nullptr, 0, path);
  return path;
}

std::optional<DWORD> ServiceState(const wchar_t* name) {
  SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
  SC_HANDLE service = manager != nullptr ? OpenServiceW(manager, name, SERVICE_QUERY_STATUS) : nullptr;
  SERVICE_STATUS status = {};
  const bool known = service != nullptr && QueryServiceStatus(service, &status);
  if (service != nullptr) CloseServiceHandle(service);
  if (manager != nullptr) CloseServiceHandle(manager);
  if (!known) return std::nullopt;
  return status.dwCurrentState;
}

bool WaitForServiceState(const wchar_t* name, DWORD state) {
  for (int poll = 0; poll < kServicePolls; ++poll) {
    if (ServiceState(name) == state) return true;
    Sleep(100);
  }
  return false;
}

void StopAndDeleteService(const wchar_t* name) {
  SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  SC_HANDLE service = manager != nullptr ? OpenServiceW(manager, name, SERVICE_ALL_ACCESS) : nullptr;
  if (service != nullptr) {
    SERVICE_STATUS status = {};
    if (ControlService(service, SERVICE_CONTROL_STOP, &status)) WaitForServiceState(name, SERVICE_STOPPED);
    DeleteService(service);
    CloseServiceHandle(service);
  }
  if (manager != nullptr) CloseServiceHandle(manager);
}

}  // namespace test
