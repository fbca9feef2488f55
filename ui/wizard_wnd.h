// The wizard's page window: a child of the wizard dialog covering its upper part, which paints
// the page that `m_nPage` names (welcome picture and text, header band with title and logo,
// body text, folder frame, status line). The dialog changes the page and asks for repaints.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/framework/gdi.h"
#include "platform/framework/wnd.h"
#include "texts/language.h"
#include "ui/dpi_scale.h"
#include "ui/flat_edit.h"
#include "ui/wizard_page.h"

namespace ui {

// The body of the pages; the dialog's controls that sit on a page take it as their background.
inline constexpr COLORREF kPageBackground = RGB(236, 233, 216);

class CWizardWnd : public framework::CWnd {
 public:
  CWizardWnd();
  ~CWizardWnd() override;

  // Creates the window over the dialog's client area (less 2 pixels of width and the 50-pixel
  // button strip) and the hidden, empty folder field (the folder page fills it), both measured for
  // the dialog's DPI; the pages are painted in the language.
  // 0 when the window cannot be created; the field is then not created either.
  BOOL Create(framework::CWnd* dialog, int languageId);

  // Fits the window and the folder field to the dialog's client area again, at `dpi`.
  void LayOut(framework::CWnd* dialog, int dpi);
  // Shows or hides the folder field, then repaints the whole page at once.
  void ShowFolderField(BOOL show);
  // Invalidates the page without erasing; `immediately` also paints it before returning.
  void Repaint(bool immediately = true);
  // The logo of the header band, from a BMP file's bytes (the package's, never a file that
  // someone could swap between paints); none when they are not a bitmap.
  void SetLogo(std::span<const uint8_t> bmpBytes);
  // Replaces the status line and repaints at once; on the user-interface thread only (the
  // installation's worker leaves its status in the dialog's mailbox).
  void SetStatus(const std::wstring& status);

  // Paints the current page into `dc` as WM_PAINT does, for a client area of `client`.
  void DrawPage(HDC dc, const RECT& client);

  // Splits `text` into display lines as measured with the font selected in `dc`: a line ends
  // after a line feed (kept in it) or after the character that makes it wider than `maxWidth`
  // (kept as well), and at 255 characters. Returns the text's length.
  static int SplitTextLines(HDC dc, const std::wstring& text, std::vector<std::wstring>& lines, int maxWidth);
  // A frame with corners cut by two-pixel steps and `label` in blue over a gap in its top edge,
  // in `font`, or Arial 14 when `font` is null. Leaves the text colour set to the label's.
  static void DrawGroupFrame(HDC dc, RECT frame, const std::wstring& label, HFONT font);

  int LanguageId() const { return m_languageId; }

  std::wstring m_strStatus;
  CFlatEdit m_editFolder;                   // the folder page's field, which the user edits
  framework::UniqueBitmap m_logo;
  int32_t m_nPage = kWelcomePage;           // the WizardPage painted; the dialog sets it

 protected:
  bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void OnPaint();

  DpiScale m_scale;
  int m_languageId = texts::kEnglish;  // given at Create
};

}  // namespace ui
