// A modal dialog from a template id. The dialog procedure stores `this` at WM_INITDIALOG and
// dispatches to virtual handlers.
#pragma once

#include "platform/framework/wnd.h"

namespace framework {

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr) : m_templateId(templateId), m_parent(parent) {}

  // Runs the dialog's own modal loop; returns what EndDialog was given, or -1.
  INT_PTR DoModal();
  BOOL EndDialog(INT_PTR result) { return ::EndDialog(m_hWnd, result); }

 protected:
  virtual BOOL OnInitDialog() { return TRUE; }
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }
  // A WM_COMMAND other than IDOK / IDCANCEL; true when handled.
  virtual bool OnCommand(int id, int notifyCode);
  // Any other message; true (with result set) when handled.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  UINT m_templateId;
  CWnd* m_parent;
};

}  // namespace framework
