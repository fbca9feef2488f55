#include "platform/services.h"

#include <atomic>

#include "platform/fault_injection.h"

namespace platform::services {
namespace {

std::atomic<int> g_openHandles{0};

SC_HANDLE CountOpened(SC_HANDLE handle) {
  if (handle != nullptr) ++g_openHandles;
  return handle;
}

}  // namespace

SC_HANDLE OpenSCManagerW(DWORD access) {
  if (TakeInjectedFault("OpenSCManagerW")) return nullptr;
  return CountOpened(::OpenSCManagerW(nullptr, nullptr, access));
}

SC_HANDLE CreateServiceW(SC_HANDLE manager, const wchar_t* name, const wchar_t* displayName, DWORD access,
                         DWORD serviceType, DWORD startType, DWORD errorControl, const wchar_t* binaryPath,
                         const wchar_t* loadOrderGroup, DWORD* tagId, const wchar_t* dependencies,
                         const wchar_t* account, const wchar_t* password) {
  if (TakeInjectedFault("CreateServiceW")) return nullptr;
  return CountOpened(::CreateServiceW(manager, name, displayName, access, serviceType, startType, errorControl,
                                      binaryPath, loadOrderGroup, tagId, dependencies, account, password));
}

SC_HANDLE OpenServiceW(SC_HANDLE manager, const wchar_t* name, DWORD access) {
  if (TakeInjectedFault("OpenServiceW")) return nullptr;
  return CountOpened(::OpenServiceW(manager, name, access));
}

BOOL ChangeServiceConfig2W(SC_HANDLE service, DWORD infoLevel, void* info) {
  if (TakeInjectedFault("ChangeServiceConfig2W")) return FALSE;
  return ::ChangeServiceConfig2W(service, infoLevel, info);
}

BOOL StartServiceW(SC_HANDLE service, DWORD argumentCount, const wchar_t** arguments) {
  if (TakeInjectedFault("StartServiceW")) return FALSE;
  return ::StartServiceW(service, argumentCount, arguments);
}

BOOL ControlService(SC_HANDLE service, DWORD control, SERVICE_STATUS* status) {
  if (TakeInjectedFault("ControlService")) return FALSE;
  return ::ControlService(service, control, status);
}

BOOL QueryServiceStatusEx(SC_HANDLE service, SERVICE_STATUS_PROCESS* status) {
  if (TakeInjectedFault("QueryServiceStatusEx")) return FALSE;
  DWORD needed = 0;
  return ::QueryServiceStatusEx(service, SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(status), sizeof(*status),
                                &needed);
}

BOOL DeleteService(SC_HANDLE service) {
  if (TakeInjectedFault("DeleteService")) return FALSE;
  return ::DeleteService(service);
}

BOOL CloseServiceHandle(SC_HANDLE handle) {
  const BOOL closed = ::CloseServiceHandle(handle);
  if (closed) --g_openHandles;
  return closed;
}

int OpenHandleCount() { return g_openHandles; }

}  // namespace platform::services
