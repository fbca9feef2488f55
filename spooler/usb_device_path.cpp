#include "spooler/usb_device_path.h"

#include <algorithm>

namespace spooler {

std::wstring UsbIdOfDevicePath(std::wstring_view devicePath) {
  if (devicePath.size() <= kDevicePathPrefixLength) return {};
  return std::wstring(devicePath.substr(kDevicePathPrefixLength, kUsbIdLength));
}

std::optional<std::string> DeviceInstanceOf(std::string_view path, std::string_view vidPid) {
  const size_t found = path.find(vidPid);
  if (found == std::string_view::npos) return std::nullopt;
  const size_t start = found + vidPid.size() + 1;
  if (start > path.size()) return std::nullopt;
  const size_t end = path.find('#', start);
  if (end == std::string_view::npos) return std::nullopt;
  return std::string(path.substr(start, std::min(end - start, kRegistryTextCapacity)));
}

}  // namespace spooler
