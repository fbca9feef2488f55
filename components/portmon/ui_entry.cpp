// The user-interface DLL's one export and its MONITORUI table.
#include <windows.h>
#include <winspool.h>
#include <winsplp.h>

#include "components/portmon/entry_guard.h"
#include "components/portmon/port_description.h"
#include "components/portmon/xcv_client.h"

namespace portmon {
namespace {

// Ports are made by the installer (AddPortEx with the printer's name); there is nothing to ask.
BOOL WINAPI AddPortUI(PCWSTR, HWND, PCWSTR, PWSTR* portName) {
  if (portName) *portName = nullptr;
  return Succeeds(ERROR_NOT_SUPPORTED);
}

DWORD ShowPortSettings(HWND window, PCWSTR port) {
  std::wstring text;
  if (DWORD error = DescribePort(port, text)) return error;
  MessageBoxW(window, text.c_str(), L"Tillvane printer port", MB_OK | MB_ICONINFORMATION);
  return ERROR_SUCCESS;
}

BOOL WINAPI ConfigurePortUI(PCWSTR, HWND window, PCWSTR port) {
  return Succeeds(ErrorOf([&] { return ShowPortSettings(window, port); }));
}

BOOL WINAPI DeletePortUI(PCWSTR server, HWND, PCWSTR port) {
  return Succeeds(ErrorOf([&] { return DeletePortThroughXcv(server, port); }));
}

MONITORUI MakeUiTable() {
  MONITORUI table{};
  table.dwMonitorUISize = sizeof(table);
  table.pfnAddPortUI = AddPortUI;
  table.pfnConfigurePortUI = ConfigurePortUI;
  table.pfnDeletePortUI = DeletePortUI;
  return table;
}

MONITORUI g_uiTable = MakeUiTable();

}  // namespace
}  // namespace portmon

extern "C" __declspec(dllexport) PMONITORUI WINAPI InitializePrintMonitorUI() { return &portmon::g_uiTable; }
