// Writing where a standard user can plant links. The installer runs elevated; a hard link, a
// symbolic link or a junction planted under a name it writes would aim its write at any file of
// the machine. These opens never follow one: they open the name itself and check it on the handle.
// Tests make the handle query report a reparse point or a second hard link by injecting the
// faults "ReportReparsePoint" and "ReportHardLinks".
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/handle.h"

namespace platform::files {

enum class WriteMode { Replace, Append };

// Opens `path` for writing (Replace empties it, Append writes at its end). An existing file that
// is a reparse point or has more than one hard link is removed, which leaves the link's target
// alone, and created anew with CREATE_NEW; should that fail too, the result is invalid and
// `refusal` (when given) says why.
UniqueFileHandle OpenForWriteWithoutLinks(const wchar_t* path, WriteMode mode, std::wstring* refusal = nullptr);

// The same as a C runtime stream "wb" for an 8-bit path, for staging into an install folder that
// may have existed before the run; fails (with the last error set) also when a folder on the way
// is a reparse point. The fault "fopen" makes it fail, as it makes the plain open fail.
FILE* OpenStreamWithoutLinks(const char* path);

// Writes all bytes; false on a short or failed write.
bool WriteAll(HANDLE file, const void* bytes, size_t size);

// True when `path` or a folder above it exists as a reparse point (a junction or a symbolic
// link): writing or deleting below it would land elsewhere.
bool PathHasReparsePoint(const std::wstring& path);

}  // namespace platform::files
