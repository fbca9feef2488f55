#include "components/portmon/xcv_client.h"

#include <winspool.h>

#include "components/portmon/printer_settings.h"

namespace portmon {

std::wstring XcvPortObjectName(const wchar_t* server, std::wstring_view port) {
  std::wstring name = server && *server ? std::wstring(server) + L"\\" : std::wstring();
  return name + L",XcvPort " + std::wstring(port);
}

DWORD DeletePortThroughXcv(const wchar_t* server, const wchar_t* port) {
  if (!port || !*port) return ERROR_INVALID_PARAMETER;
  std::wstring object = XcvPortObjectName(server, port);
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, SERVER_ACCESS_ADMINISTER};
  HANDLE opened = nullptr;
  if (!OpenPrinterW(object.data(), &opened, &defaults)) return GetLastError();
  UniquePrinter xcv(opened);
  const std::wstring name(port);
  const DWORD size = static_cast<DWORD>((name.size() + 1) * sizeof(wchar_t));
  DWORD needed = 0;
  DWORD status = ERROR_SUCCESS;
  if (!XcvDataW(xcv.Get(), L"DeletePort", reinterpret_cast<BYTE*>(const_cast<wchar_t*>(name.c_str())), size, nullptr,
                0, &needed, &status)) {
    return GetLastError();
  }
  return status;
}

}  // namespace portmon
