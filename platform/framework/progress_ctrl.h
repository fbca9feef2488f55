// A progress bar bound to a dialog item.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/framework/dialog_item.h"

namespace framework {

class CProgressCtrl : public CDialogItem {
 public:
  void SetRange(int lower, int upper) { Send(PBM_SETRANGE32, lower, upper); }
  void SetPos(int position) { Send(PBM_SETPOS, position); }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }
};

}  // namespace framework
