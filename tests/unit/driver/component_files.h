// The DLLs this tree built, under the names the package gives them.
#pragma once

#include <windows.h>

#include <string>

#include "platform/handle.h"

namespace test {

// "plotter.dll" names plotter.dll here and plotter.dll.x64 in the 64-bit tree.
std::wstring ComponentPath(const std::wstring& packageName);

// A DLL loaded for the life of the object.
class LoadedDll {
 public:
  explicit LoadedDll(const std::wstring& path) : m_module(LoadLibraryW(path.c_str())) {}

  HMODULE Get() const { return m_module.Get(); }
  template <typename Function>
  Function Entry(const char* name) const {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(m_module.Get(), name)));
  }

 private:
  platform::UniqueModule m_module;
};

}  // namespace test
