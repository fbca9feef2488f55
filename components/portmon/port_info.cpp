#include "components/portmon/port_info.h"

#include <winspool.h>

#include <cstring>

namespace portmon {
namespace {

size_t RecordSize(DWORD level) { return level == 1 ? sizeof(PORT_INFO_1W) : sizeof(PORT_INFO_2W); }

size_t TextSize(const std::wstring& text) { return (text.size() + 1) * sizeof(wchar_t); }

size_t StringsSize(DWORD level, const PortRecord& port, const std::wstring& description) {
  const size_t name = TextSize(port.name);
  return level == 1 ? name : name + TextSize(port.monitor) + TextSize(description);
}

// Copies text with its NUL to the cursor and moves the cursor past it.
LPWSTR Place(BYTE*& cursor, const std::wstring& text) {
  auto* placed = reinterpret_cast<LPWSTR>(cursor);
  std::memcpy(cursor, text.c_str(), TextSize(text));
  cursor += TextSize(text);
  return placed;
}

void FillRecord(DWORD level, BYTE* record, const PortRecord& port, const std::wstring& description,
                BYTE*& strings) {
  if (level == 1) {
    reinterpret_cast<PORT_INFO_1W*>(record)->pName = Place(strings, port.name);
    return;
  }
  auto* info = reinterpret_cast<PORT_INFO_2W*>(record);
  info->pPortName = Place(strings, port.name);
  info->pMonitorName = Place(strings, port.monitor);
  info->pDescription = Place(strings, description);
  info->fPortType = PORT_TYPE_WRITE;
  info->Reserved = 0;
}

}  // namespace

DWORD PackPortInfo(DWORD level, const std::vector<PortRecord>& ports, const std::wstring& description,
                   BYTE* buffer, DWORD size, DWORD& needed, DWORD& returned) {
  returned = 0;
  if (level != 1 && level != 2) return ERROR_INVALID_LEVEL;
  size_t total = 0;
  for (const PortRecord& port : ports) total += RecordSize(level) + StringsSize(level, port, description);
  needed = static_cast<DWORD>(total);
  if (total == 0) return ERROR_SUCCESS;
  if (!buffer || size < total) return ERROR_INSUFFICIENT_BUFFER;
  BYTE* strings = buffer + RecordSize(level) * ports.size();
  for (size_t index = 0; index < ports.size(); ++index) {
    FillRecord(level, buffer + RecordSize(level) * index, ports[index], description, strings);
  }
  returned = static_cast<DWORD>(ports.size());
  return ERROR_SUCCESS;
}

}  // namespace portmon
