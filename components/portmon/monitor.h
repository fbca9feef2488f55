// One loaded instance of the monitor: the handle InitializePrintMonitor2 gives the spooler.
#pragma once

#include <windows.h>

#include <memory>

#include "components/portmon/port_store.h"
#include "components/portmon/registry_view.h"

namespace portmon {

class Monitor {
 public:
  static DWORD Create(const MONITORINIT& init, std::unique_ptr<Monitor>& monitor);
  Monitor(const Monitor&) = delete;
  Monitor& operator=(const Monitor&) = delete;

  const PortStore& Ports() const { return m_ports; }
  DWORD EnumPorts(DWORD level, BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) const;
  // Level 1 only: a PORT_INFO_1W naming the port; the monitor name is the one it is registered under.
  DWORD AddPortEx(DWORD level, const BYTE* info, const wchar_t* monitorName) const;
  DWORD DeletePort(const wchar_t* port) const;

 private:
  Monitor(const RegistryView& view, UniqueRegistryKey ownedRoot);
  UniqueRegistryKey m_ownedRoot;
  RegistryView m_view;
  PortStore m_ports;
};

}  // namespace portmon
