// The wizard's main dialog (template 102), the program's only main window.
#pragma once

#include "package/inflate_entry.h"
#include "package/install_package.h"
#include "platform/framework/dialog.h"

namespace wizard {

class CInstallDlg : public framework::CDialog, public package::ProgressTarget {
 public:
  CInstallDlg();
  ~CInstallDlg() override;

  // Sends the position to the progress bar (1004) once it has a window.
  void ShowProgressPosition(int32_t position) override;

  package::InstallPackage m_package;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int notifyCode) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  void LayOutControls();
  void SetCaptions();
  void PaintSeparator();

  HICON m_hIcon = nullptr;
};

}  // namespace wizard
