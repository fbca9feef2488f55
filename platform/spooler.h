// The print spooler. Each wrapper returns what the wrapped call returns and can be made to fail
// by name (fault injection) with the last error set.
#pragma once

#include <windows.h>
#include <winspool.h>

#include "platform/handle.h"
#include "platform/two_call.h"

namespace platform::spooler {

BOOL EnumPortsW(const wchar_t* server, DWORD level, BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned);

// Loads a module (here the spooler client "winspool.drv"); it stays loaded for the whole run.
HMODULE LoadLibraryW(const wchar_t* module);
// AddPortExW of `winspool`, resolved at run time. When the export cannot be resolved
// ("GetProcAddress") it fails like the call itself: FALSE with the resolution's last error.
BOOL AddPortExW(HMODULE winspool, const wchar_t* server, DWORD level, BYTE* portInfo, const wchar_t* monitor);

// Not injectable: a close made to fail would only leak the handle.
BOOL ClosePrinter(HANDLE printer);

using platform::UniquePrinter;

// Level-2 records of the local spooler's ports by the two-call pattern, the second call with
// `extraBytes` more than the first asked for.
using LocalPorts = TwoCallList<PORT_INFO_2W>;
LocalPorts EnumLocalPortsLevel2(DWORD extraBytes);

// Printers, drivers and ports being removed.
BOOL OpenPrinterW(const wchar_t* name, HANDLE* printer, DWORD access);
BOOL DeletePrinter(HANDLE printer);
BOOL EnumPrinterDriversW(const wchar_t* environment, DWORD level, BYTE* buffer, DWORD size, DWORD* needed,
                         DWORD* returned);
BOOL DeletePrinterDriverExW(const wchar_t* environment, const wchar_t* driver, DWORD deleteFlags,
                            DWORD versionFlag);
BOOL DeletePortW(const wchar_t* port);

}  // namespace platform::spooler
