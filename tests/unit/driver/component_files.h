// The DLLs this tree built, under the names the package gives them.
#pragma once

#include <windows.h>

#include <string>

namespace test {

// "plotter.dll" names plotter.dll here and plotter.dll.x64 in the 64-bit tree.
std::wstring ComponentPath(const std::wstring& package_name);

// A DLL loaded for the life of the object.
class LoadedDll {
 public:
  explicit LoadedDll(const std::wstring& path) : module_(LoadLibraryW(path.c_str())) {}
  ~LoadedDll() {
    if (module_) FreeLibrary(module_);
  }
  LoadedDll(const LoadedDll&) = delete;
  LoadedDll& operator=(const LoadedDll&) = delete;

  HMODULE get() const { return module_; }
  template <typename Function>
  Function Entry(const char* name) const {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }

 private:
  HMODULE module_;
};

}  // namespace test
