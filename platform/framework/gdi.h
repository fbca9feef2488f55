// Owners of GDI objects and device contexts, so that each paint releases what it made on
// every path.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/handle.h"

namespace framework {

struct MemoryDcTraits : platform::NullIsInvalid<HDC> {
  static void Close(HDC dc) { ::DeleteDC(dc); }
};

using UniqueFont = platform::UniqueOwner<platform::GdiObjectTraits<HFONT>>;
using UniquePen = platform::UniqueOwner<platform::GdiObjectTraits<HPEN>>;
using UniqueBrush = platform::UniqueOwner<platform::GdiObjectTraits<HBRUSH>>;
using UniqueBitmap = platform::UniqueOwner<platform::GdiObjectTraits<HBITMAP>>;
using UniqueMemoryDc = platform::UniqueOwner<MemoryDcTraits>;

using platform::UniqueIcon;

inline UniqueBrush CreateSolidBrush(COLORREF color) { return UniqueBrush(::CreateSolidBrush(color)); }

// A bitmap resource of the program, as a DIB section; empty when there is none.
inline UniqueBitmap LoadBitmapResource(int id) {
  return UniqueBitmap(static_cast<HBITMAP>(
      ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}
// A bitmap file, as a DIB section; empty when it cannot be read.
inline UniqueBitmap LoadBitmapFile(const std::wstring& path) {
  return UniqueBitmap(static_cast<HBITMAP>(::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                        LR_LOADFROMFILE | LR_CREATEDIBSECTION | LR_DEFAULTSIZE)));
}
// A BMP file's bytes (uncompressed, 1 to 32 bits a pixel), as a DIB section; empty when they are
// not such a bitmap or would be read past their end.
UniqueBitmap LoadBitmapBytes(std::span<const uint8_t> bytes);
// An icon resource of the program at its default size; empty when there is none.
inline UniqueIcon LoadIconResource(int id) {
  return UniqueIcon(static_cast<HICON>(
      ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
}

// Selects an object into a device context and puts the previous one back when it goes.
class ScopedSelection {
 public:
  ScopedSelection(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(::SelectObject(dc, object)) {}
  ~ScopedSelection() { ::SelectObject(m_dc, m_previous); }
  ScopedSelection(const ScopedSelection&) = delete;
  ScopedSelection& operator=(const ScopedSelection&) = delete;

 private:
  HDC m_dc;
  HGDIOBJ m_previous;
};

// BeginPaint and EndPaint around one WM_PAINT.
class CPaintDC {
 public:
  explicit CPaintDC(HWND window) : m_window(window), m_dc(::BeginPaint(window, &m_paint)) {}
  ~CPaintDC() { ::EndPaint(m_window, &m_paint); }
  CPaintDC(const CPaintDC&) = delete;
  CPaintDC& operator=(const CPaintDC&) = delete;

  HDC Get() const { return m_dc; }

 private:
  HWND m_window;
  PAINTSTRUCT m_paint{};
  HDC m_dc;
};

}  // namespace framework
