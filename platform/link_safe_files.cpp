#include "platform/link_safe_files.h"

#include "platform/fault_injection.h"
#include "platform/code_page.h"
#include "platform/files.h"

#include <fcntl.h>
#include <io.h>

namespace platform::files {
namespace {

constexpr DWORD kShare = FILE_SHARE_READ;

HANDLE OpenName(const wchar_t* path, DWORD disposition) {
  if (TakeInjectedFault("CreateFileW")) return INVALID_HANDLE_VALUE;
  return ::CreateFileW(path, GENERIC_WRITE | DELETE, kShare, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

// A reparse point or a file with a second name, as the open handle reports it.
bool IsLinked(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(file, &info)) return true;  // unknown: not trusted
  if (TakeInjectedFault("ReportReparsePoint")) info.dwFileAttributes |= FILE_ATTRIBUTE_REPARSE_POINT;
  if (TakeInjectedFault("ReportHardLinks")) info.nNumberOfLinks = 2;
  return (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 || info.nNumberOfLinks > 1;
}

bool PrepareForMode(HANDLE file, WriteMode mode) {
  LARGE_INTEGER zero{};
  if (mode == WriteMode::Append) return ::SetFilePointerEx(file, zero, nullptr, FILE_END) != FALSE;
  return ::SetFilePointerEx(file, zero, nullptr, FILE_BEGIN) && ::SetEndOfFile(file);
}

}  // namespace

UniqueFileHandle OpenForWriteWithoutLinks(const wchar_t* path, WriteMode mode, std::wstring* refusal) {
  UniqueFileHandle file(OpenName(path, OPEN_ALWAYS));
  if (!file) {
    if (refusal != nullptr) *refusal = L"cannot be opened";
    return file;
  }
  // Written through the very handle that was checked: nothing can be swapped in between.
  if (!IsLinked(file.Get())) {
    if (!PrepareForMode(file.Get(), mode)) file.Close();
    return file;
  }
  file.Close();
  // Removing the name removes the link, never what it points to.
  files::DeleteFileW(path);
  file.Attach(OpenName(path, CREATE_NEW));
  if (!file && refusal != nullptr) *refusal = L"a link stood under its name and could not be replaced";
  if (file && IsLinked(file.Get())) {
    file.Close();
    if (refusal != nullptr) *refusal = L"a link came back under its name";
  }
  return file;
}

FILE* OpenStreamWithoutLinks(const char* path) {
  if (TakeInjectedFault("fopen")) return nullptr;
  std::wstring widePath;
  if (!AnsiToWide(path, widePath)) return nullptr;
  const size_t separator = widePath.find_last_of(L'\\');
  if (separator != std::wstring::npos && PathHasReparsePoint(widePath.substr(0, separator))) {
    ::SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  UniqueFileHandle file = OpenForWriteWithoutLinks(widePath.c_str(), WriteMode::Replace);
  if (!file) {
    if (::GetLastError() == ERROR_SUCCESS) ::SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  const int descriptor = ::_open_osfhandle(reinterpret_cast<intptr_t>(file.Get()), _O_WRONLY | _O_BINARY);
  if (descriptor == -1) return nullptr;
  file.Detach();  // the descriptor owns the handle now
  FILE* stream = ::_fdopen(descriptor, "wb");
  if (stream == nullptr) ::_close(descriptor);
  return stream;
}

bool WriteAll(HANDLE file, const void* bytes, size_t size) {
  const auto* next = static_cast<const BYTE*>(bytes);
  while (size > 0) {
    const DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!files::WriteFile(file, next, chunk, &written) || written != chunk) return false;
    next += chunk;
    size -= chunk;
  }
  return true;
}

bool PathHasReparsePoint(const std::wstring& path) {
  for (size_t end = path.find(L'\\', 3); ; end = path.find(L'\\', end + 1)) {
    const std::wstring part = path.substr(0, end);
    const DWORD attributes = files::GetFileAttributesW(part.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return true;
    if (end == std::wstring::npos) return false;
  }
}

}  // namespace platform::files
