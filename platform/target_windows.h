// The Windows an installation targets, 32-bit or 64-bit: asked once when a run starts and handed
// to every step that differs between the two, so that no step asks again.
#pragma once

#include <windows.h>

#include <string>

namespace platform {

// The spooler's names of the two Windows a driver or a monitor is registered for.
inline constexpr wchar_t kEnvironmentX86[] = L"Windows NT x86";
inline constexpr wchar_t kEnvironmentX64[] = L"Windows x64";

struct TargetWindows {
  const wchar_t* environment = kEnvironmentX86;  // of the driver and the monitor
  std::wstring driverDirectory;  // the spooler's printer driver directory; empty when unreadable
  bool x64Builds = false;        // the package's files are taken in their ".x64" builds
  REGSAM registryView = 0;       // KEY_WOW64_64KEY where the machine's keys are in a 64-bit view
  bool redirected = false;       // a 32-bit process under WOW64: its system folder is redirected

  // `path`, or its ".x64" build where this Windows takes those.
  std::string BuildOf(const std::string& path) const;
  std::wstring BuildOf(const std::wstring& path) const;
  // The installer itself is a 64-bit program (never redirected): its own programs must be too.
  bool Is64BitProcess() const { return x64Builds && !redirected; }
};

TargetWindows Windows32Target(std::wstring driverDirectory);
// `redirected`: seen from a 32-bit process under WOW64.
TargetWindows Windows64Target(std::wstring driverDirectory, bool redirected);

// Asks Windows. The 64-bit build runs on 64-bit Windows only; the 32-bit build targets 64-bit
// Windows when it runs under WOW64, and 32-bit Windows otherwise (also when it cannot tell).
TargetWindows DescribeTargetWindows();

}  // namespace platform
