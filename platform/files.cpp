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

BOOL WriteFile(HANDLE file, const void* bytes, DWORD size, DWORD* written) {
  *written = 0;
  if (TakeInjectedFault("WriteFile")) return FALSE;
  return ::WriteFile(file, bytes, size, written, nullptr);
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

BOOL CopyFileA(const char* source, const char* target, BOOL failIfExists) {
  if (TakeInjectedFault("CopyFileA")) return FALSE;
  return ::CopyFileA(source, target, failIfExists);
}

BOOL DeleteFileA(const char* path) {
  if (TakeInjectedFault("DeleteFileA")) return FALSE;
  return ::DeleteFileA(path);
}

UINT GetSystemDirectoryA(char* path, UINT capacity) {
  if (TakeInjectedFault("GetSystemDirectoryA")) return 0;
  return ::GetSystemDirectoryA(path, capacity);
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

int fclose(FILE* file) {
  if (TakeInjectedFault("fclose")) {
    std::fclose(file);
    return EOF;
  }
  return std::fclose(file);
}

bool PathExists(const wchar_t* path) {
  return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

HANDLE FindFirstFileW(const wchar_t* pattern, WIN32_FIND_DATAW* data) {
  if (TakeInjectedFault("FindFirstFileW")) return INVALID_HANDLE_VALUE;
  return ::FindFirstFileW(pattern, data);
}

BOOL FindNextFileW(HANDLE search, WIN32_FIND_DATAW* data) {
  if (TakeInjectedFault("FindNextFileW")) return FALSE;
  return ::FindNextFileW(search, data);
}

BOOL FindClose(HANDLE search) { return ::FindClose(search); }

BOOL RemoveDirectoryW(const wchar_t* path) {
  if (TakeInjectedFault("RemoveDirectoryW")) return FALSE;
  return ::RemoveDirectoryW(path);
}

BOOL CopyFileW(const wchar_t* source, const wchar_t* target, BOOL failIfExists) {
  if (TakeInjectedFault("CopyFileW")) return FALSE;
  return ::CopyFileW(source, target, failIfExists);
}

BOOL MoveFileExW(const wchar_t* source, const wchar_t* target, DWORD flags) {
  if (TakeInjectedFault("MoveFileExW")) return FALSE;
  return ::MoveFileExW(source, target, flags);
}

DWORD GetTempPathW(DWORD capacity, wchar_t* path) {
  if (TakeInjectedFault("GetTempPathW")) return 0;
  return ::GetTempPathW(capacity, path);
}

}  // namespace platform::files
