// The monitor's XcvData commands: "MonitorUI" (the UI DLL's file name) and "DeletePort".
#pragma once

#include <windows.h>

#include <string_view>

#include "components/portmon/monitor.h"

namespace portmon {

class XcvSession {
 public:
  XcvSession(const Monitor& monitor, ACCESS_MASK access) : m_monitor(monitor), m_access(access) {}
  // "DeletePort" takes the port name as input and needs SERVER_ACCESS_ADMINISTER;
  // an unknown command gives ERROR_INVALID_PARAMETER.
  DWORD Data(std::wstring_view command, const BYTE* input, DWORD inputSize, BYTE* output, DWORD outputSize,
             DWORD* needed) const;

 private:
  const Monitor& m_monitor;
  ACCESS_MASK m_access;
};

}  // namespace portmon
