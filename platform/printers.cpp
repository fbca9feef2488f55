#include "platform/printers.h"

#include "platform/fault_injection.h"

namespace platform::printers {

BOOL AddMonitorW(const wchar_t* server, DWORD level, BYTE* monitorInfo) {
  if (TakeInjectedFault("AddMonitorW")) return FALSE;
  return ::AddMonitorW(const_cast<wchar_t*>(server), level, monitorInfo);
}

BOOL GetPrinterDriverDirectoryW(const wchar_t* server, const wchar_t* environment, DWORD level,
                                BYTE* directory, DWORD size, DWORD* needed) {
  if (TakeInjectedFault("GetPrinterDriverDirectoryW")) return FALSE;
  return ::GetPrinterDriverDirectoryW(const_cast<wchar_t*>(server), const_cast<wchar_t*>(environment), level,
                                      directory, size, needed);
}

BOOL AddPrinterDriverW(const wchar_t* server, DWORD level, BYTE* driverInfo) {
  if (TakeInjectedFault("AddPrinterDriverW")) return FALSE;
  return ::AddPrinterDriverW(const_cast<wchar_t*>(server), level, driverInfo);
}

BOOL EnumPrintersW(DWORD flags, wchar_t* name, DWORD level, BYTE* buffer, DWORD size, DWORD* needed,
                   DWORD* returned) {
  if (TakeInjectedFault("EnumPrintersW")) return FALSE;
  return ::EnumPrintersW(flags, name, level, buffer, size, needed, returned);
}

HANDLE AddPrinterW(const wchar_t* server, DWORD level, BYTE* printerInfo) {
  if (TakeInjectedFault("AddPrinterW")) return nullptr;
  return ::AddPrinterW(const_cast<wchar_t*>(server), level, printerInfo);
}

DWORD SetPrinterDataW(HANDLE printer, const wchar_t* name, DWORD type, const BYTE* data, DWORD size) {
  if (TakeInjectedFault("SetPrinterDataW")) return ::GetLastError();
  return ::SetPrinterDataW(printer, const_cast<wchar_t*>(name), type, const_cast<BYTE*>(data), size);
}

BOOL SetDefaultPrinterA(const char* printer) {
  if (TakeInjectedFault("SetDefaultPrinterA")) return FALSE;
  HMODULE winspool = ::LoadLibraryW(L"winspool.drv");
  if (winspool == nullptr) return FALSE;
  using Function = BOOL(WINAPI*)(LPCSTR);
  const auto function = reinterpret_cast<Function>(::GetProcAddress(winspool, "SetDefaultPrinterA"));
  const BOOL result = function != nullptr && function(printer);
  ::FreeLibrary(winspool);
  return result;
}

}  // namespace platform::printers
