#include "platform/files.h"

#include "platform/fault_injection.h"

namespace platform::files {

HANDLE CreateFileW(const wchar_t* path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
  if (TakeInjectedFault("CreateFileW")) return INVALID_HANDLE_VALUE;
  return ::CreateFileW(path, access, share, nullptr, disposition, flags, nullptr);
}

BOOL ReadFile(HANDLE file, void* buffer, DWORD size, DWORD* read) {
  *read = 0;
  if (TakeInjectedFault("ReadFile")) return FALSE;
  return ::ReadFile(file, buffer, size, read, nullptr);
}

BOOL SetFilePointerEx(HANDLE file, LONGLONG distance, DWORD method) {
  if (TakeInjectedFault("SetFilePointerEx")) return FALSE;
  LARGE_INTEGER move;
  move.QuadPart = distance;
  return ::SetFilePointerEx(file, move, nullptr, method);
}

BOOL GetFileAttributesExW(const wchar_t* path, WIN32_FILE_ATTRIBUTE_DATA* data) {
  if (TakeInjectedFault("GetFileAttributesExW")) return FALSE;
  return ::GetFileAttributesExW(path, GetFileExInfoStandard, data);
}

DWORD GetFileAttributesW(const wchar_t* path) {
  if (TakeInjectedFault("GetFileAttributesW")) return INVALID_FILE_ATTRIBUTES;
  return ::GetFileAttributesW(path);
}

BOOL CreateDirectoryW(const wchar_t* path) {
  if (TakeInjectedFault("CreateDirectoryW")) return FALSE;
  return ::CreateDirectoryW(path, nullptr);
}

BOOL DeleteFileW(const wchar_t* path) {
  if (TakeInjectedFault("DeleteFileW")) return FALSE;
  return ::DeleteFileW(path);
}

DWORD GetModuleFileNameW(HMODULE module, wchar_t* path, DWORD capacity) {
  if (TakeInjectedFault("GetModuleFileNameW")) return 0;
  return ::GetModuleFileNameW(module, path, capacity);
}

FILE* fopen(const char* path, const char* mode) {
  if (TakeInjectedFault("fopen")) return nullptr;
  return std::fopen(path, mode);
}

FILE* _wfopen(const wchar_t* path, const wchar_t* mode) {
  if (TakeInjectedFault("_wfopen")) return nullptr;
  return ::_wfopen(path, mode);
}

size_t fwrite(const void* bytes, size_t size, FILE* file) {
  if (TakeInjectedFault("fwrite")) return 0;
  return std::fwrite(bytes, 1, size, file);
}

bool PathExists(const wchar_t* path) {
  return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace platform::files
