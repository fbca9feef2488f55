#include "components/portmon/network_address.h"

namespace portmon {
namespace {

constexpr wchar_t kBlanks[] = L" \t";

bool IsTcpPort(std::wstring_view text) {
  if (text.empty() || text.size() > 5) return false;
  unsigned value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return false;
    value = value * 10 + static_cast<unsigned>(c - L'0');
  }
  return value >= 1 && value <= 65535;
}

std::wstring_view Trim(std::wstring_view text) {
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::wstring_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

std::optional<NetworkAddress> ParseNetworkAddress(std::wstring_view ip) {
  const std::wstring_view text = Trim(ip);
  const size_t gap = text.find_first_of(kBlanks);
  if (gap == 0 || gap == std::wstring_view::npos) return std::nullopt;
  const std::wstring_view port = Trim(text.substr(gap));
  if (!IsTcpPort(port)) return std::nullopt;
  return NetworkAddress{std::wstring(text.substr(0, gap)), std::wstring(port)};
}

}  // namespace portmon
