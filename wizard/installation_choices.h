// What the user chose on the wizard's pages. The dialog fills it on the user-interface thread as
// pages are confirmed; the installation run takes its own copy when it starts, so that its
// worker reads nothing the dialog may still change.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "texts/wizard_text_parser.h"

namespace wizard {

constexpr size_t kSettingTextCapacity = 510;  // characters a setting text keeps

struct InstallationChoices {
  std::wstring InstallRoot;  // the folder as accepted on the folder page
  std::wstring ChosenPrinterName;
  int32_t SelectedModelIndex = 0;  // into the model catalogue; 0 is the placeholder
  // The port as confirmed: a spooler port with its colon, "USB" or the network item; the USB
  // printer's port once its model was found by name.
  texts::Utf16Unit PortName[texts::kConfigValueCapacity] = {};
  int32_t UseNetworkPort = 0;  // 1 when the network port was chosen
  std::wstring PrinterIpAddress;
  std::wstring PrinterTcpPort;
};

// The text cut to kSettingTextCapacity characters.
inline std::wstring FitSettingText(std::wstring text) {
  if (text.size() > kSettingTextCapacity) text.resize(kSettingTextCapacity);
  return text;
}

}  // namespace wizard
