// A drop-down list bound to a dialog item.
#pragma once

#include <windows.h>

#include <string>

namespace framework {

class CComboBox {
 public:
  void Attach(HWND combo) { m_hWnd = combo; }
  HWND GetSafeHwnd() const { return m_hWnd; }

  int AddString(const wchar_t* item) {
    return static_cast<int>(::SendMessageW(m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item)));
  }
  int SetCurSel(int index) { return static_cast<int>(::SendMessageW(m_hWnd, CB_SETCURSEL, index, 0)); }
  int GetCurSel() const { return static_cast<int>(::SendMessageW(m_hWnd, CB_GETCURSEL, 0, 0)); }
  int GetCount() const { return static_cast<int>(::SendMessageW(m_hWnd, CB_GETCOUNT, 0, 0)); }
  // The item's text; empty for an index outside the list.
  std::wstring GetLBText(int index) const;
  // The selected item's text; empty when nothing is selected.
  std::wstring GetSelectedText() const { return GetLBText(GetCurSel()); }

 private:
  HWND m_hWnd = nullptr;
};

}  // namespace framework
