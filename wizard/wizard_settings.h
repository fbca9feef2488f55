// The values the wizard collects for the installation, written on the user-interface thread
// before the installation worker starts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace wizard {

constexpr size_t kSettingTextCapacity = 510;  // characters a setting text keeps

extern std::wstring ChosenPrinterName;
extern std::wstring PrinterIpAddress;
extern std::wstring PrinterTcpPort;
extern int32_t UseNetworkPort;  // 1 when the network port was chosen
extern std::wstring InstallRoot;  // the folder as accepted on the folder page

// The text cut to kSettingTextCapacity characters.
std::wstring FitSettingText(std::wstring text);

}  // namespace wizard
