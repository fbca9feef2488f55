// The model and port settings page (page 2): its controls filled once at dialog start-up and
// kept consistent while the user picks a model and a port.
#pragma once

#include <string>
#include <vector>

#include "platform/framework/combo_box.h"
#include "platform/framework/wnd.h"
#include "spooler/ports.h"
#include "wizard/installation_choices.h"
#include "wizard/page_checks.h"

namespace wizard {

class SettingsPage {
 public:
  SettingsPage(framework::CWnd& dialog, InstallationChoices& choices) : m_dialog(dialog), m_choices(choices) {}

  // Binds the combos and fills every control with the catalogue's models (slot 1 first) and the
  // lists' items in the language; the model of a connected USB printer is preselected, and what
  // the command line gave replaces the defaults.
  void Fill(const std::vector<std::wstring>& modelNames, const PresetChoices& preset, int languageId);
  // The page's choices as its controls show them: model, name, port, address, serial settings.
  void ReadChoices(InstallationChoices& choices) const;

  void OnModelChanged();
  void OnPortChanged();

  // Shows the page's controls with the serial settings (enabled for a COM port); once the user
  // has chosen a port, with the settings that port asks for.
  void Show();
  // Hides every control of the page.
  void Hide();

  std::wstring PrinterName() const;
  int SelectedModelItem() const { return m_model.GetCurSel(); }
  std::wstring PortItem() const { return m_port.GetSelectedText(); }
  spooler::SerialSettings ReadSerialSettings() const;
  std::wstring IpAddress() const;
  std::wstring TcpPort() const;

 private:
  void FillModels(const std::vector<std::wstring>& modelNames, int languageId);
  void ApplyPreset(const PresetChoices& preset);
  void SelectSerialSettings(const spooler::SerialSettings& settings);
  void PreselectConnectedUsbModel();
  void FillSerialSettings(int languageId);
  void FillPorts(int languageId);
  void ShowSerialGroup(bool show);
  void EnableSerialGroup(bool enable);
  void ShowNetworkControls(bool show);
  void ShowPortSettings();
  bool NetworkItemSelected() const;
  std::wstring ItemText(int id) const;

  framework::CWnd& m_dialog;
  InstallationChoices& m_choices;  // the model and port as the user picks them
  framework::CComboBox m_model;
  framework::CComboBox m_port;
  bool m_portChosen = false;  // by the user, through the port list
};

}  // namespace wizard
