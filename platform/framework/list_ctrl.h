// A report-view list control bound to a dialog item.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "platform/framework/dialog_item.h"

namespace framework {

class CListCtrl : public CDialogItem {
 public:
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
};

}  // namespace framework
