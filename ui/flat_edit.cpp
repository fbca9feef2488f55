#include "ui/flat_edit.h"

#include "ui/paint_tools.h"

namespace ui {
namespace {

constexpr COLORREF kFrameEnabled = RGB(127, 157, 187);
constexpr COLORREF kFrameDisabled = RGB(192, 192, 192);
constexpr COLORREF kDisabledText = RGB(192, 192, 192);

// The edit inside the frame: two pixels in at the left, three at the top, one at the right and
// bottom, at 96 DPI.
RECT EditArea(const RECT& client, const DpiScale& scale) {
  return {scale(2), scale(3), client.right - scale(1), client.bottom - scale(1)};
}

}  // namespace

CMyEdit::~CMyEdit() = default;

bool CMyEdit::OnWndMsg(UINT message, WPARAM, LPARAM, LRESULT& result) {
  switch (message) {
    case WM_ERASEBKGND:
      result = OnEraseBkgnd();
      return true;
    case WM_PAINT:
      // While enabled the edit control paints itself.
      if (IsWindowEnabled()) return false;
      OnPaint();
      result = 0;
      return true;
    default:
      return false;
  }
}

BOOL CMyEdit::OnEraseBkgnd() { return TRUE; }

void CMyEdit::OnPaint() {
  framework::CPaintDC paint(m_hWnd);
  const std::wstring text = GetWindowTextW();
  // The field's own font, made for the window's DPI.
  const HFONT font = reinterpret_cast<HFONT>(SendMessageW(WM_GETFONT));
  const framework::ScopedSelection selectFont(paint.Get(), font);
  ::SetTextColor(paint.Get(), kDisabledText);
  ::TextOutW(paint.Get(), 0, 0, text.c_str(), static_cast<int>(text.size()));
}

CFlatEdit::~CFlatEdit() = default;

void CFlatEdit::Create(const RECT* rect, framework::CWnd* parent, DpiScale scale) {
  // A control parent, so that the dialog's Tab reaches the edit inside it.
  if (!CreateEx(WS_EX_CONTROLPARENT, WhiteWindowClass().c_str(), L"", WS_CHILD | WS_CLIPCHILDREN, rect->left, rect->top,
                rect->right - rect->left, rect->bottom - rect->top, parent->GetSafeHwnd(), 0)) {
    return;
  }
  m_edit.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, EditArea(GetClientRect(), scale), this, kEditId);
  FitEdit(scale);
}

void CFlatEdit::LayOut(const RECT& rect, DpiScale scale) {
  if (m_hWnd == nullptr) return;
  MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  FitEdit(scale);
}

void CFlatEdit::FitEdit(DpiScale scale) {
  const RECT area = EditArea(GetClientRect(), scale);
  m_edit.MoveWindow(area.left, area.top, area.right - area.left, area.bottom - area.top);
  m_font = CreateFontFromSpec(kFieldFont, scale);
  m_edit.SendMessageW(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), TRUE);
}

void CFlatEdit::SetText(const std::wstring& text) {
  m_edit.SetWindowTextW(text.c_str());
  m_edit.SetModify(TRUE);
}

std::wstring CFlatEdit::GetText() const { return m_edit.GetWindowTextW(); }

HWND CFlatEdit::EditWindow() const { return m_edit.GetSafeHwnd(); }

bool CFlatEdit::OnWndMsg(UINT message, WPARAM, LPARAM, LRESULT& result) {
  if (message != WM_PAINT) return false;
  OnPaint();
  result = 0;
  return true;
}

void CFlatEdit::OnPaint() {
  framework::CPaintDC paint(m_hWnd);
  const RECT client = GetClientRect();
  const framework::UniquePen pen(::CreatePen(PS_SOLID, 1, IsWindowEnabled() ? kFrameEnabled : kFrameDisabled));
  const framework::ScopedSelection selectPen(paint.Get(), pen.Get());
  const POINT outline[] = {
      {client.right - 1, 0}, {client.right - 1, client.bottom - 1}, {0, client.bottom - 1}, {0, 0}};
  ::MoveToEx(paint.Get(), 0, 0, nullptr);
  for (const POINT& corner : outline) ::LineTo(paint.Get(), corner.x, corner.y);
}

}  // namespace ui
