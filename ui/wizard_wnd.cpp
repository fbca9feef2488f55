#include "ui/wizard_wnd.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>

#include "platform/framework/gdi.h"
#include "platform/shell.h"
#include "resources/resource.h"
#include "texts/language.h"
#include "texts/wizard_config.h"
#include "ui/dpi_scale.h"
#include "ui/page_texts.h"
#include "ui/paint_tools.h"
#include "ui/wizard_page.h"

namespace ui {
namespace {

using framework::ScopedSelection;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kSeparatorColor = RGB(172, 168, 153);
constexpr COLORREF kFrameLabelColor = RGB(0, 70, 213);
constexpr COLORREF kFrameLineColor = RGB(208, 208, 191);

constexpr int kHeaderHeight = 54;
constexpr SIZE kLogoArea{200, 54};
constexpr POINT kTitlePosition{15, 10};
constexpr POINT kBodyPosition{28, 70};
constexpr int kBodyMargins = 56;
constexpr POINT kStatusPosition{28, 160};
constexpr RECT kFolderFrame{26, 168, 453, 218};
constexpr RECT kFolderField{38, 182, 362, 204};
constexpr int kButtonStripHeight = 50;

constexpr int kWelcomeTop = 20;
constexpr int kWelcomeMargin = 10;
constexpr texts::ByLanguage<int> kWelcomeLeft{180, 192, 180};
constexpr int kWelcomeHeadingStep = 30;
constexpr int kWelcomeLineStep = 16;

constexpr size_t kLineCapacity = 255;

// Pages with the header band, and what each adds below it.
struct HeaderPage {
  WizardPage page;
  int lineStep;  // between body lines; 0 for a page without body text
  bool statusLine;
  bool folderFrame;
};

constexpr HeaderPage kHeaderPages[] = {
    {kFolderPage, 13, false, true},       {kSettingsPage, 0, false, false}, {kInstallingPage, 13, true, false},
    {kFinishedPage, 103, false, false},   {kCancelledPage, 103, false, false}, {kFailedPage, 103, false, false},
    {kFailurePage, 103, false, false},
};

const HeaderPage* FindHeaderPage(int32_t page) {
  const auto found = std::find_if(std::begin(kHeaderPages), std::end(kHeaderPages),
                                  [page](const HeaderPage& layout) { return layout.page == page; });
  return found != std::end(kHeaderPages) ? found : nullptr;
}

// Everything one paint makes; all of it is released when the paint ends.
struct PageTools {
  PageTools(int languageId, HBITMAP logo, DpiScale scale)
      : languageId(languageId),
        scale(scale),
        logo(logo),
        heading(CreateFontFromSpec(PageFontsFor(languageId).heading, scale)),
        body(CreateFontFromSpec(PageFontsFor(languageId).body, scale)),
        title(CreateFontFromSpec(PageFontsFor(languageId).title, scale)),
        separator(::CreatePen(PS_SOLID, 1, kSeparatorColor)) {}

