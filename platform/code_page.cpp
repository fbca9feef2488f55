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
