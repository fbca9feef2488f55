#include "platform/framework/list_ctrl.h"

namespace framework {

int CListCtrl::InsertColumn(int index, const wchar_t* heading, int width) {
  LVCOLUMNW column = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = const_cast<wchar_t*>(heading);
  column.cx = width;
  column.iSubItem = index;
  return static_cast<int>(::SendMessageW(m_hWnd, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column)));
}

int CListCtrl::AppendItem(const wchar_t* text) {
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.iItem = GetItemCount();
  item.pszText = const_cast<wchar_t*>(text);
  return static_cast<int>(::SendMessageW(m_hWnd, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemText(int item, int column, const wchar_t* text) {
  LVITEMW change = {};
  change.iSubItem = column;
  change.pszText = const_cast<wchar_t*>(text);
  return static_cast<BOOL>(::SendMessageW(m_hWnd, LVM_SETITEMTEXTW, item, reinterpret_cast<LPARAM>(&change)));
}

std::wstring CListCtrl::GetItemText(int item, int column) const {
  wchar_t text[256] = {};
  LVITEMW query = {};
  query.iSubItem = column;
  query.pszText = text;
  query.cchTextMax = 256;
  ::SendMessageW(m_hWnd, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&query));
  return text;
}

int CListCtrl::GetClientWidth() const {
  RECT client = {};
  ::GetClientRect(m_hWnd, &client);
  return client.right - client.left;
}

}  // namespace framework