  int languageId;
  DpiScale scale;
  HBITMAP logo;  // the window's, made once from the package's bytes; may be null
  framework::UniqueFont heading;
  framework::UniqueFont body;
  framework::UniqueFont title;
  framework::UniquePen separator;
};

// What the page window shows, read once per paint.
struct PageState {
  int32_t page;
  const std::wstring& status;
};

void FillSolid(HDC dc, const RECT& area, COLORREF color) {
  const framework::UniqueBrush brush(::CreateSolidBrush(color));
  ::FillRect(dc, &area, brush.Get());
}

// A line's closing line feed is not drawn: fonts show it as a box.
void DrawTextLine(HDC dc, int x, int y, const std::wstring& text) {
  const size_t length = !text.empty() && text.back() == L'\n' ? text.size() - 1 : text.size();
  ::TextOutW(dc, x, y, text.c_str(), static_cast<int>(length));
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  ::GetObjectW(bitmap, sizeof info, &info);
  return {info.bmWidth, std::abs(info.bmHeight)};
}

// Copies the bitmap's top-left width x height pixels to (x, y), at 96 DPI as they are, at
// another DPI scaled to it with a smooth filter.
void CopyBitmap(HDC dc, HBITMAP bitmap, int x, int y, SIZE size, const DpiScale& scale) {
  const framework::UniqueMemoryDc source(::CreateCompatibleDC(dc));
  const ScopedSelection selectBitmap(source.Get(), bitmap);
  if (scale.IsBase()) {
    ::BitBlt(dc, x, y, size.cx, size.cy, source.Get(), 0, 0, SRCCOPY);
    return;
  }
  const int oldMode = ::SetStretchBltMode(dc, HALFTONE);
  ::SetBrushOrgEx(dc, 0, 0, nullptr);  // HALFTONE asks for it
  ::StretchBlt(dc, x, y, scale(size.cx), scale(size.cy), source.Get(), 0, 0, size.cx, size.cy, SRCCOPY);
  ::SetStretchBltMode(dc, oldMode);
}

void DrawWelcomePicture(HDC dc, const DpiScale& scale) {
  const framework::UniqueBitmap picture = framework::LoadBitmapResource(IDB_WELCOME);
  if (picture) CopyBitmap(dc, picture.Get(), 0, 0, BitmapSize(picture.Get()), scale);
}

void DrawWelcomePage(HDC dc, const RECT& client, const PageTools& tools) {
  FillSolid(dc, client, kWhite);
  const DpiScale& scale = tools.scale;
  DrawWelcomePicture(dc, scale);
  std::vector<std::wstring> lines;
  {
    // Measured with the heading font although only the first line is drawn in it.
    const ScopedSelection selectHeading(dc, tools.heading.Get());
    CWizardWnd::SplitTextLines(dc, PageBodyText(0, tools.languageId, texts::WizardConfig), lines,
                               client.right - scale(kWelcomeMargin));
  }
  const int x = scale(texts::Pick(kWelcomeLeft, tools.languageId));
  int y = scale(kWelcomeTop);
  for (size_t index = 0; index < lines.size(); ++index) {
    const bool heading = index == 0;
    const ScopedSelection selectFont(dc, heading ? tools.heading.Get() : tools.body.Get());
    DrawTextLine(dc, x, y, lines[index]);
    y += scale(heading ? kWelcomeHeadingStep : kWelcomeLineStep);
  }
}

void DrawHeaderBand(HDC dc, const RECT& client, const PageTools& tools, const std::wstring& title) {
  const DpiScale& scale = tools.scale;
  const int headerHeight = scale(kHeaderHeight);
  FillSolid(dc, client, kPageBackground);
  FillSolid(dc, RECT{0, 0, client.right, headerHeight}, kWhite);
  if (tools.logo != nullptr) {
    // Cut to the logo area (of 96 DPI), then scaled with it; a smaller logo leaves the rest white.
    const SIZE size = BitmapSize(tools.logo);
    CopyBitmap(dc, tools.logo, client.right - scale(kLogoArea.cx), 0,
               {std::min(size.cx, kLogoArea.cx), std::min(size.cy, kLogoArea.cy)}, scale);
  }
  {
    const ScopedSelection selectPen(dc, tools.separator.Get());
    ::MoveToEx(dc, 0, headerHeight, nullptr);
    ::LineTo(dc, client.right, headerHeight);
  }
  const ScopedSelection selectTitle(dc, tools.title.Get());
  const POINT titlePosition = scale(kTitlePosition);
  DrawTextLine(dc, titlePosition.x, titlePosition.y, title);
}

void DrawBodyBlock(HDC dc, const RECT& client, const HeaderPage& layout, const PageTools& tools,
                   const PageState& state) {
  const DpiScale& scale = tools.scale;
  const ScopedSelection selectBody(dc, tools.body.Get());
  std::vector<std::wstring> lines;
  CWizardWnd::SplitTextLines(dc, PageBodyText(state.page, tools.languageId, texts::WizardConfig), lines,
                             client.right - scale(kBodyMargins));
  const POINT body = scale(kBodyPosition);
  int y = body.y;
  for (const std::wstring& line : lines) {
    DrawTextLine(dc, body.x, y, line);
    y += scale(layout.lineStep);
  }
  // At a fixed place, whatever the length of the text above.
  const POINT status = scale(kStatusPosition);
  if (layout.statusLine) DrawTextLine(dc, status.x, status.y, state.status);
}

void DrawHeaderPage(HDC dc, const RECT& client, const HeaderPage& layout, const PageTools& tools,
                    const PageState& state) {
  DrawHeaderBand(dc, client, tools, PageTitle(state.page, tools.languageId));
  if (layout.lineStep != 0) DrawBodyBlock(dc, client, layout, tools, state);
  if (layout.folderFrame) {
    CWizardWnd::DrawGroupFrame(dc, tools.scale(kFolderFrame), FolderFrameLabel(tools.languageId), tools.body.Get());
  }
}

}  // namespace

CWizardWnd::CWizardWnd() = default;

CWizardWnd::~CWizardWnd() = default;

BOOL CWizardWnd::Create(framework::CWnd* dialog, int languageId) {
  m_scale = DpiScale(WindowDpi(dialog->GetSafeHwnd()));
  const RECT client = dialog->GetClientRect();
  // A control parent, so that the dialog's Tab and focus reach the folder field inside it.
  if (!CreateEx(WS_EX_CONTROLPARENT, WhiteWindowClass().c_str(), L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                client.right - 2, client.bottom - m_scale(kButtonStripHeight), dialog->GetSafeHwnd(), 0)) {
    return FALSE;
  }
  m_languageId = languageId;
  const RECT field = m_scale(kFolderField);
  m_editFolder.Create(&field, this, m_scale);
  m_strStatus = StatusPlaceholder(languageId);
  return TRUE;
}

void CWizardWnd::LayOut(framework::CWnd* dialog, int dpi) {
  m_scale = DpiScale(dpi);
  const RECT client = dialog->GetClientRect();
  MoveWindow(0, 0, client.right - 2, client.bottom - m_scale(kButtonStripHeight));
  m_editFolder.LayOut(m_scale(kFolderField), m_scale);
  Repaint(false);
}

void CWizardWnd::ShowFolderField(BOOL show) {
  m_editFolder.ShowWindow(show ? SW_SHOW : SW_HIDE);
  Repaint(true);
}

void CWizardWnd::Repaint(bool immediately) {
  if (m_hWnd == nullptr) return;  // a null window would mean every window
  InvalidateRect(nullptr, FALSE);
  if (immediately) UpdateWindow();
}

void CWizardWnd::SetLogo(std::span<const uint8_t> bmpBytes) { m_logo = framework::LoadBitmapBytes(bmpBytes); }

void CWizardWnd::SetStatus(const std::wstring& status) {
  m_strStatus = status;
  Repaint(true);
}

void CWizardWnd::DrawPage(HDC dc, const RECT& client) {
  const PageState state{m_nPage, m_strStatus};
  const PageTools tools(m_languageId, m_logo.Get(), m_scale);
  ::SetBkMode(dc, TRANSPARENT);
  if (state.page == kWelcomePage) {
    DrawWelcomePage(dc, client, tools);
  } else if (const HeaderPage* layout = FindHeaderPage(state.page)) {
    DrawHeaderPage(dc, client, *layout, tools, state);
  }
}

int CWizardWnd::SplitTextLines(HDC dc, const std::wstring& text, std::vector<std::wstring>& lines, int maxWidth) {
  std::wstring line;
  for (const wchar_t character : text) {
    line += character;
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &extent);
    if (extent.cx > maxWidth || character == L'\n' || line.size() == kLineCapacity) {
      lines.push_back(std::move(line));
      line.clear();
    }
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return static_cast<int>(text.size());
}

void CWizardWnd::DrawGroupFrame(HDC dc, RECT frame, const std::wstring& label, HFONT font) {
  framework::UniqueFont ownFont;
  if (font == nullptr) {
    ownFont = CreateFontFromSpec(kFieldFont);
    font = ownFont.Get();
  }
  const ScopedSelection selectFont(dc, font);
  SIZE extent{};
  ::GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &extent);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, kFrameLabelColor);
  const auto [l, t, r, b] = frame;
  DrawTextLine(dc, l + 8, t - extent.cy / 2, label);

  const int w = extent.cx;
  // Each segment leaves out its end point; the top edge stays open under the label.
  const POINT segments[][2] = {
      {{l + 2, t}, {l + 7, t}},         {{l + w + 8, t}, {r - 2, t}}, {{l + 1, t + 1}, {l + 2, t + 1}},
      {{l, t + 2}, {l + 1, t + 2}},     {{l, t + 2}, {l, b - 2}},     {{l, b - 2}, {l + 1, b - 2}},
      {{l + 1, b - 1}, {l + 2, b - 1}}, {{l + 2, b}, {r - 2, b}},     {{r - 2, b - 1}, {r - 1, b - 1}},
      {{r - 1, b - 2}, {r, b - 2}},     {{r, b - 3}, {r, t + 2}},     {{r - 1, t + 2}, {r, t + 2}},
      {{r - 2, t + 1}, {r - 1, t + 1}},
  };
  const framework::UniquePen pen(::CreatePen(PS_SOLID, 1, kFrameLineColor));
  const ScopedSelection selectPen(dc, pen.Get());
  for (const auto& [from, to] : segments) {
    ::MoveToEx(dc, from.x, from.y, nullptr);
    ::LineTo(dc, to.x, to.y);
  }
}

bool CWizardWnd::OnWndMsg(UINT message, WPARAM, LPARAM, LRESULT& result) {
  if (message != WM_PAINT) return false;
  OnPaint();
  result = 0;
  return true;
}

void CWizardWnd::OnPaint() {
  const framework::CPaintDC paint(m_hWnd);
  DrawPage(paint.Get(), GetClientRect());
}

}  // namespace ui
