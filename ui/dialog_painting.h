// What the wizard dialog paints itself, around its page window: the separator above the
// buttons, the dialog's background, and the page colour under the labels that sit on the page.
#pragma once

#include <windows.h>

namespace ui {

// The two-line separator (dark over white) across the client area, `offsetFromBottom` pixels
// above its bottom; one WM_PAINT of `dialog`.
void PaintSeparator(HWND dialog, int offsetFromBottom);

// The dialog in the button face colour, and the page window's place in `pageBrush`: the settings
// frame lies above the page window and clips it, so where a hidden control stood inside the
// frame only this erase shows.
void EraseDialogBackground(HDC dc, HWND dialog, HWND page, HBRUSH pageBrush);

// A label or check box on the page: the page's background colour behind its text.
void SetPageTextBackground(HDC dc);

}  // namespace ui
