#include "platform/framework/dialog.h"

#include "platform/framework/win_app.h"

namespace framework {

INT_PTR CDialog::DoModal() {
  const HINSTANCE instance = CurrentApp() != nullptr ? CurrentApp()->m_hInstance : ::GetModuleHandleW(nullptr);
  const HWND owner = m_parent != nullptr ? m_parent->GetSafeHwnd() : nullptr;
  return ::DialogBoxParamW(instance, MAKEINTRESOURCEW(m_templateId), owner, DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

bool CDialog::OnCommand(int, int) { return false; }

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    ::SetWindowLongPtrW(window, DWLP_USER, lParam);
    dialog->m_hWnd = window;
  }
  auto* dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(window, DWLP_USER));
  if (dialog == nullptr) return FALSE;
  const INT_PTR result = dialog->Dispatch(message, wParam, lParam);
  if (message == WM_NCDESTROY) dialog->m_hWnd = nullptr;
  return result;
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == IDOK) {
        OnOK();
        return TRUE;
      }
      if (id == IDCANCEL) {
        OnCancel();
        return TRUE;
      }
      return OnCommand(id, HIWORD(wParam)) ? TRUE : FALSE;
    }
    default: {
      INT_PTR result = FALSE;
      if (!OnMessage(message, wParam, lParam, result)) return FALSE;
      // Messages whose result is returned directly rather than through DWLP_MSGRESULT.
      if (message == WM_QUERYDRAGICON || message == WM_CTLCOLORSTATIC || message == WM_CTLCOLOREDIT ||
          message == WM_CTLCOLORBTN || message == WM_CTLCOLORDLG) {
        return result;
      }
      ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
      return TRUE;
    }
  }
}

}  // namespace framework
