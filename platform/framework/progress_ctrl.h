// A progress bar bound to a dialog item.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace framework {

class CProgressCtrl {
 public:
  void Attach(HWND bar) { m_hWnd = bar; }
  HWND GetSafeHwnd() const { return m_hWnd; }

  void SetRange(int lower, int upper) { ::SendMessageW(m_hWnd, PBM_SETRANGE32, lower, upper); }
  void SetPos(int position) { ::SendMessageW(m_hWnd, PBM_SETPOS, position, 0); }
  int GetPos() const { return static_cast<int>(::SendMessageW(m_hWnd, PBM_GETPOS, 0, 0)); }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }

 private:
  HWND m_hWnd = nullptr;
};

}  // namespace framework
