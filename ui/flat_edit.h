// A single-line text field with a flat one-pixel frame instead of the system's sunken border.
#pragma once

#include <string>

#include "platform/framework/edit.h"
#include "platform/framework/gdi.h"
#include "platform/framework/wnd.h"
#include "ui/dpi_scale.h"

namespace ui {

// A borderless edit that never erases its background and, while disabled, draws its text in
// light grey instead of the system's disabled look.
class CMyEdit : public framework::CEdit {
 public:
  ~CMyEdit() override;

 protected:
  bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  BOOL OnEraseBkgnd();
  void OnPaint();
};

// The frame window, which holds the edit two pixels inside its frame.
class CFlatEdit : public framework::CWnd {
 public:
  static constexpr UINT kEditId = 1001;

  ~CFlatEdit() override;

  // `rect` in the parent's client coordinates. The frame starts hidden; its edit is a visible
  // child of it. When the frame cannot be created nothing is. The edit's inset and font are
  // given for 96 DPI and scaled by `scale`.
  void Create(const RECT* rect, framework::CWnd* parent, DpiScale scale = DpiScale());
  // Moves the frame to `rect` and fits the edit and its font to `scale`.
  void LayOut(const RECT& rect, DpiScale scale);
  // Sets the text and marks it modified, as if the user had typed it.
  void SetText(const std::wstring& text);
  // From any thread; another thread waits for the user-interface thread to answer.
  std::wstring GetText() const;
  // The edit inside the frame: where the keyboard focus goes.
  HWND EditWindow() const;

 protected:
  bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void OnPaint();
  void FitEdit(DpiScale scale);

  framework::UniqueFont m_font;  // outlives m_edit, which uses it
  CMyEdit m_edit;
};

}  // namespace ui
