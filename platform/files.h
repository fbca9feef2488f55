// Files and folders. Each wrapper returns what the wrapped call returns and can be made to
// fail by name (fault injection) with the last error set.
#pragma once

#include <windows.h>

#include <cstdio>

#include "platform/handle.h"

namespace platform::files {

HANDLE CreateFileW(const wchar_t* path, DWORD access, DWORD share, DWORD disposition, DWORD flags);
BOOL ReadFile(HANDLE file, void* buffer, DWORD size, DWORD* read);
BOOL WriteFile(HANDLE file, const void* bytes, DWORD size, DWORD* written);
BOOL SetFilePointerEx(HANDLE file, LONGLONG distance, DWORD method);
BOOL GetFileAttributesExW(const wchar_t* path, WIN32_FILE_ATTRIBUTE_DATA* data);
DWORD GetFileAttributesW(const wchar_t* path);
BOOL CreateDirectoryW(const wchar_t* path);
BOOL DeleteFileW(const wchar_t* path);
DWORD GetModuleFileNameW(HMODULE module, wchar_t* path, DWORD capacity);
BOOL CopyFileA(const char* source, const char* target, BOOL failIfExists);
BOOL DeleteFileA(const char* path);
UINT GetSystemDirectoryA(char* path, UINT capacity);

// C runtime streams with 8-bit (ANSI code page) paths; "fopen" also fails by injection.
FILE* fopen(const char* path, const char* mode);
// C runtime stream with a UTF-16 path; "_wfopen" fails by injection.
FILE* _wfopen(const wchar_t* path, const wchar_t* mode);
// Bytes written; short when injected ("fwrite") or when the stream fails.
size_t fwrite(const void* bytes, size_t size, FILE* file);
// Closes the stream, writing what is buffered; EOF when that fails or is injected ("fclose"),
// the stream being closed all the same.
int fclose(FILE* file);

// True when the path names an existing file or folder.
bool PathExists(const wchar_t* path);

// Folder listings, removal, copies and moves with UTF-16 paths.
HANDLE FindFirstFileW(const wchar_t* pattern, WIN32_FIND_DATAW* data);
BOOL FindNextFileW(HANDLE search, WIN32_FIND_DATAW* data);
// Not injectable: a close made to fail would only leak the search.
BOOL FindClose(HANDLE search);
BOOL RemoveDirectoryW(const wchar_t* path);
BOOL CopyFileW(const wchar_t* source, const wchar_t* target, BOOL failIfExists);
BOOL MoveFileExW(const wchar_t* source, const wchar_t* target, DWORD flags);
DWORD GetTempPathW(DWORD capacity, wchar_t* path);

using platform::UniqueFindHandle;

}  // namespace platform::files
