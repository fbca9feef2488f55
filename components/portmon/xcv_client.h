// Deleting a port the way a user-interface DLL does: XcvData through the spooler to the port's monitor.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace portmon {

// "\\server\,XcvPort name", or ",XcvPort name" for the local machine.
std::wstring XcvPortObjectName(const wchar_t* server, std::wstring_view port);

DWORD DeletePortThroughXcv(const wchar_t* server, const wchar_t* port);

}  // namespace portmon
