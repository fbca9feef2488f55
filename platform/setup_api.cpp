#include "platform/setup_api.h"

#include "platform/fault_injection.h"

namespace platform::setup_api {

HDEVINFO SetupDiGetClassDevsW(const GUID* classGuid, const wchar_t* enumerator, HWND parent, DWORD flags) {
  if (TakeInjectedFault("SetupDiGetClassDevsW")) return INVALID_HANDLE_VALUE;
  return ::SetupDiGetClassDevsW(classGuid, enumerator, parent, flags);
}

BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, SP_DEVINFO_DATA* device, const GUID* interfaceClass, DWORD index,
                                 SP_DEVICE_INTERFACE_DATA* interfaceData) {
  if (TakeInjectedFault("SetupDiEnumDeviceInterfaces")) return FALSE;
  return ::SetupDiEnumDeviceInterfaces(set, device, interfaceClass, index, interfaceData);
}

BOOL SetupDiGetDeviceInterfaceDetailW(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* interfaceData,
                                      SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail, DWORD size, DWORD* requiredSize) {
  if (TakeInjectedFault("SetupDiGetDeviceInterfaceDetailW")) return FALSE;
  return ::SetupDiGetDeviceInterfaceDetailW(set, interfaceData, detail, size, requiredSize, nullptr);
}

BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) { return ::SetupDiDestroyDeviceInfoList(set); }

}  // namespace platform::setup_api
