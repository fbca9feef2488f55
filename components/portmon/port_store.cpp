#include "components/portmon/port_store.h"

namespace portmon {
namespace {

constexpr wchar_t kPortsKey[] = L"Ports";
constexpr wchar_t kMonitorValue[] = L"Monitor";
constexpr size_t kMaxKeyNameLength = 255;

}  // namespace

bool IsValidPortName(std::wstring_view name) {
  return !name.empty() && name.size() <= kMaxKeyNameLength && name.find_first_of(L"\\,") == std::wstring_view::npos;
}

DWORD PortStore::Add(const std::wstring& port, const std::wstring& monitor) const {
  if (!IsValidPortName(port)) return ERROR_INVALID_NAME;
  if (monitor.empty()) return ERROR_INVALID_PARAMETER;
  ViewKey ports;
  if (LONG error = CreateViewKey(m_view, m_view.root, kPortsKey, ports)) return error;
  ViewKey entry;
  DWORD disposition = 0;
  if (LONG error = CreateViewKey(m_view, ports.Get(), port.c_str(), entry, &disposition)) return error;
  if (disposition == REG_OPENED_EXISTING_KEY) return ERROR_ALREADY_EXISTS;
  const LONG error = SetViewText(m_view, entry.Get(), kMonitorValue, monitor);
  if (error != ERROR_SUCCESS) {
    entry.Close();
    DeleteViewKey(m_view, ports.Get(), port.c_str());  // no half-made port is left behind
  }
  return error;
}

DWORD PortStore::Remove(const std::wstring& port) const {
  // An empty name would delete the "Ports" key itself.
  if (!IsValidPortName(port)) return ERROR_UNKNOWN_PORT;
  ViewKey ports;
  LONG error = OpenViewKey(m_view, m_view.root, kPortsKey, ports);
  if (error == ERROR_SUCCESS) error = DeleteViewKey(m_view, ports.Get(), port.c_str());
  return error == ERROR_FILE_NOT_FOUND ? ERROR_UNKNOWN_PORT : error;
}

bool PortStore::Contains(const std::wstring& port) const {
  if (!IsValidPortName(port)) return false;
  ViewKey ports;
  ViewKey entry;
  return OpenViewKey(m_view, m_view.root, kPortsKey, ports) == ERROR_SUCCESS &&
         OpenViewKey(m_view, ports.Get(), port.c_str(), entry) == ERROR_SUCCESS;
}

DWORD PortStore::List(std::vector<PortRecord>& list) const {
  list.clear();
  ViewKey ports;
  LONG error = OpenViewKey(m_view, m_view.root, kPortsKey, ports);
  if (error == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;  // no port added yet
  if (error != ERROR_SUCCESS) return error;
  for (DWORD index = 0;; ++index) {
    wchar_t name[kMaxKeyNameLength + 1];
    DWORD length = kMaxKeyNameLength + 1;
    FILETIME written{};
    error = m_view.functions->fpEnumKey(ports.Get(), index, name, &length, &written, m_view.spooler);
    if (error == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
    if (error != ERROR_SUCCESS) return error;
    PortRecord record{std::wstring(name, length), {}};
    ViewKey entry;
    if (OpenViewKey(m_view, ports.Get(), name, entry) == ERROR_SUCCESS) {
      QueryViewText(m_view, entry.Get(), kMonitorValue, record.monitor);  // a missing name stays empty
    }
    list.push_back(std::move(record));
  }
}

}  // namespace portmon
