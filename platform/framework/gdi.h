// Owners of GDI objects and device contexts, so that each paint releases what it made on
// every path.
#pragma once

#include <windows.h>

#include "platform/handle.h"

namespace framework {

struct DeleteGdiObject {
  void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
struct DeleteMemoryDc {
  void operator()(HDC dc) const { ::DeleteDC(dc); }
};

using UniqueFont = platform::UniqueOwner<HFONT, nullptr, DeleteGdiObject>;
using UniquePen = platform::UniqueOwner<HPEN, nullptr, DeleteGdiObject>;
using UniqueBrush = platform::UniqueOwner<HBRUSH, nullptr, DeleteGdiObject>;
using UniqueBitmap = platform::UniqueOwner<HBITMAP, nullptr, DeleteGdiObject>;
using UniqueMemoryDc = platform::UniqueOwner<HDC, nullptr, DeleteMemoryDc>;

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
