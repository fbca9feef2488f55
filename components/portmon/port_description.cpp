#include "components/portmon/port_description.h"

#include <winspool.h>

#include <algorithm>

#include "components/portmon/text.h"
#include "platform/two_call.h"

namespace portmon {
namespace {

platform::TwoCallList<PRINTER_INFO_2W> EnumLocalPrinters() {
  return platform::ListByTwoCalls<PRINTER_INFO_2W>([](BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) {
    return EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, buffer, size, needed, returned);
  });
}

std::wstring DescribePrinter(const PRINTER_INFO_2W& printer) {
  PrinterSettings settings;
  const DWORD error = ReadPrinterSettingsByName(printer.pPrinterName, settings);
  return std::wstring(printer.pPrinterName) + L": " +
         (error == ERROR_SUCCESS ? DescribeTarget(settings) : L"settings unreadable (error " + std::to_wstring(error) + L")");
}

}  // namespace

std::wstring DescribeTarget(const PrinterSettings& settings) {
  if (settings.portType == kNetworkPortType) {
    return L"network printer at " + (settings.ip.empty() ? std::wstring(L"(no address set)") : settings.ip);
  }
  return L"USB printer " + (settings.vidAndPid.empty() ? std::wstring(L"(no USB id set)") : settings.vidAndPid);
}

bool PortListNames(std::wstring_view portList, std::wstring_view port) {
  for (size_t start = 0; start <= portList.size();) {
    const size_t comma = std::min(portList.find(L',', start), portList.size());
    if (EqualsIgnoringAsciiCase(portList.substr(start, comma - start), port)) return true;
    start = comma + 1;
  }
  return false;
}

DWORD DescribePort(const wchar_t* port, std::wstring& text) {
  if (!port) return ERROR_INVALID_PARAMETER;
  const platform::TwoCallList<PRINTER_INFO_2W> printers = EnumLocalPrinters();
  if (!printers.Listed()) return GetLastError();
  text = L"Port " + std::wstring(port) + L" sends each job where its printer's data values point.";
  bool anyPrinter = false;
  for (const PRINTER_INFO_2W& printer : printers.Records()) {
    if (!printer.pPortName || !PortListNames(printer.pPortName, port)) continue;
    text += L"\n" + DescribePrinter(printer);
    anyPrinter = true;
  }
  if (!anyPrinter) text += L"\nNo printer uses this port.";
  return ERROR_SUCCESS;
}

}  // namespace portmon
