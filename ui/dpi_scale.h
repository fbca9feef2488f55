// The wizard's pixel measures are given for 96 DPI; a DpiScale turns them into pixels of the
// window's own DPI, so that the layout grows with the screen's scaling as the fonts do.
#pragma once

#include <windows.h>

namespace ui {

inline constexpr int kBaseDpi = 96;

class DpiScale {
 public:
  explicit DpiScale(int dpi = kBaseDpi) : m_dpi(dpi > 0 ? dpi : kBaseDpi) {}

  int Dpi() const { return m_dpi; }
  bool IsBase() const { return m_dpi == kBaseDpi; }
  int operator()(int pixels) const { return ::MulDiv(pixels, m_dpi, kBaseDpi); }
  POINT operator()(POINT point) const { return {(*this)(point.x), (*this)(point.y)}; }
  SIZE operator()(SIZE size) const { return {(*this)(size.cx), (*this)(size.cy)}; }
  RECT operator()(const RECT& rect) const {
    return {(*this)(rect.left), (*this)(rect.top), (*this)(rect.right), (*this)(rect.bottom)};
  }

 private:
  int m_dpi;
};

// The DPI of the window's monitor: GetDpiForWindow where Windows has it (10, version 1607 and
// later), else the screen's.
int WindowDpi(HWND window);

}  // namespace ui
