#include "platform/wow64.h"

#include "platform/fault_injection.h"

namespace platform::wow64 {

BOOL IsWow64Process(BOOL* isWow64) {
  *isWow64 = FALSE;
  if (TakeInjectedFault("IsWow64Process")) return FALSE;
  using Function = BOOL(WINAPI*)(HANDLE, PBOOL);
  const auto function =
      reinterpret_cast<Function>(::GetProcAddress(::GetModuleHandleW(L"kernel32"), "IsWow64Process"));
  if (function == nullptr) return FALSE;
  return function(::GetCurrentProcess(), isWow64);
}

FsRedirectionOff::FsRedirectionOff() {
  if constexpr (kIs64BitBuild) return;
  if (TakeInjectedFault("Wow64DisableWow64FsRedirection")) return;
  m_kernel32 = ::LoadLibraryA("Kernel32.dll");
  if (m_kernel32 == nullptr) return;
  using DisableFunction = BOOL(WINAPI*)(PVOID*);
  const auto disable =
      reinterpret_cast<DisableFunction>(::GetProcAddress(m_kernel32, "Wow64DisableWow64FsRedirection"));
  m_revert = reinterpret_cast<RevertFunction>(::GetProcAddress(m_kernel32, "Wow64RevertWow64FsRedirection"));
  m_switchedOff = disable != nullptr && m_revert != nullptr && disable(&m_oldState);
}

FsRedirectionOff::~FsRedirectionOff() {
  if (m_switchedOff) m_revert(m_oldState);
  if (m_kernel32 != nullptr) ::FreeLibrary(m_kernel32);
}

}  // namespace platform::wow64
