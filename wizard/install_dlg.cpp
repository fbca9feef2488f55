#include "wizard/install_dlg.h"

#include <commctrl.h>

#include "app/config_files.h"
#include "app/install_app.h"
#include "app/text_ini.h"
#include "app/wizard_config.h"
#include "resources/resource.h"

namespace wizard {
namespace {

constexpr int kDialogWidth = 523;
constexpr int kDialogHeight = 365;
constexpr int kButtonWidth = 78;
constexpr int kButtonHeight = 23;

struct Captions {
  const wchar_t* title;
  const wchar_t* next;
  const wchar_t* cancel;
};

constexpr Captions kEnglish = {L"USB printer driver installation Wizard", L"Next", L"Cancel"};
constexpr Captions kChinese = {L"USB打印机驱动安装", L"下一步>>", L"取消"};

}  // namespace

CInstallDlg::CInstallDlg() : CDialog(IDD_INSTALL) {
  m_hIcon = static_cast<HICON>(
      ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
}

CInstallDlg::~CInstallDlg() {
  if (m_hIcon != nullptr) ::DestroyIcon(m_hIcon);
}

void CInstallDlg::ShowProgressPosition(int32_t position) {
  const HWND progressBar = m_hWnd != nullptr ? GetDlgItem(IDC_PROGRESS) : nullptr;
  if (progressBar != nullptr && ::IsWindow(progressBar)) ::SendMessageW(progressBar, PBM_SETPOS, position, 0);
}

BOOL CInstallDlg::OnInitDialog() {
  SendMessageW(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessageW(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
  MoveWindow(0, 0, kDialogWidth, kDialogHeight);
  LayOutControls();
  ::SendMessageW(GetDlgItem(IDC_PROGRESS), PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  ::SendMessageW(GetDlgItem(IDC_PROGRESS), PBM_SETPOS, 0, 0);
  SetCaptions();
  return TRUE;
}

void CInstallDlg::LayOutControls() {
  const RECT client = GetClientRect();
  const int width = client.right;
  const int height = client.bottom;
  MoveDlgItem(IDC_BACK, width - 252, height - 33, kButtonWidth, kButtonHeight);
  MoveDlgItem(IDC_NEXT, width - 169, height - 33, kButtonWidth, kButtonHeight);
  MoveDlgItem(IDC_CANCEL_BUTTON, width - 86, height - 33, kButtonWidth, kButtonHeight);
}

void CInstallDlg::SetCaptions() {
  const int language = app::CurrentLanguageId();
  const wchar_t* configuredTitle = app::WizardConfig.Title;
  if (language == app::kRussian) {
    SetWindowTextW(configuredTitle);
    std::wstring documents;
    app::GetDocumentsFolder(documents);
    SetDlgItemTextW(IDC_NEXT, app::LookUpCaption(L"Next", L"Next", documents).c_str());
    SetDlgItemTextW(IDC_CANCEL_BUTTON, L"Отмена");
    return;
  }
  const Captions& captions = language == app::kChinese ? kChinese : kEnglish;
  SetWindowTextW(configuredTitle[0] != L'\0' ? configuredTitle : captions.title);
  SetDlgItemTextW(IDC_NEXT, captions.next);
  SetDlgItemTextW(IDC_CANCEL_BUTTON, captions.cancel);
}

void CInstallDlg::PaintSeparator() {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(m_hWnd, &paint);
  const RECT client = GetClientRect();
  const struct {
    int y;
    COLORREF color;
  } lines[] = {{client.bottom - 50, RGB(172, 168, 153)}, {client.bottom - 49, RGB(255, 255, 255)}};
  for (const auto& line : lines) {
    HPEN pen = ::CreatePen(PS_SOLID, 1, line.color);
    HGDIOBJ previous = ::SelectObject(dc, pen);
    ::MoveToEx(dc, 1, line.y, nullptr);
    ::LineTo(dc, client.right - 1, line.y);
    ::SelectObject(dc, previous);
    ::DeleteObject(pen);
  }
  ::EndPaint(m_hWnd, &paint);
}

bool CInstallDlg::OnCommand(int id, int notifyCode) {
  if (id == IDC_CANCEL_BUTTON && notifyCode == BN_CLICKED) {
    OnCancel();
    return true;
  }
  return false;
}

bool CInstallDlg::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR& result) {
  switch (message) {
    case WM_PAINT:
      PaintSeparator();
      result = 0;
      return true;
    case WM_QUERYDRAGICON:
      result = reinterpret_cast<INT_PTR>(m_hIcon);
      return true;
    default:
      return false;
  }
}

}  // namespace wizard
