// A drop-down list bound to a dialog item.
#pragma once

#include <windows.h>

#include <string>

#include "platform/framework/dialog_item.h"

namespace framework {

class CComboBox : public CDialogItem {
 public:
  int AddString(const wchar_t* item) { return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item))); }
  int SetCurSel(int index) { return static_cast<int>(Send(CB_SETCURSEL, index)); }
  int GetCurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }
  int GetCount() const { return static_cast<int>(Send(CB_GETCOUNT)); }
  // The item's text; empty for an index outside the list.
  std::wstring GetLBText(int index) const;
  // The selected item's text; empty when nothing is selected.
  std::wstring GetSelectedText() const { return GetLBText(GetCurSel()); }
};

}  // namespace framework
