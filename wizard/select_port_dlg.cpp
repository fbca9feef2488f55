#include "wizard/select_port_dlg.h"

#include "platform/spooler.h"
#include "resources/resource.h"
#include "texts/dialog_captions.h"
#include "wizard/dialog_texts.h"

namespace wizard {
namespace {

constexpr int kPortList = 1009;
constexpr DWORD kListStyle = LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP | LVS_EX_GRIDLINES;
constexpr DWORD kPortBufferSlack = 16;

const wchar_t* OrEmpty(const wchar_t* text) { return text != nullptr ? text : L""; }

}  // namespace

CSelectPortDlg::CSelectPortDlg(int languageId) : CDialog(IDD_SELECT_PORT), m_languageId(languageId) {}

BOOL CSelectPortDlg::OnInitDialog() {
  m_list.Attach(GetDlgItem(kPortList));
  m_list.SetExtendedStyle(kListStyle);
  SetCaptions();
  AddColumns();
  ListPorts();
  return TRUE;
}

void CSelectPortDlg::SetCaptions() {
  SetWindowTextW(texts::Pick(texts::kPortDialogTitle, m_languageId).TextOrEmpty().c_str());
  SetControlCaptions(*this, texts::kPortDialogCaptions, m_languageId);
}

void CSelectPortDlg::AddColumns() {
  static_assert(std::size(texts::kPortListColumns) == 3);
  const int third = m_list.GetClientWidth() / 3;
  const int widths[3] = {third, third, third - 1};
  for (int column = 0; column < 3; ++column) {
    const std::wstring heading = texts::Pick(texts::kPortListColumns[column], m_languageId).TextOrEmpty();
    m_list.InsertColumn(column, heading.c_str(), widths[column]);
  }
}

void CSelectPortDlg::ListPorts() {
  const platform::spooler::LocalPorts ports = platform::spooler::EnumLocalPortsLevel2(kPortBufferSlack);
  for (const PORT_INFO_2W& port : ports.Records()) {
    const int row = m_list.AppendItem(OrEmpty(port.pPortName));
    m_list.SetItemText(row, 1, OrEmpty(port.pDescription));
    m_list.SetItemText(row, 2, OrEmpty(port.pMonitorName));
  }
}

void CSelectPortDlg::OnOK() {
  const int row = m_list.GetFirstSelected();
  if (row < 0) return;  // nothing picked: stay open
  m_strPort = m_list.GetItemText(row, 0);
  EndDialog(IDOK);
}

bool SelectPortChooser::ChoosePort(std::wstring& port) {
  CSelectPortDlg dialog(m_languageId);
  if (dialog.DoModal() != IDOK) return false;
  port = dialog.m_strPort;
  return true;
}

}  // namespace wizard
