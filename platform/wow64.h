// WOW64: the 32-bit installer on 64-bit Windows. The calls are resolved at run time, as
// older 32-bit Windows lacks them.
#pragma once

#include <windows.h>

namespace platform::wow64 {

// The 64-bit build runs on 64-bit Windows only, where it needs no WOW64 and no redirection.
inline constexpr bool kIs64BitBuild = sizeof(void*) == 8;

// IsWow64Process for the current process; FALSE when the function is missing or fails.
BOOL IsWow64Process(BOOL* isWow64);

// Switches file-system redirection off for this thread while it lives ("Kernel32.dll"'s
// Wow64DisableWow64FsRedirection / Wow64RevertWow64FsRedirection); does nothing where they
// are missing, and nothing in the 64-bit build, which is never redirected.
class FsRedirectionOff {
 public:
  FsRedirectionOff();
  ~FsRedirectionOff();
  FsRedirectionOff(const FsRedirectionOff&) = delete;
  FsRedirectionOff& operator=(const FsRedirectionOff&) = delete;
  bool IsOff() const { return m_switchedOff; }

 private:
  using RevertFunction = BOOL(WINAPI*)(PVOID);
  HMODULE m_kernel32 = nullptr;
  RevertFunction m_revert = nullptr;
  PVOID m_oldState = nullptr;
  bool m_switchedOff = false;
};

}  // namespace platform::wow64
