// Helpers for the page window tests: a canvas whose pixels can be read back, a plain window to
// host controls on the virtual screen, and files in the Documents folder.
#pragma once

#include <windows.h>

#include <functional>
#include <ostream>
#include <string>

#include "platform/framework/wnd.h"

// Rectangles compared and printed by gtest.
inline bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
inline void PrintTo(const RECT& rect, std::ostream* out) {
  *out << "{" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << "}";
}

namespace test {

// A 32-bit top-down bitmap selected into a memory device context.
class Canvas {
 public:
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC Dc() const { return m_dc; }
  RECT Area() const { return {0, 0, m_width, m_height}; }
  COLORREF Pixel(int x, int y) const;
  void Fill(COLORREF color);
  // The window's client area as it shows on screen, from the top-left corner.
  void CopyFrom(HWND window);
  void CopyFrom(HBITMAP bitmap);
  // Pixels of `area` (clipped to the canvas) for which `match` holds.
  int Count(const RECT& area, const std::function<bool(COLORREF)>& match) const;
  // The smallest rectangle holding every such pixel; empty when there is none.
  RECT Bounds(const RECT& area, const std::function<bool(COLORREF)>& match) const;

 private:
  void ForEachPixel(const RECT& area, const std::function<void(int, int, COLORREF)>& visit) const;

  int m_width;
  int m_height;
  HDC m_dc;
  HBITMAP m_bitmap;
  HGDIOBJ m_previous;
  const uint32_t* m_bits = nullptr;
};

// Text ink: clearly darker than any background the pages use.
bool IsInk(COLORREF color);
std::function<bool(COLORREF)> Is(COLORREF color);

inline constexpr int kDialogClientWidth = 517;  // the wizard dialog's client area at 96 DPI
inline constexpr int kDialogClientHeight = 336;

// A visible top-level window with a white client area of the wizard dialog's size.
class HostWindow : public framework::CWnd {
 public:
  HostWindow();
};

// The window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);

// The pixel at (x, y) of a window's client area as it shows on screen.
COLORREF ScreenPixel(HWND window, int x, int y);

// A file in the current user's Documents folder, removed again when the owner goes.
class DocumentFile {
 public:
  DocumentFile(const wchar_t* name, const std::string& bytes);
  ~DocumentFile();
  DocumentFile(const DocumentFile&) = delete;
  DocumentFile& operator=(const DocumentFile&) = delete;

 private:
  std::wstring m_path;
};

std::wstring DocumentsFolder();
// A 24-bit BMP file of one colour.
std::string SolidBitmapFile(int width, int height, COLORREF color);
// UTF-16LE with byte-order mark, as profile files may be.
std::string Utf16File(const std::wstring& text);

}  // namespace test
