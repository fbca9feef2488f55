// The model and port settings page (page 2): its controls filled once at dialog start-up and
// kept consistent while the user picks a model and a port; Next runs the settings checks.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/framework/combo_box.h"
#include "platform/framework/wnd.h"
#include "spooler/ports.h"
#include "wizard/installation_choices.h"
#include "wizard/page.h"
#include "wizard/page_checks.h"

namespace wizard {

class SettingsPage : public Page {
 public:
  SettingsPage(framework::CWnd& dialog, InstallationChoices& choices, const PackageRoom& room)
      : m_dialog(dialog), m_choices(choices), m_room(room) {}

  // Binds the combos and fills every control with the catalogue's models (slot 1 first) and the
  // lists' items in the language; the model of a connected USB printer is preselected, and what
  // the command line gave replaces the defaults.
  void Fill(const std::vector<std::wstring>& modelNames, const PresetChoices& preset, int languageId);

  void OnModelChanged();
  void OnPortChanged();

  // Shows the page's controls with the serial settings (enabled for a COM port); once the user
  // has chosen a port, with the settings that port asks for.
  void Enter() override;
  // Hides every control of the page.
  void Hide() override;
  // Reads the page's controls into the choices and runs the settings checks; once they pass,
  // the chosen port is settled.
  std::optional<Check> Leave() override;
  // The message without an owner, as it has always been shown, then the focus on the field it
  // is about.
  Refusal RefusalOf(Check refused, int languageId) const override;
  HWND FirstField() const override;

 private:
  void ReadChoices();
  std::wstring PortItem() const { return m_port.GetSelectedText(); }
  spooler::SerialSettings ReadSerialSettings() const;
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
  InstallationChoices& m_choices;  // written by this page alone: as the user picks, and on Next
  const PackageRoom& m_room;
  framework::CComboBox m_model;
  framework::CComboBox m_port;
  bool m_portChosen = false;  // by the user, through the port list
};

}  // namespace wizard
