#include "wizard/select_port_dlg.h"

#include "platform/spooler.h"
#include "resources/resource.h"
#include "texts/language.h"

namespace wizard {
namespace {

constexpr int kPortList = 1009;
constexpr DWORD kListStyle = LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP | LVS_EX_GRIDLINES;
constexpr DWORD kPortBufferSlack = 16;

struct Captions {
  const wchar_t* title;
  const wchar_t* ok;
  const wchar_t* cancel;
  const wchar_t* columns[3];
};
constexpr Captions kChinese = {L"选择打印机端口", L"确定", L"取消", {L"端口", L"描述", L"监视器"}};
constexpr Captions kOthers = {L"Select Printer Port", nullptr, nullptr, {L"Port", L"Description", L"Monitor"}};

const Captions& CaptionsForLanguage() { return texts::CurrentLanguageId() == texts::kChinese ? kChinese : kOthers; }

const wchar_t* OrEmpty(const wchar_t* text) { return text != nullptr ? text : L""; }

}  // namespace

CSelectPortDlg::CSelectPortDlg() : CDialog(IDD_SELECT_PORT) {}

BOOL CSelectPortDlg::OnInitDialog() {
  m_list.Attach(GetDlgItem(kPortList));
  m_list.SetExtendedStyle(kListStyle);
  SetCaptions();
  AddColumns();
  ListPorts();
  return TRUE;
}

void CSelectPortDlg::SetCaptions() {
  const Captions& captions = CaptionsForLanguage();
  SetWindowTextW(captions.title);
  // Other languages keep the template's "OK" and "Cancel".
  if (captions.ok != nullptr) SetDlgItemTextW(IDOK, captions.ok);
  if (captions.cancel != nullptr) SetDlgItemTextW(IDCANCEL, captions.cancel);
}

void CSelectPortDlg::AddColumns() {
  const int third = m_list.GetClientWidth() / 3;
  const int widths[3] = {third, third, third - 1};
  for (int column = 0; column < 3; ++column) {
    m_list.InsertColumn(column, CaptionsForLanguage().columns[column], widths[column]);
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
  CSelectPortDlg dialog;
  if (dialog.DoModal() != IDOK) return false;
  port = dialog.m_strPort;
  return true;
}

}  // namespace wizard
