// The common part of the controls bound to a dialog item: the dialog owns the window, the
// object only talks to it.
#pragma once

#include <windows.h>

namespace framework {

class CDialogItem {
 public:
  void Attach(HWND control) { m_hWnd = control; }
  HWND GetSafeHwnd() const { return m_hWnd; }

 protected:
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
  }

  HWND m_hWnd = nullptr;
};

}  // namespace framework
