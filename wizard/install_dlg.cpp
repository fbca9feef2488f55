#include "wizard/install_dlg.h"

#include <commctrl.h>

#include <optional>

#include "platform/run_log.h"
#include "resources/resource.h"
#include "texts/language.h"
#include "ui/dialog_painting.h"
#include "ui/paint_tools.h"
#include "wizard/page_buttons.h"
#include "wizard/select_port_dlg.h"

namespace wizard {
namespace {

constexpr int kDialogWidth = 523;
constexpr int kDialogHeight = 365;
constexpr int kButtonWidth = 78;
constexpr int kButtonHeight = 23;
constexpr int kSeparatorOffset = 50;

// The captions' font by language; English captions keep the template's.
constexpr ui::FontSpec kChineseCaptionFont{L"宋体", 12, FW_NORMAL, GB2312_CHARSET};
constexpr ui::FontSpec kRussianCaptionFont{L"Times New Romans", 14, FW_NORMAL, DEFAULT_CHARSET};
constexpr texts::ByLanguage<const ui::FontSpec*> kCaptionFonts{nullptr, &kChineseCaptionFont, &kRussianCaptionFont};

}  // namespace

UINT WizardStateQuery() {
  // Registered, so that the numbers other programs send (WM_APP and up) never reach it.
  static const UINT message = ::RegisterWindowMessageW(L"PrinterSetup.WizardStateQuery");
  return message;
}

CInstallDlg::CInstallDlg() : CDialog(IDD_INSTALL), m_hIcon(framework::LoadIconResource(IDI_APP)) {}

CInstallDlg::~CInstallDlg() = default;

BOOL CInstallDlg::OnInitDialog() {
  SendMessageW(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon.Get()));
  SendMessageW(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon.Get()));
  m_scale = ui::DpiScale(ui::WindowDpi(m_hWnd));
  MoveWindow(0, 0, m_scale(kDialogWidth), m_scale(kDialogHeight));
  m_wizard.Create(this, m_languageId);
  m_wizard.SetLogo(m_logo);
  LayOutControls();
  m_progress.Attach(GetDlgItem(IDC_PROGRESS));
  m_progress.SetRange(0, 100);
  m_progress.SetPos(0);
  SetCaptions();
  m_folderPage.Fill(m_preset.folder.value_or(DefaultInstallFolder()));
  m_settings.Fill(m_modelNames, m_preset, m_languageId);
  ShowPage(ui::kWelcomePage);
  return FALSE;  // the focus is set
}

// Measures of 96 DPI, scaled to the dialog's.
void CInstallDlg::LayOutControls() {
  const RECT client = GetClientRect();
  const int width = client.right;
  const int height = client.bottom;
  const ui::DpiScale& s = m_scale;
  const int buttonWidth = s(kButtonWidth);
  const int buttonHeight = s(kButtonHeight);
  MoveDlgItem(IDC_BACK, width - s(252), height - s(33), buttonWidth, buttonHeight);
  MoveDlgItem(IDC_NEXT, width - s(169), height - s(33), buttonWidth, buttonHeight);
  MoveDlgItem(IDC_CANCEL_BUTTON, width - s(86), height - s(33), buttonWidth, buttonHeight);
  MoveDlgItem(IDC_BROWSE, width - s(153), height - s(156), buttonWidth, buttonHeight);
  MoveDlgItem(IDC_SETTINGS_GROUP, s(3), s(85), width - s(6), height - s(138));
  // The template's bar is wider than the dialog laid out here: centred, with its own margins.
  const RECT bar = GetDlgItemRect(IDC_PROGRESS);
  MoveDlgItem(IDC_PROGRESS, bar.left, bar.top, width - 2 * bar.left, bar.bottom - bar.top);
}

void CInstallDlg::SetCaptions() {
  SetWindowTextW(DialogTitle(m_languageId).c_str());
  SetControlCaptions(*this, DialogCaptions(), m_languageId);
  SetCaptionFonts();
}

