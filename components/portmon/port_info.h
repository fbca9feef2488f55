// The PORT_INFO_1W / PORT_INFO_2W block that EnumPorts returns.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "components/portmon/port_store.h"

namespace portmon {

// Lays the records first and their strings after them, as the spooler expects one block.
// ERROR_INSUFFICIENT_BUFFER (with `needed` set and nothing returned) when the buffer is short.
DWORD PackPortInfo(DWORD level, const std::vector<PortRecord>& ports, const std::wstring& description,
                   BYTE* buffer, DWORD size, DWORD& needed, DWORD& returned);

}  // namespace portmon
