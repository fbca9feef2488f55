// The wizard's main dialog (template 102), the program's only main window: the page window,
// the navigation through the pages with every check, and the installation it starts.
#pragma once

#include <atomic>
#include <string>

#include "package/install_package.h"
#include "package/staging.h"
#include "platform/framework/dialog.h"
#include "platform/framework/gdi.h"
#include "spooler/printer_install.h"
#include "ui/wizard_wnd.h"
#include "wizard/dialog_texts.h"
#include "wizard/settings_page.h"

namespace wizard {

class CInstallDlg : public framework::CDialog, public package::StagingView {
 public:
  CInstallDlg();
  ~CInstallDlg() override;

  // package::StagingView, for the installation worker.
  void ShowProgressPosition(int32_t position) override;
  std::wstring InstallFolderText() override;
  void ShowStatus(const std::wstring& text) override;

  // True while the installation worker runs; the dialog cannot be closed then.
  bool IsInstalling() const { return m_installing; }

  package::InstallPackage m_package;
  BOOL m_bSetDefault = 1;
  BOOL m_bUseMonitor = 1;
  ui::CWizardWnd m_wizard;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  bool OnCommand(int id, int notifyCode) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  void LayOutControls();
  void SetCaptions();
  void PaintSeparator();
  HBRUSH PageBrush();
  void EraseBackground(HDC dc);
  void ShowMessage(Check check, HWND owner, UINT style);
  bool MayClose() const;

  // Next and Back.
  void OnNext();
  void OnBack();
  bool CheckFolderPage();
  bool CheckSettingsPage();
  bool CheckUsbPort();
  bool CheckNetworkPort();
  void EnterPage(int page);
  void OnBrowse();

  // The installation: StartInstallation on this thread, RunInstallation on the worker.
  void StartInstallation();
  void TakeInstallFolder();
  static DWORD WINAPI InstallationWorker(void* dialog);
  void RunInstallation();
  bool FolderFitsTheRecord();
  bool StageDriverFiles();
  std::wstring MakeStartMenuEntries(std::wstring& shortcutPath);
  spooler::PrinterRequest MakePrinterRequest() const;
  void RegisterInstallation(const std::wstring& startMenuFolder, const std::wstring& shortcutPath);
  void ShowFailurePage();

  HICON m_hIcon = nullptr;
  framework::UniqueFont m_fontChinese;
  framework::UniqueFont m_fontLatin;
  framework::UniqueBrush m_pageBrush;
  SettingsPage m_settings{*this};
  std::atomic<bool> m_installing = false;
};

}  // namespace wizard
