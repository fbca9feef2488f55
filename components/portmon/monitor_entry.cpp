// The monitor DLL's one export and the MONITOR2 table the spooler calls through.
#include <windows.h>
#include <winspool.h>
#include <winsplp.h>

#include "components/portmon/entry_guard.h"
#include "components/portmon/monitor.h"
#include "components/portmon/port_session.h"
#include "components/portmon/xcv_session.h"

namespace portmon {
namespace {

const Monitor& AsMonitor(HANDLE monitor) { return *static_cast<const Monitor*>(monitor); }
PortSession& AsSession(HANDLE port) { return *static_cast<PortSession*>(port); }

BOOL WINAPI EnumPorts(HANDLE monitor, LPWSTR, DWORD level, LPBYTE ports, DWORD size, LPDWORD needed,
                      LPDWORD returned) {
  return Succeeds(ErrorOf([&] { return AsMonitor(monitor).EnumPorts(level, ports, size, needed, returned); }));
}

BOOL WINAPI AddPortEx(HANDLE monitor, LPWSTR, DWORD level, LPBYTE info, LPWSTR monitorName) {
  return Succeeds(ErrorOf([&] { return AsMonitor(monitor).AddPortEx(level, info, monitorName); }));
}

BOOL WINAPI DeletePort(HANDLE monitor, LPWSTR, HWND, LPWSTR port) {
  return Succeeds(ErrorOf([&] { return AsMonitor(monitor).DeletePort(port); }));
}

DWORD OpenPortSession(const Monitor& monitor, const wchar_t* port, HANDLE* handle) {
  if (!port || !handle) return ERROR_INVALID_PARAMETER;
  if (!monitor.Ports().Contains(port)) return ERROR_UNKNOWN_PORT;
  *handle = new PortSession();
  return ERROR_SUCCESS;
}

BOOL WINAPI OpenPort(HANDLE monitor, LPWSTR port, PHANDLE handle) {
  return Succeeds(ErrorOf([&] { return OpenPortSession(AsMonitor(monitor), port, handle); }));
}

BOOL WINAPI StartDocPort(HANDLE port, LPWSTR printerName, DWORD jobId, DWORD, LPBYTE) {
  return Succeeds(ErrorOf([&] { return AsSession(port).StartDoc(printerName, jobId); }));
}

BOOL WINAPI WritePort(HANDLE port, LPBYTE data, DWORD size, LPDWORD written) {
  return Succeeds(ErrorOf([&] { return AsSession(port).Write(data, size, written); }));
}

// Printers of this kind send nothing back.
BOOL WINAPI ReadPort(HANDLE, LPBYTE, DWORD, LPDWORD read) {
  if (read) *read = 0;
  return Succeeds(ERROR_NOT_SUPPORTED);
}

BOOL WINAPI EndDocPort(HANDLE port) {
  return Succeeds(ErrorOf([&] { return AsSession(port).EndDoc(); }));
}

BOOL WINAPI ClosePort(HANDLE port) {
  delete &AsSession(port);
  return Succeeds(ERROR_SUCCESS);
}

BOOL WINAPI XcvOpenPort(HANDLE monitor, LPCWSTR, ACCESS_MASK access, PHANDLE xcv) {
  return Succeeds(ErrorOf([&]() -> DWORD {
    if (!xcv) return ERROR_INVALID_PARAMETER;
    *xcv = new XcvSession(AsMonitor(monitor), access);
    return ERROR_SUCCESS;
  }));
}

DWORD WINAPI XcvDataPort(HANDLE xcv, LPCWSTR command, PBYTE input, DWORD inputSize, PBYTE output,
                         DWORD outputSize, PDWORD needed) {
  return ErrorOf([&]() -> DWORD {
    if (!command) return ERROR_INVALID_PARAMETER;
    return static_cast<const XcvSession*>(xcv)->Data(command, input, inputSize, output, outputSize, needed);
  });
}

BOOL WINAPI XcvClosePort(HANDLE xcv) {
  delete static_cast<XcvSession*>(xcv);
  return Succeeds(ERROR_SUCCESS);
}

void WINAPI Shutdown(HANDLE monitor) { delete static_cast<const Monitor*>(monitor); }

// AddPort and ConfigurePort belong to the user-interface DLL; the spooler asks it through "MonitorUI".
MONITOR2 MakeMonitorTable() {
  MONITOR2 table{};
  table.cbSize = sizeof(table);
  table.pfnEnumPorts = EnumPorts;
  table.pfnOpenPort = OpenPort;
  table.pfnStartDocPort = StartDocPort;
  table.pfnWritePort = WritePort;
  table.pfnReadPort = ReadPort;
  table.pfnEndDocPort = EndDocPort;
  table.pfnClosePort = ClosePort;
  table.pfnAddPortEx = AddPortEx;
  table.pfnDeletePort = DeletePort;
  table.pfnXcvOpenPort = XcvOpenPort;
  table.pfnXcvDataPort = XcvDataPort;
  table.pfnXcvClosePort = XcvClosePort;
  table.pfnShutdown = Shutdown;
  return table;
}

MONITOR2 g_monitorTable = MakeMonitorTable();

}  // namespace
}  // namespace portmon

extern "C" __declspec(dllexport) LPMONITOR2 WINAPI InitializePrintMonitor2(PMONITORINIT init, PHANDLE monitor) {
  using namespace portmon;
  std::unique_ptr<Monitor> created;
  const DWORD error = ErrorOf([&]() -> DWORD {
    if (!init || !monitor) return ERROR_INVALID_PARAMETER;
    return Monitor::Create(*init, created);
  });
  if (!Succeeds(error)) return nullptr;
  *monitor = created.release();
  return &g_monitorTable;
}
