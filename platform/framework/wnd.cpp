#include "platform/framework/wnd.h"

#include <cwchar>
#include <iterator>
#include <vector>

namespace framework {
namespace {

// The window property that names the object running a window.
constexpr wchar_t kObjectProperty[] = L"framework.CWnd";

std::wstring WindowText(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size()));
  return std::wstring(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

}  // namespace

CWnd::~CWnd() {
  if (m_hWnd == nullptr || FromHandle(m_hWnd) != this) return;  // not ours (a dialog) or gone
  const HWND window = m_hWnd;
  Detach();
  ::DestroyWindow(window);
}

std::wstring CWnd::GetWindowTextW() const { return WindowText(m_hWnd); }

std::wstring CWnd::GetDlgItemTextW(int id) const { return WindowText(GetDlgItem(id)); }

BOOL CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, UINT id) {
  const HWND window =
      ::CreateWindowExW(exStyle, className, windowName, style, x, y, width, height, parent,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ::GetModuleHandleW(nullptr), this);
  if (window == nullptr) return FALSE;
  // Our own classes attached at WM_NCCREATE; any other class is taken over now.
  if (m_hWnd != window) SubclassWindow(window);
  return TRUE;
}

std::wstring CWnd::RegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
  wchar_t name[96];
  std::swprintf(name, std::size(name), L"framework:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
                static_cast<void*>(background), static_cast<void*>(icon));
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW known{};
  known.cbSize = sizeof known;
  if (::GetClassInfoExW(instance, name, &known)) return name;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = classStyle;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = icon;
  windowClass.hCursor = cursor;
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = name;
  ::RegisterClassExW(&windowClass);
  return name;
}

bool CWnd::OnWndMsg(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT CWnd::DefWindowProcW(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_superProc != nullptr) return ::CallWindowProcW(m_superProc, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE && FromHandle(window) == nullptr) {
    auto* creator = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (creator != nullptr) creator->Attach(window);
  }
  CWnd* wnd = FromHandle(window);
  if (wnd == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  if (!wnd->OnWndMsg(message, wParam, lParam, result)) result = wnd->DefWindowProcW(message, wParam, lParam);
  if (message == WM_NCDESTROY) wnd->Detach();
  return result;
}

CWnd* CWnd::FromHandle(HWND window) { return static_cast<CWnd*>(::GetPropW(window, kObjectProperty)); }

void CWnd::Attach(HWND window) {
  m_hWnd = window;
  ::SetPropW(window, kObjectProperty, this);
}

void CWnd::SubclassWindow(HWND window) {
  Attach(window);
  m_superProc =
      reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc)));
}

void CWnd::Detach() {
  if (m_superProc != nullptr) {
    ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
    m_superProc = nullptr;
  }
  ::RemovePropW(m_hWnd, kObjectProperty);
  m_hWnd = nullptr;
}

}  // namespace framework
