// Spooler drivers, printers and monitors. Each wrapper returns what the wrapped call returns
// and can be made to fail by name (fault injection) with the last error set.
#pragma once

#include <windows.h>
#include <winspool.h>

namespace platform::printers {

BOOL AddMonitorW(const wchar_t* server, DWORD level, BYTE* monitorInfo);
BOOL GetPrinterDriverDirectoryW(const wchar_t* server, const wchar_t* environment, DWORD level,
                                BYTE* directory, DWORD size, DWORD* needed);
BOOL AddPrinterDriverW(const wchar_t* server, DWORD level, BYTE* driverInfo);
BOOL EnumPrintersW(DWORD flags, wchar_t* name, DWORD level, BYTE* buffer, DWORD size, DWORD* needed,
                   DWORD* returned);
HANDLE AddPrinterW(const wchar_t* server, DWORD level, BYTE* printerInfo);
DWORD SetPrinterDataW(HANDLE printer, const wchar_t* name, DWORD type, const BYTE* data, DWORD size);
// SetDefaultPrinterA of winspool.drv, resolved at run time; FALSE when it cannot be resolved.
BOOL SetDefaultPrinterA(const char* printer);

}  // namespace platform::printers
