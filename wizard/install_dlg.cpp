#include "wizard/install_dlg.h"

#include <commctrl.h>

#include <memory>
#include <string_view>

#include "platform/run_log.h"
#include "system/install_folder_cleanup.h"
#include "platform/shell.h"
#include "resources/resource.h"
#include "spooler/usb_discovery.h"
#include "texts/documents_folder.h"
#include "texts/model_catalogue.h"
#include "texts/utf16_text.h"
#include "texts/wizard_config.h"
#include "ui/dialog_painting.h"
#include "ui/paint_tools.h"
#include "wizard/select_port_dlg.h"

namespace wizard {
namespace {

constexpr int kDialogWidth = 523;
constexpr int kDialogHeight = 365;
constexpr int kButtonWidth = 78;
constexpr int kButtonHeight = 23;
constexpr int kSeparatorOffset = 50;

constexpr int kInstallationControls[] = {IDC_SETTINGS_GROUP, IDC_MODEL_LABEL, IDC_MODEL_COMBO, IDC_PRINTER_NAME,
                                         IDC_NAME_LABEL,     IDC_DEFAULT_PRINTER, IDC_USE_MONITOR, IDC_PORT_LABEL,
                                         IDC_BAUD_LABEL,     IDC_PORT_COMBO,   IDC_BAUD_COMBO};

// Esc ends the dialog only where no installation can be under way.
bool PageMayClose(int page) { return page != ui::kInstallingPage; }

// The button Enter presses on each page; none while installing.
int DefaultButtonOf(int page) {
  switch (page) {
    case ui::kWelcomePage:
    case ui::kFolderPage:
    case ui::kSettingsPage:
      return IDC_NEXT;
    case ui::kFinishedPage:
    case ui::kFailurePage:
      return IDC_CANCEL_BUTTON;
    default:
      return 0;
  }
}

// The settings page's control that a refused Next's message is about; the printer name, which
// also names the printer's folder, unless the message is about the port.
int SettingsFieldOf(Check check) {
  switch (check) {
    case Check::IpEmpty:
    case Check::IpInvalid:
      return IDC_IP_EDIT;
    case Check::TcpPortEmpty:
    case Check::TcpPortInvalid:
      return IDC_TCP_PORT_EDIT;
    case Check::NoUsbPrinter:
    case Check::PortMissing:
      return IDC_PORT_COMBO;
    default:
      return IDC_PRINTER_NAME;
  }
}

// The captions' font by language; English captions keep the template's.
constexpr ui::FontSpec kChineseCaptionFont{L"宋体", 12, FW_NORMAL, GB2312_CHARSET};
constexpr ui::FontSpec kRussianCaptionFont{L"Times New Romans", 14, FW_NORMAL, DEFAULT_CHARSET};
constexpr texts::ByLanguage<const ui::FontSpec*> kCaptionFonts{nullptr, &kChineseCaptionFont, &kRussianCaptionFont};

}  // namespace

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
  m_wizard.m_editFolder.SetText(m_preset.folder.value_or(DefaultInstallFolder()));
  m_settings.Fill(m_modelNames, m_preset, m_languageId);
  SettleKeyboard();
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

// The worker uses the dialog and the page window until its last step, which follows the page
// change of a failed installation.
bool CInstallDlg::MayClose() const { return !m_installing && PageMayClose(m_wizard.m_nPage); }

// Enter where no button takes it (the system's IDOK): the page's default button, never a plain end.
void CInstallDlg::OnOK() {
  const int id = DefaultButtonOf(m_wizard.m_nPage);
  const HWND button = GetDlgItem(id);
  if (id != 0 && ::IsWindowVisible(button) && ::IsWindowEnabled(button)) OnCommand(id, BN_CLICKED);
}

// Enter presses the page's default button; the focus goes where the user acts.
void CInstallDlg::SettleKeyboard() {
  const int page = m_wizard.m_nPage;
  SendMessageW(DM_SETDEFID, DefaultButtonOf(page));
  switch (page) {
    case ui::kFolderPage:
      FocusControl(m_wizard.m_editFolder.EditWindow());
      break;
    case ui::kSettingsPage:
      FocusControl(GetDlgItem(IDC_MODEL_COMBO));
      break;
    default:
      if (const int id = DefaultButtonOf(page)) FocusControl(GetDlgItem(id));
      break;
  }
}

void CInstallDlg::FocusControl(HWND control) { SendMessageW(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE); }


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
    OnBrowse();
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
    default:
      return false;
  }
}

void CInstallDlg::ShowMessage(Check check, HWND owner, UINT style) {
  const Message message = CheckMessage(check, m_languageId);
  framework::MessageBox(owner, message.text, message.caption, style);
}

void CInstallDlg::OnNext() {
  if (m_installing) return;  // the installation's end moves on, not a click or a key
  const int page = m_wizard.m_nPage;
  if (page == ui::kFolderPage && !CheckFolderPage()) return;
  if (page == ui::kSettingsPage && !CheckSettingsPage()) return;
  if (page == ui::kFailurePage) return;
  EnterPage(page + 1);
}

bool CInstallDlg::CheckFolderPage() {
  const std::wstring folder = m_wizard.m_editFolder.GetText();
  if (const std::optional<Check> refused = CheckFolderChoice(folder, m_room)) {
    ShowMessage(*refused, m_hWnd, MB_OK);
    FocusControl(m_wizard.m_editFolder.EditWindow());
    return false;
  }
  m_choices.InstallRoot = FitSettingText(folder);
  return true;
}

