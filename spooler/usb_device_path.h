// Slicing a USB printer's device path into its parts. Portable (no Win32), so that a fuzz
// target runs the installer's own code.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace spooler {

inline constexpr size_t kDevicePathPrefixLength = 8;  // \\?\usb#
inline constexpr size_t kUsbIdLength = 17;            // vid_XXXX&pid_YYYY
inline constexpr size_t kRegistryTextCapacity = 255;  // bytes of a name or value buffer, with the terminator

// The 17 characters after the 8-character prefix \\?\usb#: the USB id in the catalogue's
// vid&pid form. Shorter (or empty) when the path is.
std::wstring UsbIdOfDevicePath(std::wstring_view devicePath);

// The text between the "#" after the first vid&pid in the path and the next "#", such as sn1,
// cut at kRegistryTextCapacity; nothing when the path holds no vid&pid or no closing "#".
std::optional<std::string> DeviceInstanceOf(std::string_view path, std::string_view vidPid);

}  // namespace spooler
