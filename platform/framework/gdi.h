// Owners of GDI objects and device contexts, so that each paint releases what it made on
// every path.
#pragma once

#include <windows.h>

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
