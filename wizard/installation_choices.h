// What the user chose on the wizard's pages, or what the unattended command line gave. The pages
// fill it on the user-interface thread as they are confirmed; the installation run takes its
// own copy when it starts, so that its worker reads nothing the dialog may still change.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "spooler/ports.h"
#include "texts/wizard_text_parser.h"

namespace wizard {

constexpr size_t kSettingTextCapacity = 510;  // characters a setting text keeps

enum class PortKind { Usb, Local, Network };

struct InstallationChoices {
  std::wstring InstallRoot;  // the folder as accepted on the folder page
  std::wstring ChosenPrinterName;
  int32_t SelectedModelIndex = 0;  // into the model catalogue; 0 is the placeholder
  PortKind Port = PortKind::Usb;
  std::wstring PortItem = L"USB";  // as the port list shows it: "USB", "COM1", "LPT1", the network item
  // The port as confirmed: a spooler port with its colon, "USB" or the network item; the USB
  // printer's port once its model was found by name.
  texts::Utf16Unit PortName[texts::kConfigValueCapacity] = {};
  bool UseNetworkPort = false;  // the network port was chosen
  std::wstring PrinterIpAddress;
  std::wstring PrinterTcpPort;
  spooler::SerialSettings Serial;  // written for a COM port when the installation starts
  bool MakeDefaultPrinter = true;
  bool UseMonitor = true;
};

// The text cut to kSettingTextCapacity characters.
inline std::wstring FitSettingText(std::wstring text) {
  if (text.size() > kSettingTextCapacity) text.resize(kSettingTextCapacity);
  return text;
}

}  // namespace wizard
