// The service control manager. Each wrapper returns what the wrapped call returns and can be
// made to fail by name (fault injection) with the last error set.
#pragma once

#include <windows.h>

#include "platform/handle.h"

namespace platform::services {

// The local machine's active service database.
SC_HANDLE OpenSCManagerW(DWORD access);
SC_HANDLE CreateServiceW(SC_HANDLE manager, const wchar_t* name, const wchar_t* displayName, DWORD access,
                         DWORD serviceType, DWORD startType, DWORD errorControl, const wchar_t* binaryPath,
                         const wchar_t* loadOrderGroup, DWORD* tagId, const wchar_t* dependencies,
                         const wchar_t* account, const wchar_t* password);
SC_HANDLE OpenServiceW(SC_HANDLE manager, const wchar_t* name, DWORD access);
BOOL ChangeServiceConfig2W(SC_HANDLE service, DWORD infoLevel, void* info);
BOOL StartServiceW(SC_HANDLE service, DWORD argumentCount, const wchar_t** arguments);
BOOL ControlService(SC_HANDLE service, DWORD control, SERVICE_STATUS* status);
BOOL QueryServiceStatusEx(SC_HANDLE service, SERVICE_STATUS_PROCESS* status);
BOOL DeleteService(SC_HANDLE service);
// Not injectable: a close made to fail would only leak the handle.
BOOL CloseServiceHandle(SC_HANDLE handle);

// Handles opened through these wrappers and not closed yet; lets tests check every path.
int OpenHandleCount();

// Closes through CloseServiceHandle above, so that OpenHandleCount sees it.
struct CountedServiceHandleTraits : NullIsInvalid<SC_HANDLE> {
  static void Close(SC_HANDLE handle) { services::CloseServiceHandle(handle); }
};
using UniqueServiceHandle = UniqueOwner<CountedServiceHandleTraits>;

}  // namespace platform::services
