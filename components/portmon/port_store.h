// The monitor's ports, one registry key each below "Ports" of the monitor's registry root; the
// key's "Monitor" value keeps the monitor name the spooler gave when the port was added.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "components/portmon/registry_view.h"

namespace portmon {

struct PortRecord {
  std::wstring name;
  std::wstring monitor;
};

// A name that fits a registry key and a printer's comma-separated port list.
bool IsValidPortName(std::wstring_view name);

class PortStore {
 public:
  explicit PortStore(const RegistryView& view) : m_view(view) {}

  // ERROR_ALREADY_EXISTS when the port is there; ERROR_INVALID_NAME for a name IsValidPortName refuses.
  DWORD Add(const std::wstring& port, const std::wstring& monitor) const;
  // ERROR_UNKNOWN_PORT when there is no such port.
  DWORD Remove(const std::wstring& port) const;
  bool Contains(const std::wstring& port) const;
  DWORD List(std::vector<PortRecord>& ports) const;

 private:
  const RegistryView& m_view;
};

}  // namespace portmon
