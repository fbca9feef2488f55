#include "components/driver/ui/ui_text.h"

#include <winspool.h>

#include <cstdarg>
#include <cwchar>
#include <vector>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace plotter {
namespace {

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring FolderOfThisModule() {
  std::vector<wchar_t> path(MAX_PATH);
  DWORD length = 0;
  while ((length = GetModuleFileNameW(ThisModule(), path.data(), static_cast<DWORD>(path.size()))) ==
         path.size()) {
    path.resize(path.size() * 2);
  }
  std::wstring folder(path.data(), length);
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

// The folder above, with its final backslash (C:\a\b\ gives C:\a\).
std::wstring ParentFolder(const std::wstring& folder) {
  const size_t end = folder.find_last_of(L'\\', folder.size() >= 2 ? folder.size() - 2 : 0);
  return end == std::wstring::npos ? folder : folder.substr(0, end + 1);
}

// The value is joined to a folder path, so it may name a file there and nothing else.
bool IsPlainFileName(const std::wstring& name) {
  return !name.empty() && name.find_first_of(L"\\/:") == std::wstring::npos && name != L"." && name != L"..";
}

}  // namespace

ResourceModule::ResourceModule(const std::wstring& path)
    : m_module(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}

std::wstring ResourceModule::String(UINT id) const {
  if (!m_module) return {};
  const wchar_t* text = nullptr;
  const int length = LoadStringW(m_module.Get(), id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 && text ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

HICON ResourceModule::Icon(UINT id, int size) const {
  if (!m_module) return nullptr;
  return static_cast<HICON>(LoadImageW(m_module.Get(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
}

HINSTANCE ThisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

std::wstring SupportFilePath(const std::wstring& fileName) {
  const std::wstring folder = FolderOfThisModule();
  const std::wstring beside = folder + fileName;
  const std::wstring candidates[] = {beside, ParentFolder(folder) + L"3\\" + fileName,
                                     folder + L"3\\" + fileName};
  for (const std::wstring& candidate : candidates) {
    if (FileExists(candidate)) return candidate;
  }
  return beside;
}

std::wstring LanguageDllOfPrinter(HANDLE printer) {
  wchar_t value[MAX_PATH] = {};
  DWORD type = 0;
  DWORD needed = 0;
  const DWORD status =
      GetPrinterDataW(printer, const_cast<LPWSTR>(L"Language"), &type, reinterpret_cast<BYTE*>(value),
                      sizeof(value) - sizeof(wchar_t), &needed);
  const std::wstring name = status == ERROR_SUCCESS && type == REG_SZ ? value : L"";
  return IsPlainFileName(name) ? name : kDefaultLanguageDll;
}

std::wstring LanguageDllPath(HANDLE printer) {
  const std::wstring chosen = SupportFilePath(LanguageDllOfPrinter(printer));
  return FileExists(chosen) ? chosen : SupportFilePath(kDefaultLanguageDll);
}

std::wstring FormatText(const wchar_t* pattern, ...) {
  std::vector<wchar_t> buffer(256);
  for (;;) {
    va_list arguments;
    va_start(arguments, pattern);
    const int length = vswprintf(buffer.data(), buffer.size(), pattern, arguments);
    va_end(arguments);
    if (length >= 0 && static_cast<size_t>(length) < buffer.size())
      return std::wstring(buffer.data(), length);
    if (buffer.size() >= 4096) return pattern;  // a broken pattern: show it rather than nothing
    buffer.resize(buffer.size() * 4);
  }
}

}  // namespace plotter
