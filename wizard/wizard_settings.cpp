#include "wizard/wizard_settings.h"

namespace wizard {

std::wstring ChosenPrinterName;
std::wstring PrinterIpAddress;
std::wstring PrinterTcpPort;
int32_t UseNetworkPort = 0;
std::wstring InstallRoot;

std::wstring FitSettingText(std::wstring text) {
  if (text.size() > kSettingTextCapacity) text.resize(kSettingTextCapacity);
  return text;
}

}  // namespace wizard
