#include "components/portmon/monitor.h"

#include <winspool.h>

#include "components/portmon/port_info.h"

namespace portmon {
namespace {

constexpr wchar_t kPortDescription[] = L"Tillvane printer port";

}  // namespace

DWORD Monitor::Create(const MONITORINIT& init, std::unique_ptr<Monitor>& monitor) {
  RegistryView view;
  UniqueRegistryKey ownedRoot;
  if (DWORD error = OpenRegistryView(init, view, ownedRoot)) return error;
  monitor.reset(new Monitor(view, std::move(ownedRoot)));
  return ERROR_SUCCESS;
}

Monitor::Monitor(const RegistryView& view, UniqueRegistryKey ownedRoot)
    : m_ownedRoot(std::move(ownedRoot)), m_view(view), m_ports(m_view) {}

DWORD Monitor::EnumPorts(DWORD level, BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) const {
  if (!needed || !returned) return ERROR_INVALID_PARAMETER;
  *needed = 0;
  *returned = 0;
  std::vector<PortRecord> ports;
  if (DWORD error = m_ports.List(ports)) return error;
  return PackPortInfo(level, ports, kPortDescription, buffer, size, *needed, *returned);
}

DWORD Monitor::AddPortEx(DWORD level, const BYTE* info, const wchar_t* monitorName) const {
  if (level != 1) return ERROR_INVALID_LEVEL;
  const auto* port = reinterpret_cast<const PORT_INFO_1W*>(info);
  if (!port || !port->pName || !monitorName) return ERROR_INVALID_PARAMETER;
  return m_ports.Add(port->pName, monitorName);
}

DWORD Monitor::DeletePort(const wchar_t* port) const {
  if (!port) return ERROR_INVALID_PARAMETER;
  return m_ports.Remove(port);
}

}  // namespace portmon
