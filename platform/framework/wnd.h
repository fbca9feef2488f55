// A window owned by a C++ object. Thin: each method is the user32 call it names.
#pragma once

#include <windows.h>

#include <string>

namespace framework {

class CWnd {
 public:
  CWnd() = default;
  // Destroys a window this object still runs (its handlers no longer see the messages).
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND GetSafeHwnd() const { return m_hWnd; }
  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  BOOL SetWindowTextW(const wchar_t* text) { return ::SetWindowTextW(m_hWnd, text); }
  BOOL SetDlgItemTextW(int id, const wchar_t* text) { return ::SetDlgItemTextW(m_hWnd, id, text); }
  BOOL ShowDlgItem(int id, int show) { return ::ShowWindow(GetDlgItem(id), show); }
  BOOL EnableDlgItem(int id, BOOL enable) { return ::EnableWindow(GetDlgItem(id), enable); }
  BOOL MoveDlgItem(int id, int x, int y, int width, int height) {
    return ::MoveWindow(GetDlgItem(id), x, y, width, height, TRUE);
  }
  BOOL MoveWindow(int x, int y, int width, int height) { return ::MoveWindow(m_hWnd, x, y, width, height, TRUE); }
  // The control's rectangle in this window's client coordinates.
  RECT GetDlgItemRect(int id) const {
    RECT rect{};
    ::GetWindowRect(GetDlgItem(id), &rect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }
  RECT GetClientRect() const {
    RECT rect{};
    ::GetClientRect(m_hWnd, &rect);
    return rect;
  }
  LRESULT SendMessageW(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
  }
  // Queues the message for the window's thread; safe from any thread.
  BOOL PostMessageW(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
  }
  void SetDlgItemFont(int id, HFONT font) {
    ::SendMessageW(GetDlgItem(id), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  bool IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED; }
  BOOL CheckDlgButton(int id, bool checked) {
    return ::CheckDlgButton(m_hWnd, id, checked ? BST_CHECKED : BST_UNCHECKED);
  }
  BOOL ShowWindow(int show) { return ::ShowWindow(m_hWnd, show); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  BOOL EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  BOOL InvalidateRect(const RECT* rect, BOOL erase) { return ::InvalidateRect(m_hWnd, rect, erase); }
  BOOL UpdateWindow() { return ::UpdateWindow(m_hWnd); }
  // The window text; from another thread this waits for the owning thread to answer.
  std::wstring GetWindowTextW() const;
  std::wstring GetDlgItemTextW(int id) const;

  // Creates a window run by this object: one of a class from RegisterWndClass, or a system
  // class (such as "EDIT") whose procedure this object then takes over, passing on what its
  // handlers leave. False when the window cannot be created.
  BOOL CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style, int x, int y,
                int width, int height, HWND parent, UINT id);
  // Registers (once) a class whose windows CreateEx can create; returns its name.
  static std::wstring RegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon);

  HWND m_hWnd = nullptr;

 protected:
  // The message-map lookup: true, with `result` set, when this window handles the message.
  virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // The processing the window has without this object: its class's own procedure.
  LRESULT DefWindowProcW(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static CWnd* FromHandle(HWND window);
  void Attach(HWND window);
  void SubclassWindow(HWND window);
  void Detach();

  WNDPROC m_superProc = nullptr;  // set while a system class's window is taken over
};

// A message box; `owner` may be null. Returns the id of the button pressed.
inline int MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style) {
  return ::MessageBoxW(owner, text.c_str(), caption.c_str(), style);
}

}  // namespace framework
