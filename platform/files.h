// Files and folders. Each wrapper returns what the wrapped call returns and can be made to
// fail by name (fault injection) with the last error set.
#pragma once

#include <windows.h>

#include <cstdio>

namespace platform::files {

HANDLE CreateFileW(const wchar_t* path, DWORD access, DWORD share, DWORD disposition, DWORD flags);
BOOL ReadFile(HANDLE file, void* buffer, DWORD size, DWORD* read);
BOOL SetFilePointerEx(HANDLE file, LONGLONG distance, DWORD method);
BOOL GetFileAttributesExW(const wchar_t* path, WIN32_FILE_ATTRIBUTE_DATA* data);
DWORD GetFileAttributesW(const wchar_t* path);
BOOL CreateDirectoryW(const wchar_t* path);
BOOL DeleteFileW(const wchar_t* path);
DWORD GetModuleFileNameW(HMODULE module, wchar_t* path, DWORD capacity);

// C runtime streams with 8-bit (ANSI code page) paths; "fopen" also fails by injection.
FILE* fopen(const char* path, const char* mode);
// C runtime stream with a UTF-16 path; "_wfopen" fails by injection.
FILE* _wfopen(const wchar_t* path, const wchar_t* mode);
// Bytes written; short when injected ("fwrite") or when the stream fails.
size_t fwrite(const void* bytes, size_t size, FILE* file);

// True when the path names an existing file or folder.
bool PathExists(const wchar_t* path);

}  // namespace platform::files
