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

struct DestroyDeviceInfoList {
  void operator()(HDEVINFO set) const { setup_api::SetupDiDestroyDeviceInfoList(set); }
};

// A device information set; invalid is INVALID_HANDLE_VALUE, as SetupDiGetClassDevsW returns it.
class UniqueDeviceInfoList {
 public:
  UniqueDeviceInfoList() = default;
  explicit UniqueDeviceInfoList(HDEVINFO set) : m_set(set == INVALID_HANDLE_VALUE ? nullptr : set) {}
  HDEVINFO Get() const { return m_set.Get(); }
  bool IsValid() const { return m_set.IsValid(); }
  explicit operator bool() const { return IsValid(); }

 private:
  UniqueOwner<HDEVINFO, nullptr, DestroyDeviceInfoList> m_set;
};

}  // namespace platform::setup_api
