// A window owned by a C++ object. Thin: each method is the user32 call it names.
#pragma once

#include <windows.h>

namespace framework {

class CWnd {
 public:
  CWnd() = default;
  virtual ~CWnd() = default;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND GetSafeHwnd() const { return m_hWnd; }
  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  BOOL SetWindowTextW(const wchar_t* text) { return ::SetWindowTextW(m_hWnd, text); }
  BOOL SetDlgItemTextW(int id, const wchar_t* text) { return ::SetDlgItemTextW(m_hWnd, id, text); }
  BOOL ShowDlgItem(int id, int show) { return ::ShowWindow(GetDlgItem(id), show); }
  BOOL EnableDlgItem(int id, BOOL enable) { return ::EnableWindow(GetDlgItem(id), enable); }
  BOOL MoveDlgItem(int id, int x, int y, int width, int height) {
    return ::MoveWindow(GetDlgItem(id), x, y, width, height, TRUE);
  }
  BOOL MoveWindow(int x, int y, int width, int height) { return ::MoveWindow(m_hWnd, x, y, width, height, TRUE); }
  RECT GetClientRect() const {
    RECT rect{};
    ::GetClientRect(m_hWnd, &rect);
    return rect;
  }
  LRESULT SendMessageW(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
  }

  HWND m_hWnd = nullptr;
};

}  // namespace framework
