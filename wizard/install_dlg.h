// The wizard's main dialog (template 102), the program's only main window: the page window,
// the navigation through the pages with every check, and the installation it starts.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "package/install_package.h"
#include "platform/framework/dialog.h"
#include "platform/framework/gdi.h"
#include "platform/framework/progress_ctrl.h"
#include "texts/language.h"
#include "ui/dpi_scale.h"
#include "ui/wizard_wnd.h"
#include "wizard/dialog_texts.h"
#include "wizard/installation.h"
#include "wizard/installation_choices.h"
#include "wizard/installation_mailbox.h"
#include "wizard/page_checks.h"
#include "wizard/settings_page.h"

namespace wizard {

// How the wizard ended, for the program's exit code.
enum class WizardOutcome { NotInstalled, Installed, Failed };

class CInstallDlg : public framework::CDialog {
 public:
  CInstallDlg();
  ~CInstallDlg() override;

  // True while the installation runs; the dialog cannot be closed then.
  bool IsInstalling() const { return m_installing; }
  WizardOutcome Outcome() const { return m_outcome; }

  int m_languageId = texts::kEnglish;      // decided at start-up
  package::InstallPackage m_package;
  std::vector<std::wstring> m_modelNames;  // the catalogue's item texts, slot 1 first
  PresetChoices m_preset;                  // from the command line
  PackageRoom m_room;                      // what the package needs below the install folder
  std::vector<uint8_t> m_logo;             // the package's logo file
  ui::CWizardWnd m_wizard;
  InstallationChoices m_choices;  // as the pages were confirmed

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
  void ShowMessage(Check check, HWND owner, UINT style);
  bool MayClose() const;
  void SettleKeyboard();
  void FocusControl(HWND control);

  // Next and Back.
  void OnNext();
  void OnBack();
  bool CheckFolderPage();
  bool CheckSettingsPage();
  void EnterPage(int page);
  void OnBrowse();

  // The installation: started here, run by m_installation, which reports by message.
  void StartInstallation();
  std::wstring TakeInstallFolder();
  void OnInstallationMail();
  void OnInstallationEvent(const InstallationEvent& event);
  void OnInstallationEnded(bool installed);
  void ShowFailurePage();

  ui::DpiScale m_scale;  // of the dialog's monitor
  framework::UniqueIcon m_hIcon;
  framework::UniqueFont m_captionFont;  // of the language, where it has one
  framework::UniqueBrush m_pageBrush;
  framework::CProgressCtrl m_progress;
  SettingsPage m_settings{*this, m_choices};
  std::atomic<bool> m_installing = false;  // written on the dialog's thread; tests read it from theirs
  WizardOutcome m_outcome = WizardOutcome::NotInstalled;
  InstallationMailbox m_mailbox{*this};
  Installation m_installation{m_mailbox, m_package};  // last: its worker ends before the rest goes
};

}  // namespace wizard
