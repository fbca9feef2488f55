// The printer data values that say where a printer's jobs go, as the installer writes them.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <optional>
#include <string>
#include <string_view>

#include "components/portmon/network_address.h"
#include "platform/handle.h"

namespace portmon {

using platform::UniquePrinter;

// "PortType" 1: the job goes over TCP to "IP"; anything else: to the USB printer of "VidAndPid".
constexpr DWORD kNetworkPortType = 1;

struct PrinterSettings {
  DWORD portType = 0;
  std::wstring ip;
  std::wstring vidAndPid;
};

// Missing values read as port type 0 and empty texts.
PrinterSettings ReadPrinterSettings(HANDLE printer);
DWORD OpenPrinterByName(const wchar_t* name, UniquePrinter& printer);
DWORD ReadPrinterSettingsByName(const wchar_t* name, PrinterSettings& settings);

}  // namespace portmon
