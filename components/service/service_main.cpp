// MerrowPrinterService.exe: the printer service ("Quellon Service"). It answers the service
// manager and otherwise waits; see README.md.
#include <windows.h>

namespace {

constexpr wchar_t kServiceName[] = L"Quellon Service";
constexpr DWORD kExitNotStartedByManager = 1;

SERVICE_STATUS_HANDLE g_statusHandle = nullptr;
HANDLE g_stopEvent = nullptr;
// Reported from the service thread and the control handler alike, so nothing is shared.
void ReportState(DWORD state, DWORD exitCode = NO_ERROR) {
  SERVICE_STATUS status = {};
  status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
  status.dwCurrentState = state;
  status.dwWin32ExitCode = exitCode;
  // While starting or stopping it takes no requests.
  status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN : 0;
  status.dwWaitHint = state == SERVICE_RUNNING || state == SERVICE_STOPPED ? 0 : 3000;
  ::SetServiceStatus(g_statusHandle, &status);
}

DWORD WINAPI HandleControl(DWORD control, DWORD, void*, void*) {
  switch (control) {
    case SERVICE_CONTROL_STOP:
    case SERVICE_CONTROL_SHUTDOWN:
      ReportState(SERVICE_STOP_PENDING);
      ::SetEvent(g_stopEvent);
      return NO_ERROR;
    case SERVICE_CONTROL_INTERROGATE:
      return NO_ERROR;
    default:
      return ERROR_CALL_NOT_IMPLEMENTED;
  }
}

void WINAPI ServiceMain(DWORD, wchar_t**) {
  g_statusHandle = ::RegisterServiceCtrlHandlerExW(kServiceName, HandleControl, nullptr);
  if (g_statusHandle == nullptr) return;
  ReportState(SERVICE_START_PENDING);
  g_stopEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (g_stopEvent == nullptr) {
    ReportState(SERVICE_STOPPED, ::GetLastError());
    return;
  }
  ReportState(SERVICE_RUNNING);
  ::WaitForSingleObject(g_stopEvent, INFINITE);
  ::CloseHandle(g_stopEvent);
  ReportState(SERVICE_STOPPED);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, wchar_t*, int) {
  SERVICE_TABLE_ENTRYW table[] = {{const_cast<wchar_t*>(kServiceName), ServiceMain}, {nullptr, nullptr}};
  // Started by hand rather than by the service manager: nothing to do.
  return ::StartServiceCtrlDispatcherW(table) ? 0 : static_cast<int>(kExitNotStartedByManager);
}
