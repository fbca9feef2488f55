// The wizard's main dialog (template 102), the program's only main window: the page window, the
// navigation through the pages (each page holds its controls and checks, the page table its
// buttons), and the installation it starts.
#pragma once

#include <string>
#include <vector>

#include "package/install_package.h"
#include "platform/framework/dialog.h"
#include "platform/framework/gdi.h"
#include "platform/framework/progress_ctrl.h"
#include "texts/language.h"
#include "ui/dpi_scale.h"
#include "ui/wizard_page.h"
#include "ui/wizard_wnd.h"
#include "wizard/dialog_texts.h"
#include "wizard/folder_page.h"
#include "wizard/installation.h"
#include "wizard/installation_choices.h"
#include "wizard/installation_mailbox.h"
#include "wizard/page.h"
#include "wizard/page_checks.h"
#include "wizard/settings_page.h"

namespace wizard {

// How the wizard ended, for the program's exit code.
enum class WizardOutcome { NotInstalled, Installed, Failed };

// What the dialog answers, on its own thread, to WizardStateQuery(): for whoever drives it from
// another thread of this process (the tests), so that nobody reads its members across threads.
struct WizardState {
  int page = -1;  // a ui::WizardPage
  bool installing = false;
  InstallationChoices choices;  // as the pages confirmed them so far
  std::wstring status;          // the page window's status line
  HWND folderField = nullptr;   // the page window's folder field (its frame)
  HWND focus = nullptr;         // the window with the keyboard focus on the dialog's thread
};

// The registered message that fills the WizardState its lParam points to and returns TRUE. Sent
// with SendMessage from the same process only: the pointer is this process's.
UINT WizardStateQuery();

class CInstallDlg : public framework::CDialog {
 public:
  CInstallDlg();
  ~CInstallDlg() override;

  WizardOutcome Outcome() const { return m_outcome; }

  int m_languageId = texts::kEnglish;      // decided at start-up
  package::InstallPackage m_package;
  std::vector<std::wstring> m_modelNames;  // the catalogue's item texts, slot 1 first
  PresetChoices m_preset;                  // from the command line
  PackageRoom m_room;                      // what the package needs below the install folder
  std::vector<uint8_t> m_logo;             // the package's logo file

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  bool OnCommand(int id, int notifyCode) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  void LayOutControls();
  void SetCaptions();
  void SetCaptionFonts();
  void OnDpiChanged(int dpi, const RECT& suggested);
  HBRUSH PageBrush();
  bool MayClose() const;
  void AnswerStateQuery(WizardState& state) const;

  // The pages: Next asks the page shown, Back goes to the one before, each page's buttons come
  // from its row of the page table.
  void OnNext();
  void OnBack();
  bool MayLeave(Page& page);
  void ShowPage(ui::WizardPage page);
  Page* PageAt(ui::WizardPage page);

  // The installation: started here, run by m_installation's worker, which reports through
  // m_mailbox; the dialog takes the reports on its own thread.
  void StartInstallation();
  void OnInstallationMail();
  void OnInstallationEvent(const InstallationEvent& event);
  void OnInstallationEnded(bool installed);

  ui::DpiScale m_scale;  // of the dialog's monitor
  framework::UniqueIcon m_hIcon;
  framework::UniqueFont m_captionFont;  // of the language, where it has one
  framework::UniqueBrush m_pageBrush;
  framework::CProgressCtrl m_progress;
  ui::CWizardWnd m_wizard;
  InstallationChoices m_choices;  // written by the pages as they are confirmed
  FolderPage m_folderPage{*this, m_wizard, m_choices, m_room};
  SettingsPage m_settings{*this, m_choices, m_room};
  ui::WizardPage m_page = ui::kWelcomePage;
  bool m_installing = false;  // from the start until the worker's end is taken from the mailbox
  WizardOutcome m_outcome = WizardOutcome::NotInstalled;
  InstallationMailbox m_mailbox{*this};
  Installation m_installation{m_mailbox, m_package};  // last: its worker ends before the rest goes
};

}  // namespace wizard
