// What ConfigurePortUI tells the user: which printers use the port and where their jobs go.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "components/portmon/printer_settings.h"

namespace portmon {

// "network printer at 10.0.0.5 9100" or "USB printer vid_1a2b&pid_0001".
std::wstring DescribeTarget(const PrinterSettings& settings);

// True when the printer's comma-separated port list names the port (case does not matter).
bool PortListNames(std::wstring_view portList, std::wstring_view port);

// One line per local printer on the port, after a heading line.
DWORD DescribePort(const wchar_t* port, std::wstring& text);

}  // namespace portmon
