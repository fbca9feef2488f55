// A report-view list control bound to a dialog item.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace framework {

class CListCtrl {
 public:
  void Attach(HWND list) { m_hWnd = list; }
  HWND GetSafeHwnd() const { return m_hWnd; }

  void SetExtendedStyle(DWORD style) { ListView_SetExtendedListViewStyle(m_hWnd, style); }
  int InsertColumn(int index, const wchar_t* heading, int width);
  // A new row at the end with the text of column 0; returns its index or -1.
  int AppendItem(const wchar_t* text);
  BOOL SetItemText(int item, int column, const wchar_t* text);
  std::wstring GetItemText(int item, int column) const;
  int GetItemCount() const { return ListView_GetItemCount(m_hWnd); }
  // The first selected row, or -1.
  int GetFirstSelected() const { return ListView_GetNextItem(m_hWnd, -1, LVNI_SELECTED); }
  int GetClientWidth() const;

 private:
  HWND m_hWnd = nullptr;
};

}  // namespace framework
