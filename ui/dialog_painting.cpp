#include "ui/dialog_painting.h"

#include "platform/framework/gdi.h"
#include "ui/wizard_wnd.h"

namespace ui {

void PaintSeparator(HWND dialog, int offsetFromBottom) {
  framework::CPaintDC dc(dialog);
  RECT client{};
  ::GetClientRect(dialog, &client);
  const struct {
    int y;
    COLORREF color;
  } lines[] = {{client.bottom - offsetFromBottom, RGB(172, 168, 153)},
               {client.bottom - offsetFromBottom + 1, RGB(255, 255, 255)}};
  for (const auto& line : lines) {
    const framework::UniquePen pen(::CreatePen(PS_SOLID, 1, line.color));
    const framework::ScopedSelection selection(dc.Get(), pen.Get());
    ::MoveToEx(dc.Get(), 1, line.y, nullptr);
    ::LineTo(dc.Get(), client.right - 1, line.y);
  }
}

void EraseDialogBackground(HDC dc, HWND dialog, HWND page, HBRUSH pageBrush) {
  RECT client{};
  ::GetClientRect(dialog, &client);
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
  if (page == nullptr) return;
  RECT pageRect{};
  ::GetWindowRect(page, &pageRect);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&pageRect), 2);
  ::FillRect(dc, &pageRect, pageBrush);
}

void SetPageTextBackground(HDC dc) { ::SetBkColor(dc, kPageBackground); }

}  // namespace ui
