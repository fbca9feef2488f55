#include "platform/spooler.h"

#include "platform/fault_injection.h"

namespace platform::spooler {

BOOL EnumPortsW(const wchar_t* server, DWORD level, BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) {
  *needed = 0;
  *returned = 0;
  if (TakeInjectedFault("EnumPortsW")) return FALSE;
  return ::EnumPortsW(const_cast<wchar_t*>(server), level, buffer, size, needed, returned);
}

HMODULE LoadLibraryW(const wchar_t* module) {
  if (TakeInjectedFault("LoadLibraryW")) return nullptr;
  return ::LoadLibraryW(module);
}

BOOL AddPortExW(HMODULE winspool, const wchar_t* server, DWORD level, BYTE* portInfo, const wchar_t* monitor) {
  using AddPortExWFunction = BOOL(WINAPI*)(LPWSTR, DWORD, LPBYTE, LPWSTR);
  if (TakeInjectedFault("GetProcAddress")) return FALSE;
  const auto addPortEx =
      reinterpret_cast<AddPortExWFunction>(reinterpret_cast<void*>(::GetProcAddress(winspool, "AddPortExW")));
  if (addPortEx == nullptr) return FALSE;
  if (TakeInjectedFault("AddPortExW")) return FALSE;
  return addPortEx(const_cast<wchar_t*>(server), level, portInfo, const_cast<wchar_t*>(monitor));
}

BOOL ClosePrinter(HANDLE printer) { return ::ClosePrinter(printer); }

LocalPorts EnumLocalPortsLevel2(DWORD extraBytes) {
  return ListByTwoCalls<PORT_INFO_2W>(
      [](BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) {
        return EnumPortsW(nullptr, 2, buffer, size, needed, returned);
      },
      extraBytes);
}

BOOL OpenPrinterW(const wchar_t* name, HANDLE* printer, DWORD access) {
  *printer = nullptr;
  if (TakeInjectedFault("OpenPrinterW")) return FALSE;
  PRINTER_DEFAULTSW defaults = {nullptr, nullptr, access};
  return ::OpenPrinterW(const_cast<wchar_t*>(name), printer, &defaults);
}

BOOL DeletePrinter(HANDLE printer) {
  if (TakeInjectedFault("DeletePrinter")) return FALSE;
  return ::DeletePrinter(printer);
}

BOOL EnumPrinterDriversW(const wchar_t* environment, DWORD level, BYTE* buffer, DWORD size, DWORD* needed,
                         DWORD* returned) {
  *needed = 0;
  *returned = 0;
  if (TakeInjectedFault("EnumPrinterDriversW")) return FALSE;
  return ::EnumPrinterDriversW(nullptr, const_cast<wchar_t*>(environment), level, buffer, size, needed, returned);
}

BOOL DeletePrinterDriverExW(const wchar_t* environment, const wchar_t* driver, DWORD deleteFlags,
                            DWORD versionFlag) {
  if (TakeInjectedFault("DeletePrinterDriverExW")) return FALSE;
  return ::DeletePrinterDriverExW(nullptr, const_cast<wchar_t*>(environment), const_cast<wchar_t*>(driver),
                                  deleteFlags, versionFlag);
}

BOOL DeletePortW(const wchar_t* port) {
  if (TakeInjectedFault("DeletePortW")) return FALSE;
  return ::DeletePortW(nullptr, nullptr, const_cast<wchar_t*>(port));
}

}  // namespace platform::spooler
