#include "components/portmon/port_description.h"

#include <winspool.h>

#include <algorithm>
#include <vector>

#include "components/portmon/text.h"

namespace portmon {
namespace {

DWORD EnumLocalPrinters(std::vector<BYTE>& buffer, DWORD& count) {
  DWORD needed = 0;
  count = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
  buffer.assign(needed, 0);
  if (!EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &count)) return GetLastError();
  return ERROR_SUCCESS;
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
  std::vector<BYTE> buffer;
  DWORD count = 0;
  if (DWORD error = EnumLocalPrinters(buffer, count)) return error;
  text = L"Port " + std::wstring(port) + L" sends each job where its printer's data values point.";
  const auto* printers = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
  bool anyPrinter = false;
  for (DWORD index = 0; index < count; ++index) {
    if (!printers[index].pPortName || !PortListNames(printers[index].pPortName, port)) continue;
    text += L"\n" + DescribePrinter(printers[index]);
    anyPrinter = true;
  }
  if (!anyPrinter) text += L"\nNo printer uses this port.";
  return ERROR_SUCCESS;
}

}  // namespace portmon
