// The port choice dialog (template 138): every port the spooler knows, one to pick.
#pragma once

#include <string>

#include "platform/framework/dialog.h"
#include "platform/framework/list_ctrl.h"
#include "spooler/printer_install.h"

namespace wizard {

class CSelectPortDlg : public framework::CDialog {
 public:
  explicit CSelectPortDlg(int languageId);

  std::wstring m_strPort;  // the chosen port; empty until OK succeeds

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  void SetCaptions();
  void AddColumns();
  void ListPorts();

  const int m_languageId;
  framework::CListCtrl m_list;
};

// Runs the dialog without a parent. The wizard runs it on its own thread when the installation's
// worker asks for a port through the mailbox, and hands the answer back there; the worker waits.
class SelectPortChooser : public spooler::PortChooser {
 public:
  explicit SelectPortChooser(int languageId) : m_languageId(languageId) {}
  bool ChoosePort(std::wstring& port) override;

 private:
  const int m_languageId;
};

}  // namespace wizard
