#include "platform/code_page.h"

#include <windows.h>

#include <climits>

#include "platform/fault_injection.h"

namespace platform {

bool WideToAnsi(std::wstring_view text, std::string& ansi) {
  ansi.clear();
  if (text.empty()) return true;
  if (text.size() > INT_MAX || TakeInjectedFault("WideCharToMultiByte")) return false;
  const int length = static_cast<int>(text.size());
  const int needed = ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return false;
  ansi.resize(needed);
  if (::WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), needed, nullptr, nullptr) != needed) {
    ansi.clear();
    return false;
  }
  return true;
}

bool WideToAnsiExactly(std::wstring_view text, std::string& ansi) {
  ansi.clear();
  if (text.empty()) return true;
  // UTF-8 as the ANSI code page loses nothing, and takes neither flag nor default character.
  if (::GetACP() == CP_UTF8) return WideToAnsi(text, ansi);
  if (text.size() > INT_MAX || TakeInjectedFault("WideCharToMultiByte")) return false;
  const int length = static_cast<int>(text.size());
  BOOL lossy = FALSE;
  const int needed =
      ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0, nullptr, &lossy);
  if (needed <= 0 || lossy) return false;
  ansi.resize(needed);
  if (::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, ansi.data(), needed, nullptr,
                            &lossy) != needed ||
      lossy) {
    ansi.clear();
    return false;
  }
  return true;
}

bool AnsiToWide(std::string_view text, std::wstring& wide) {
  wide.clear();
  if (text.empty()) return true;
  if (text.size() > INT_MAX || TakeInjectedFault("MultiByteToWideChar")) return false;
  const int length = static_cast<int>(text.size());
  const int needed = ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  if (needed <= 0) return false;
  wide.resize(needed);
  if (::MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), needed) != needed) {
    wide.clear();
    return false;
  }
  return true;
}

}  // namespace platform
