#include "components/portmon/printer_settings.h"

#include <vector>

#include "components/portmon/text.h"
#include "platform/two_call.h"

namespace portmon {
namespace {

// The value's bytes when it exists with the wanted type.
std::optional<std::vector<BYTE>> QueryPrinterData(HANDLE printer, const wchar_t* name, DWORD wantedType) {
  DWORD type = 0;
  platform::TwoCallBuffer data = platform::ReadByTwoCalls([&](BYTE* buffer, DWORD size, DWORD* needed) {
    // GetPrinterDataW returns its error instead of setting the last error.
    const DWORD error = GetPrinterDataW(printer, const_cast<LPWSTR>(name), &type, buffer, size, needed);
    SetLastError(error);
    return error == ERROR_SUCCESS;
  });
  if (!data.Succeeded() || type != wantedType) return std::nullopt;
  return std::move(data.bytes);
}

DWORD QueryDword(HANDLE printer, const wchar_t* name) {
  const auto data = QueryPrinterData(printer, name, REG_DWORD);
  if (!data || data->size() != sizeof(DWORD)) return 0;
  return *reinterpret_cast<const DWORD*>(data->data());
}

std::wstring QueryText(HANDLE printer, const wchar_t* name) {
  const auto data = QueryPrinterData(printer, name, REG_SZ);
  return data ? TextFromBytes(data->data(), static_cast<DWORD>(data->size())) : std::wstring();
}

}  // namespace

PrinterSettings ReadPrinterSettings(HANDLE printer) {
  return {QueryDword(printer, L"PortType"), QueryText(printer, L"IP"), QueryText(printer, L"VidAndPid")};
}

DWORD OpenPrinterByName(const wchar_t* name, UniquePrinter& printer) {
  HANDLE opened = nullptr;
  if (!name || !OpenPrinterW(const_cast<LPWSTR>(name), &opened, nullptr)) {
    return name ? GetLastError() : ERROR_INVALID_PARAMETER;
  }
  printer.Attach(opened);
  return ERROR_SUCCESS;
}

DWORD ReadPrinterSettingsByName(const wchar_t* name, PrinterSettings& settings) {
  UniquePrinter printer;
  if (DWORD error = OpenPrinterByName(name, printer)) return error;
  settings = ReadPrinterSettings(printer.Get());
  return ERROR_SUCCESS;
}

}  // namespace portmon