// Chinese and Russian captions take a font of their own, made for the dialog's DPI.
void CInstallDlg::SetCaptionFonts() {
  const ui::FontSpec* spec = texts::Pick(kCaptionFonts, m_languageId);
  if (spec == nullptr) return;
  m_captionFont = ui::CreateFontFromSpec(*spec, m_scale);
  const HFONT font = m_captionFont.Get();
  for (const ControlCaption& caption : DialogCaptions()) SetDlgItemFont(caption.id, font);
  for (int id : {IDC_MODEL_COMBO, IDC_PRINTER_NAME}) SetDlgItemFont(id, font);
}

// Moved to a monitor of another scaling: the system's suggested rectangle, then the layout again.
void CInstallDlg::OnDpiChanged(int dpi, const RECT& suggested) {
  m_scale = ui::DpiScale(dpi);
  ::SetWindowPos(m_hWnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  LayOutControls();
  m_wizard.LayOut(this, dpi);
  SetCaptionFonts();
  ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

HBRUSH CInstallDlg::PageBrush() {
  if (!m_pageBrush) m_pageBrush = framework::CreateSolidBrush(ui::kPageBackground);
  return m_pageBrush.Get();
}

// Cancel ends the wizard where the page lets Cancel take clicks; never while the installation's
// worker runs, which reports to this dialog until its end.
bool CInstallDlg::MayClose() const { return !m_installing && ButtonsOf(m_page).cancel.enabled; }

// Enter where no button takes it (the system's IDOK): the page's default button, never a plain end.
void CInstallDlg::OnOK() {
  const int id = ButtonsOf(m_page).defaultButton;
  const HWND button = GetDlgItem(id);
  if (id != 0 && ::IsWindowVisible(button) && ::IsWindowEnabled(button)) OnCommand(id, BN_CLICKED);
}

void CInstallDlg::OnCancel() {
  if (MayClose()) EndDialog(IDCANCEL);
}

bool CInstallDlg::OnCommand(int id, int notifyCode) {
  if (id == IDC_NEXT && notifyCode == BN_CLICKED) {
    OnNext();
  } else if (id == IDC_BACK && notifyCode == BN_CLICKED) {
    OnBack();
  } else if (id == IDC_CANCEL_BUTTON && notifyCode == BN_CLICKED) {
    OnCancel();
  } else if (id == IDC_BROWSE && notifyCode == BN_CLICKED) {
    m_folderPage.OnBrowse();
  } else if (id == IDC_MODEL_COMBO && notifyCode == CBN_SELCHANGE) {
    m_settings.OnModelChanged();
  } else if (id == IDC_PORT_COMBO && notifyCode == CBN_SELCHANGE) {
    m_settings.OnPortChanged();
  } else {
    return false;
  }
  return true;
}

bool CInstallDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (message == WizardStateQuery() && lParam != 0) {
    AnswerStateQuery(*reinterpret_cast<WizardState*>(lParam));
    result = TRUE;
    return true;
  }
  switch (message) {
    case kInstallationMail:
      OnInstallationMail();
      result = 0;
      return true;
    case WM_CTLCOLORSTATIC:
      // Labels, check boxes and the frame sit on the page window's body.
      ui::SetPageTextBackground(reinterpret_cast<HDC>(wParam));
      result = reinterpret_cast<INT_PTR>(PageBrush());
      return true;
    case WM_ERASEBKGND:
      ui::EraseDialogBackground(reinterpret_cast<HDC>(wParam), m_hWnd, m_wizard.GetSafeHwnd(), PageBrush());
      result = TRUE;
      return true;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      result = 0;
      return true;
    case WM_PAINT:
      ui::PaintSeparator(m_hWnd, m_scale(kSeparatorOffset));
      result = 0;
      return true;
    case WM_QUERYDRAGICON:
      result = reinterpret_cast<INT_PTR>(m_hIcon.Get());
      return true;
    case WM_DESTROY:
      // Closing the wizard tidies the install folder; a worker still running keeps what it wrote.
      if (!m_installing) m_installation.TidyInstallFolder();
      return false;  // the default destroy handling runs as well
    default:
      return false;
  }
}

void CInstallDlg::AnswerStateQuery(WizardState& state) const {
  state.page = m_page;
  state.installing = m_installing;
  state.choices = m_choices;
  state.status = m_wizard.m_strStatus;
  state.folderField = m_wizard.m_editFolder.GetSafeHwnd();
  state.focus = ::GetFocus();
}

// ---- The pages

void CInstallDlg::OnNext() {
  switch (ButtonsOf(m_page).nextStep) {
    case NextStep::Nothing:
      return;
    case NextStep::EndWizard:
      OnCancel();
      return;
    case NextStep::FollowingPage:
      break;
  }
  if (Page* page = PageAt(m_page); page != nullptr && !MayLeave(*page)) return;
  ShowPage(static_cast<ui::WizardPage>(m_page + 1));
  if (m_page == ui::kInstallingPage) StartInstallation();
}

void CInstallDlg::OnBack() {
  const ButtonState back = ButtonsOf(m_page).back;
  if (back.shown && back.enabled) ShowPage(static_cast<ui::WizardPage>(m_page - 1));
}

// The page's refusal in a message box, then the focus on the field it is about.
bool CInstallDlg::MayLeave(Page& page) {
  const std::optional<Check> refused = page.Leave();
  if (!refused) return true;
  const Refusal refusal = page.RefusalOf(*refused, m_languageId);
  framework::MessageBox(refusal.owner, refusal.message.text, refusal.message.caption, refusal.style);
  FocusControl(*this, refusal.field);
  return false;
}

void CInstallDlg::ShowPage(ui::WizardPage page) {
  // The page window names the new page before the old one hides: hiding repaints at once, and
  // a repaint of the old page would leave its text under the new page's controls.
  Page* leaving = PageAt(m_page);
  m_page = page;
  m_wizard.m_nPage = page;
  if (leaving != nullptr) leaving->Hide();
  Page* entering = PageAt(page);
  if (entering != nullptr) entering->Enter();
  m_wizard.Repaint();
  ApplyPageButtons(*this, ButtonsOf(page), entering != nullptr ? entering->FirstField() : nullptr, m_languageId);
}

Page* CInstallDlg::PageAt(ui::WizardPage page) {
  switch (page) {
    case ui::kFolderPage:
      return &m_folderPage;
    case ui::kSettingsPage:
      return &m_settings;
    default:
      return nullptr;
  }
}

// ---- The installation: started here, run on m_installation's worker, which leaves its reports in
// m_mailbox; the dialog takes them on its own thread and shows them.

// Into the chosen folder's subfolder named after the printer, which the installation creates.
void CInstallDlg::StartInstallation() {
  const std::wstring installFolder = InstallFolderFor(m_choices.InstallRoot, m_choices.ChosenPrinterName);
  m_installing = true;
  if (m_installation.Start(MakeSnapshot(m_choices, installFolder, m_languageId))) return;
  m_installing = false;
  m_outcome = WizardOutcome::Failed;
  platform::WriteRunLog(L"The installation could not start; failure page shown");
  ShowPage(ui::kFailurePage);
}

// Only what this dialog's installation left in the mailbox counts; a look while none runs, or
// an end from another thread than the installation's worker, changes nothing.
void CInstallDlg::OnInstallationMail() {
  while (const std::optional<InstallationEvent> event = m_mailbox.Take()) {
    if (m_installing) OnInstallationEvent(*event);
  }
}

void CInstallDlg::OnInstallationEvent(const InstallationEvent& event) {
  switch (event.kind) {
    case InstallationEvent::Kind::Progress:
      m_progress.SetPos(event.position);
      break;
    case InstallationEvent::Kind::Status:
      m_wizard.SetStatus(event.text);
      break;
    case InstallationEvent::Kind::PortQuestion: {
      // Without a parent, as the port choice has always been shown.
      SelectPortChooser chooser(m_languageId);
      std::wstring port;
      m_mailbox.AnswerPort(chooser.ChoosePort(port) ? std::optional<std::wstring>(port) : std::nullopt);
      break;
    }
    case InstallationEvent::Kind::Ended:
      if (event.threadId == m_installation.WorkerThreadId()) OnInstallationEnded(event.installed);
      break;
  }
}

void CInstallDlg::OnInstallationEnded(bool installed) {
  m_installing = false;
  m_outcome = installed ? WizardOutcome::Installed : WizardOutcome::Failed;
  platform::WriteRunLog(installed ? L"Finish page shown" : L"Failure page shown");
  ShowPage(installed ? ui::kFinishedPage : ui::kFailurePage);
}

}  // namespace wizard
