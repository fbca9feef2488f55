#include "platform/target_windows.h"

#include <utility>

#include "platform/printers.h"
#include "platform/wow64.h"

namespace platform {
namespace {

// The installation's driver paths have always been limited to this.
constexpr DWORD kDriverDirectoryBytes = 256;

std::wstring ReadDriverDirectory() {
  wchar_t directory[kDriverDirectoryBytes / sizeof(wchar_t)] = {};
  DWORD needed = 0;
  if (!printers::GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(directory),
                                            kDriverDirectoryBytes, &needed)) {
    return {};
  }
  directory[std::size(directory) - 1] = L'\0';
  return directory;
}

bool RunsUnderWow64() {
  BOOL isWow64 = FALSE;
  wow64::IsWow64Process(&isWow64);
  return isWow64 != FALSE;
}

}  // namespace

std::string TargetWindows::BuildOf(const std::string& path) const { return x64Builds ? path + ".x64" : path; }

std::wstring TargetWindows::BuildOf(const std::wstring& path) const { return x64Builds ? path + L".x64" : path; }

TargetWindows Windows32Target(std::wstring driverDirectory) {
  TargetWindows target;
  target.driverDirectory = std::move(driverDirectory);
  return target;
}

TargetWindows Windows64Target(std::wstring driverDirectory, bool redirected) {
  TargetWindows target;
  target.environment = kEnvironmentX64;
  target.driverDirectory = std::move(driverDirectory);
  target.x64Builds = true;
  target.registryView = KEY_WOW64_64KEY;
  target.redirected = redirected;
  return target;
}

TargetWindows DescribeTargetWindows() {
  if constexpr (wow64::kIs64BitBuild) return Windows64Target(ReadDriverDirectory(), false);
  if (RunsUnderWow64()) return Windows64Target(ReadDriverDirectory(), true);
  return Windows32Target(ReadDriverDirectory());
}

}  // namespace platform
