// SetupAPI device information sets and device interfaces. Each wrapper returns what the wrapped
// call returns and can be made to fail by name (fault injection) with the last error set.
#pragma once

#include <windows.h>
#include <setupapi.h>

#include "platform/handle.h"

namespace platform::setup_api {

HDEVINFO SetupDiGetClassDevsW(const GUID* classGuid, const wchar_t* enumerator, HWND parent, DWORD flags);
BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, SP_DEVINFO_DATA* device, const GUID* interfaceClass, DWORD index,
                                 SP_DEVICE_INTERFACE_DATA* interfaceData);
BOOL SetupDiGetDeviceInterfaceDetailW(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* interfaceData,
                                      SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail, DWORD size, DWORD* requiredSize);
// Not injectable: a destroy made to fail would only leak the set.
BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set);

using platform::UniqueDeviceInfoList;

}  // namespace platform::setup_api
