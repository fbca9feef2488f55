#include "components/portmon/printer_settings.h"

#include <vector>

#include "components/portmon/text.h"
#include "platform/two_call.h"

namespace portmon {
namespace {

constexpr wchar_t kBlanks[] = L" \t";

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

bool IsTcpPort(std::wstring_view text) {
  if (text.empty() || text.size() > 5) return false;
  unsigned value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return false;
    value = value * 10 + static_cast<unsigned>(c - L'0');
  }
  return value >= 1 && value <= 65535;
}

std::wstring_view Trim(std::wstring_view text) {
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::wstring_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
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

std::optional<NetworkAddress> ParseNetworkAddress(std::wstring_view ip) {
  const std::wstring_view text = Trim(ip);
  const size_t gap = text.find_first_of(kBlanks);
  if (gap == 0 || gap == std::wstring_view::npos) return std::nullopt;
  const std::wstring_view port = Trim(text.substr(gap));
  if (!IsTcpPort(port)) return std::nullopt;
  return NetworkAddress{std::wstring(text.substr(0, gap)), std::wstring(port)};
}

}  // namespace portmon
