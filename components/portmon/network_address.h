// The "IP" printer data value of a network printer: an address and a TCP port. Portable (no
// Win32), so that a fuzz target runs the monitor's own parser.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace portmon {

struct NetworkAddress {
  std::wstring host;
  std::wstring port;  // decimal, 1 to 65535
};

// "10.0.0.5 9100": an address, blanks, a TCP port; surrounding blanks are allowed.
std::optional<NetworkAddress> ParseNetworkAddress(std::wstring_view ip);

}  // namespace portmon
