// The configuration DLL's texts and image come from the support files installed beside it: the
// language DLL the printer's "Language" value names (English when it names none) and Image.dll.
#pragma once

#include <windows.h>

#include <string>

#include "platform/handle.h"

namespace plotter {

inline constexpr wchar_t kDefaultLanguageDll[] = L"ENGLISH.DLL";
inline constexpr wchar_t kImageDll[] = L"Image.dll";

// A resource DLL mapped as data: none of its code runs, whatever its bitness.
class ResourceModule {
 public:
  explicit ResourceModule(const std::wstring& path);

  bool Loaded() const { return m_module.IsValid(); }
  // Empty when the module or the string is missing.
  std::wstring String(UINT id) const;
  // Null when the module or the icon is missing; the caller destroys it.
  HICON Icon(UINT id, int size) const;

 private:
  platform::UniqueModule m_module;
};

HINSTANCE ThisModule();

// The support file's path: beside this DLL (where the spooler gathers a driver's files), else in
// the version-3 folder of the driver directory this DLL sits in or below, where the installer
// places them.
std::wstring SupportFilePath(const std::wstring& fileName);

// The printer's "Language" value when it is a plain file name, else the English DLL.
std::wstring LanguageDllOfPrinter(HANDLE printer);

// The language DLL to read the printer's texts from: the one it names when present, else English.
std::wstring LanguageDllPath(HANDLE printer);

// printf-style with the pattern a language DLL supplies (%ls for text, %u for numbers).
std::wstring FormatText(const wchar_t* pattern, ...);

}  // namespace plotter
