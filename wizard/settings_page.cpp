#include "wizard/settings_page.h"

#include <array>
#include <iterator>
#include <string_view>

#include "platform/run_log.h"
#include "resources/resource.h"
#include "spooler/usb_discovery.h"
#include "texts/documents_folder.h"
#include "texts/list_items.h"
#include "texts/model_catalogue.h"
#include "texts/utf16_text.h"
#include "wizard/dialog_texts.h"

namespace wizard {
namespace {

constexpr int kSerialGroup[] = {IDC_BAUD_LABEL,     IDC_BAUD_COMBO,      IDC_DATA_BITS_LABEL, IDC_DATA_BITS_COMBO,
                                IDC_PARITY_LABEL,   IDC_PARITY_COMBO,    IDC_STOP_BITS_LABEL, IDC_STOP_BITS_COMBO,
                                IDC_FLOW_LABEL,     IDC_FLOW_COMBO};
constexpr int kNetworkControls[] = {IDC_IP_LABEL, IDC_IP_EDIT, IDC_TCP_PORT_LABEL, IDC_TCP_PORT_EDIT};
constexpr int kPageControls[] = {IDC_SETTINGS_GROUP, IDC_MODEL_LABEL,     IDC_MODEL_COMBO, IDC_PRINTER_NAME,
                                 IDC_NAME_LABEL,     IDC_DEFAULT_PRINTER, IDC_PORT_LABEL,  IDC_PORT_COMBO};

static_assert(std::size(texts::kParityItems) == kParityItemCount && std::size(texts::kFlowItems) == kFlowItemCount);

const wchar_t* ItemText(const wchar_t* item) { return item; }
const wchar_t* ItemText(const std::wstring& item) { return item.c_str(); }

template <typename Items>
void FillList(HWND comboWindow, const Items& items, int selected) {
  framework::CComboBox combo;
  combo.Attach(comboWindow);
  for (const auto& item : items) combo.AddString(ItemText(item));
  combo.SetCurSel(selected);
}

template <size_t N>
std::array<std::wstring, N> ItemsIn(const texts::LocalizedText (&items)[N], int languageId) {
  std::array<std::wstring, N> words;
  for (size_t index = 0; index < N; ++index) words[index] = texts::Pick(items[index], languageId).TextOrEmpty();
  return words;
}

int SelectedIndex(HWND comboWindow) {
  framework::CComboBox combo;
  combo.Attach(comboWindow);
  return combo.GetCurSel();
}

// The control that a refused Next's message is about; the printer name, which also names the
// printer's folder, unless the message is about the port.
int FieldOf(Check check) {
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

// FillLocalPortList's view of the port combo.
class PortList : public spooler::PortComboBox {
 public:
  explicit PortList(framework::CComboBox& combo) : m_combo(combo) {}
  void AddString(const wchar_t* item) override { m_combo.AddString(item); }
  void SetCurSel(int index) override { m_combo.SetCurSel(index); }

 private:
  framework::CComboBox& m_combo;
};

}  // namespace

void SettingsPage::Fill(const std::vector<std::wstring>& modelNames, const PresetChoices& preset, int languageId) {
  m_model.Attach(m_dialog.GetDlgItem(IDC_MODEL_COMBO));
  m_port.Attach(m_dialog.GetDlgItem(IDC_PORT_COMBO));
  FillModels(modelNames, languageId);
  PreselectConnectedUsbModel();
  m_dialog.CheckDlgButton(IDC_DEFAULT_PRINTER, true);
  m_dialog.CheckDlgButton(IDC_USE_MONITOR, true);
  FillSerialSettings(languageId);
  m_dialog.SetDlgItemTextW(IDC_TCP_PORT_EDIT, L"9100");
  FillPorts(languageId);
  ApplyPreset(preset);
}

void SettingsPage::ApplyPreset(const PresetChoices& preset) {
  if (preset.modelIndex && *preset.modelIndex < m_model.GetCount()) {
    m_model.SetCurSel(*preset.modelIndex);
    OnModelChanged();
  }
  if (preset.printerName) m_dialog.SetDlgItemTextW(IDC_PRINTER_NAME, preset.printerName->c_str());
  if (preset.setDefaultPrinter) m_dialog.CheckDlgButton(IDC_DEFAULT_PRINTER, *preset.setDefaultPrinter);
  if (preset.serial) SelectSerialSettings(*preset.serial);
  if (preset.ipAddress) m_dialog.SetDlgItemTextW(IDC_IP_EDIT, preset.ipAddress->c_str());
  if (preset.tcpPort) m_dialog.SetDlgItemTextW(IDC_TCP_PORT_EDIT, preset.tcpPort->c_str());
  if (!preset.portItem) return;
  for (int index = 0; index < m_port.GetCount(); ++index) {
    if (m_port.GetLBText(index) != *preset.portItem) continue;
    m_port.SetCurSel(index);
    OnPortChanged();
    return;
  }
}

void SettingsPage::SelectSerialSettings(const spooler::SerialSettings& settings) {
  const auto selectText = [this](int id, const std::wstring& text) {
    framework::CComboBox combo;
    combo.Attach(m_dialog.GetDlgItem(id));
    for (int index = 0; index < combo.GetCount(); ++index) {
      if (combo.GetLBText(index) == text) combo.SetCurSel(index);
    }
  };
  selectText(IDC_BAUD_COMBO, settings.BaudRate);
  selectText(IDC_DATA_BITS_COMBO, settings.DataBits);
  selectText(IDC_STOP_BITS_COMBO, settings.StopBits);
  for (const auto& [id, index] : {std::pair{IDC_PARITY_COMBO, settings.ParityIndex},
                                  std::pair{IDC_FLOW_COMBO, settings.FlowControlIndex}}) {
    framework::CComboBox combo;
    combo.Attach(m_dialog.GetDlgItem(id));
    combo.SetCurSel(index);
  }
}

std::optional<Check> SettingsPage::Leave() {
  ReadChoices();
  m_choices.UseNetworkPort = false;
  if (const std::optional<Check> refused = CheckSettingsChoice(m_choices, m_room)) return refused;
  SettleChosenPort(m_choices);
  platform::WriteRunLog(L"Next on the settings page: " + DescribeChoices(m_choices));
  return std::nullopt;
}

Refusal SettingsPage::RefusalOf(Check refused, int languageId) const {
  return {CheckMessage(refused, languageId), nullptr, MB_ICONERROR, m_dialog.GetDlgItem(FieldOf(refused))};
}

HWND SettingsPage::FirstField() const { return m_dialog.GetDlgItem(IDC_MODEL_COMBO); }

void SettingsPage::ReadChoices() {
  m_choices.SelectedModelIndex = m_model.GetCurSel();
  m_choices.ChosenPrinterName = FitSettingText(ItemText(IDC_PRINTER_NAME));
  m_choices.PortItem = PortItem();
  m_choices.Port = PortKindOfItem(m_choices.PortItem);
  m_choices.PrinterIpAddress = FitSettingText(ItemText(IDC_IP_EDIT));
  m_choices.PrinterTcpPort = FitSettingText(ItemText(IDC_TCP_PORT_EDIT));
  m_choices.Serial = ReadSerialSettings();
  m_choices.MakeDefaultPrinter = m_dialog.IsDlgButtonChecked(IDC_DEFAULT_PRINTER);
  m_choices.UseMonitor = m_dialog.IsDlgButtonChecked(IDC_USE_MONITOR);
}

void SettingsPage::FillModels(const std::vector<std::wstring>& modelNames, int languageId) {
  m_model.AddString(ModelPlaceholder(languageId).c_str());
  for (const std::wstring& name : modelNames) m_model.AddString(name.c_str());
  if (m_model.GetCount() > 1) {
    m_model.SetCurSel(1);
    m_dialog.SetDlgItemTextW(IDC_PRINTER_NAME, m_model.GetLBText(1).c_str());
  }
}

void SettingsPage::PreselectConnectedUsbModel() {
  spooler::UsbInterfaceList interfaces;
  if (spooler::EnumUsbPrinterInterfaces(interfaces) == 0 || interfaces.empty()) return;
  const std::wstring usbId = spooler::UsbIdOfDevicePath(interfaces.front());
  const std::optional<int> slot = texts::FindModelByUsbId(texts::ModelTable, usbId.c_str());
  if (!slot) return;
  m_dialog.SetDlgItemTextW(IDC_PRINTER_NAME, texts::ModelTable[*slot].Name);
  m_model.SetCurSel(*slot);
}

void SettingsPage::FillSerialSettings(int languageId) {
  FillList(m_dialog.GetDlgItem(IDC_BAUD_COMBO), kBaudRates, 9);
  FillList(m_dialog.GetDlgItem(IDC_DATA_BITS_COMBO), kDataBits, 3);
  FillList(m_dialog.GetDlgItem(IDC_STOP_BITS_COMBO), kStopBits, 0);
  FillList(m_dialog.GetDlgItem(IDC_PARITY_COMBO), ItemsIn(texts::kParityItems, languageId), 2);
  FillList(m_dialog.GetDlgItem(IDC_FLOW_COMBO), ItemsIn(texts::kFlowItems, languageId), 1);
}

void SettingsPage::FillPorts(int languageId) {
  m_port.AddString(L"USB");
  PortList ports(m_port);
  spooler::FillLocalPortList(ports);
  if (const std::optional<std::wstring> network = NetworkPortItem(languageId)) m_port.AddString(network->c_str());
}

void SettingsPage::OnModelChanged() {
  const int selected = m_model.GetCurSel();
  if (selected > 0) {
    m_choices.SelectedModelIndex = selected;
    m_dialog.SetDlgItemTextW(IDC_PRINTER_NAME, m_model.GetLBText(selected).c_str());
  } else {
    m_dialog.SetDlgItemTextW(IDC_PRINTER_NAME, L"");
  }
}

void SettingsPage::OnPortChanged() {
  texts::CopyBounded(m_choices.PortName, PortItem());
  m_portChosen = true;
  ShowPortSettings();
}

// The serial settings apply to COM ports only; the last item is the network port.
void SettingsPage::ShowPortSettings() {
  EnableSerialGroup(std::wstring_view(PortItem()).starts_with(L"COM"));
  const bool network = NetworkItemSelected();
  ShowSerialGroup(!network);
  ShowNetworkControls(network);
}

bool SettingsPage::NetworkItemSelected() const {
  return m_port.GetCount() > 0 && m_port.GetCurSel() == m_port.GetCount() - 1;
}

// The network fields come only with a choice in the port list: a list whose first item is also
// its last (no network item, no spooler ports) must not open on them.
void SettingsPage::Enter() {
  for (int id : kPageControls) m_dialog.ShowDlgItem(id, SW_SHOW);
  if (m_portChosen) {
    ShowPortSettings();
    return;
  }
  EnableSerialGroup(std::wstring_view(PortItem()).starts_with(L"COM"));
  ShowSerialGroup(true);
  ShowNetworkControls(false);
}

void SettingsPage::Hide() {
  for (int id : kPageControls) m_dialog.ShowDlgItem(id, SW_HIDE);
  ShowSerialGroup(false);
  ShowNetworkControls(false);
}

void SettingsPage::ShowSerialGroup(bool show) {
  for (int id : kSerialGroup) m_dialog.ShowDlgItem(id, show ? SW_SHOW : SW_HIDE);
}

void SettingsPage::EnableSerialGroup(bool enable) {
  for (int id : kSerialGroup) m_dialog.EnableDlgItem(id, enable);
}

void SettingsPage::ShowNetworkControls(bool show) {
  for (int id : kNetworkControls) m_dialog.ShowDlgItem(id, show ? SW_SHOW : SW_HIDE);
}

std::wstring SettingsPage::ItemText(int id) const { return m_dialog.GetDlgItemTextW(id); }

spooler::SerialSettings SettingsPage::ReadSerialSettings() const {
  spooler::SerialSettings settings;
  settings.BaudRate = ItemText(IDC_BAUD_COMBO);
  settings.ParityIndex = SelectedIndex(m_dialog.GetDlgItem(IDC_PARITY_COMBO));
  settings.DataBits = ItemText(IDC_DATA_BITS_COMBO);
  settings.StopBits = ItemText(IDC_STOP_BITS_COMBO);
  settings.FlowControlIndex = SelectedIndex(m_dialog.GetDlgItem(IDC_FLOW_COMBO));
  return settings;
}

}  // namespace wizard
