// A system edit control ("EDIT") run by a C++ object, so that a derived class can handle some
// of its messages and leave the rest to the control.
#pragma once

#include "platform/framework/wnd.h"

namespace framework {

class CEdit : public CWnd {
 public:
  // `rect` is in the parent's client coordinates. False when the control cannot be created.
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  void SetModify(BOOL modified) { SendMessageW(EM_SETMODIFY, modified, 0); }
  BOOL GetModify() const { return ::SendMessageW(m_hWnd, EM_GETMODIFY, 0, 0) != 0; }
};

}  // namespace framework