bool CInstallDlg::CheckSettingsPage() {
  m_settings.ReadChoices(m_choices);
  m_wizard.m_bUsbPort = m_choices.Port == PortKind::Usb ? 1 : 0;
  m_choices.UseNetworkPort = false;
  if (const std::optional<Check> refused = CheckSettingsChoice(m_choices, m_room)) {
    ShowMessage(*refused, nullptr, MB_ICONERROR);
    FocusControl(GetDlgItem(SettingsFieldOf(*refused)));
    return false;
  }
  SettleChosenPort(m_choices);
  platform::WriteRunLog(L"Next on the settings page: " + DescribeChoices(m_choices));
  return true;
}

void CInstallDlg::EnterPage(int page) {
  m_wizard.m_nPage = page;
  switch (page) {
    case ui::kFolderPage:
      m_wizard.ShowFolderField(TRUE);
      ShowDlgItem(IDC_BROWSE, SW_SHOW);
      ShowDlgItem(IDC_BACK, SW_SHOW);
      break;
    case ui::kSettingsPage:
      m_wizard.ShowFolderField(FALSE);
      ShowDlgItem(IDC_BROWSE, SW_HIDE);
      m_settings.Show();
      break;
    case ui::kInstallingPage:
      StartInstallation();
      break;
    case ui::kFinishedPage:
      m_wizard.Repaint();
      ShowDlgItem(IDC_NEXT, SW_HIDE);
      ShowDlgItem(IDC_BACK, SW_HIDE);
      SetDlgItemTextW(IDC_CANCEL_BUTTON, FinishCaption(false, m_languageId).c_str());
      ShowDlgItem(IDC_PROGRESS, SW_HIDE);
      EnableDlgItem(IDC_CANCEL_BUTTON, TRUE);
      break;
    default:
      OnCancel();
      return;
  }
  SettleKeyboard();
}

void CInstallDlg::OnBack() {
  const int page = m_wizard.m_nPage - 1;
  if (page < ui::kWelcomePage || page >= ui::kSettingsPage) return;
  m_wizard.m_nPage = page;
  m_settings.Hide();
  if (page == ui::kWelcomePage) {
    m_wizard.m_editFolder.ShowWindow(SW_HIDE);
    ShowDlgItem(IDC_BROWSE, SW_HIDE);
    ShowDlgItem(IDC_BACK, SW_HIDE);
  } else {
    m_wizard.m_editFolder.ShowWindow(SW_SHOW);
    ShowDlgItem(IDC_BROWSE, SW_SHOW);
  }
  m_wizard.Repaint(false);
  SettleKeyboard();
}

void CInstallDlg::OnBrowse() {
  std::wstring folder;
  if (platform::shell::BrowseForFolder(m_hWnd, L"Selection ", folder)) m_wizard.m_editFolder.SetText(folder);
}

// ---- The installation: started here, run by m_installation, shown here as it reports.

void CInstallDlg::StartInstallation() {
  m_settings.Hide();
  m_wizard.ShowFolderField(FALSE);
  ShowDlgItem(IDC_BROWSE, SW_HIDE);
  ShowDlgItem(IDC_PROGRESS, SW_SHOW);
  m_progress.UpdateWindow();
  for (int id : {IDC_CANCEL_BUTTON, IDC_BACK, IDC_NEXT}) EnableDlgItem(id, FALSE);
  m_wizard.Repaint();
  for (int id : kInstallationControls) ShowDlgItem(id, SW_HIDE);

  const std::wstring installFolder = TakeInstallFolder();

  m_installing = true;
  if (!m_installation.Start(MakeSnapshot(m_choices, installFolder, m_languageId))) {
    m_installing = false;
    m_outcome = WizardOutcome::Failed;
    platform::WriteRunLog(L"The installation could not start; failure page shown");
    ShowFailurePage();
  }
}

// The chosen folder with a subfolder named after the printer, which the installation creates.
// The folder field shows it from now on.
std::wstring CInstallDlg::TakeInstallFolder() {
  const std::wstring installFolder = InstallFolderFor(m_wizard.m_editFolder.GetText(), m_choices.ChosenPrinterName);
  m_wizard.m_editFolder.SetText(installFolder);
  return installFolder;
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
  integration::StagedFilesOfThisRun() = m_installation.Staged();
  platform::WriteRunLog(installed ? L"Finish page shown" : L"Failure page shown");
  if (installed) {
    OnNext();
  } else {
    ShowFailurePage();
  }
}

// Only Finish is left; the page window paints the failure text.
void CInstallDlg::ShowFailurePage() {
  ShowDlgItem(IDC_NEXT, SW_HIDE);
  ShowDlgItem(IDC_BACK, SW_HIDE);
  SetDlgItemTextW(IDC_CANCEL_BUTTON, FinishCaption(true, m_languageId).c_str());
  ShowDlgItem(IDC_PROGRESS, SW_HIDE);
  EnableDlgItem(IDC_CANCEL_BUTTON, TRUE);
  m_wizard.m_nPage = ui::kFailurePage;
  m_wizard.Repaint(false);
  SettleKeyboard();
}

}  // namespace wizard
