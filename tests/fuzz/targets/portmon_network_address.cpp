// The port monitor's parser of a network printer's "IP" value ("10.0.0.5 9100"), which the
// installer writes from what the user typed. The input's bytes are UTF-16LE units.
#include <string>

#include "components/portmon/network_address.h"
#include "tests/fuzz/targets/fuzz_check.h"

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

bool AllBlanks(std::wstring_view text) {
  for (wchar_t c : text) {
    if (!IsBlank(c)) return false;
  }
  return true;
}

std::wstring ToWide(const uint8_t* data, size_t size) {
  std::wstring text;
  for (size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<wchar_t>(data[i] | data[i + 1] << 8));
  return text;
}

// What was taken is the whole value: blanks, the host, blanks, the port, blanks.
void CheckTaken(std::wstring_view value, const portmon::NetworkAddress& address) {
  fuzz::Require(!address.host.empty() && address.host.find_first_of(L" \t") == std::wstring::npos,
                "a host without blanks");
  fuzz::Require(!address.port.empty() && address.port.size() <= 5 &&
                    address.port.find_first_not_of(L"0123456789") == std::wstring::npos,
                "a decimal port");
  const unsigned long port = std::stoul(std::string(address.port.begin(), address.port.end()));
  fuzz::Require(port >= 1 && port <= 65535, "a TCP port");
  const size_t host = value.find(address.host);
  const size_t portAt = value.rfind(address.port);
  fuzz::Require(host != std::wstring_view::npos && portAt != std::wstring_view::npos &&
                    host + address.host.size() < portAt,
                "host and port taken from the value, in order");
  const std::wstring_view gap = value.substr(host + address.host.size(), portAt - host - address.host.size());
  fuzz::Require(AllBlanks(value.substr(0, host)) && AllBlanks(gap) && AllBlanks(value.substr(portAt + address.port.size())),
                "only blanks around and between them");
  const auto again = portmon::ParseNetworkAddress(address.host + L" " + address.port);
  fuzz::Require(again && again->host == address.host && again->port == address.port, "written back, read the same");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring value = ToWide(data, size);
  if (const auto address = portmon::ParseNetworkAddress(value)) CheckTaken(value, *address);
  return 0;
}
