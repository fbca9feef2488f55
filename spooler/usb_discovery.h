// Present USB printers of the model catalogue and the spooler port (USB001, ...) of one model,
// found from the device interfaces and the device registry entries under Enum.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "spooler/usb_device_path.h"

namespace spooler {

// GUID_DEVINTERFACE_USBPRINT, the interface class of USB printers.
inline constexpr GUID kUsbPrintInterfaceClass = {
    0x28D78FAD, 0x5A12, 0x11D1, {0xAE, 0x5B, 0x00, 0x00, 0xF8, 0x03, 0xA8, 0xC2}};
inline constexpr size_t kUsbInterfaceListCapacity = 32;
inline constexpr size_t kDevicePathCapacity = 255;  // characters, without the terminator

// Device paths such as \\?\usb#vid_1a2b&pid_0001#sn1#{28d78fad-...}.
using UsbInterfaceList = std::vector<std::wstring>;

// Replaces `interfaces` with the device paths of the present USB printer interfaces, in
// enumeration order, whose USB id equals (without regard to case) the vid&pid of a model of
// ModelTable; the model walk stops at the first slot without a vid&pid. Returns their count.
// At most kUsbInterfaceListCapacity are listed, each cut at kDevicePathCapacity characters.
// An interface whose details cannot be read ends the walk.
int EnumUsbPrinterInterfaces(UsbInterfaceList& interfaces);

// Looks the model (`vidPid` and `hardwareId`, two ModelRecord fields) up among the present
// USB printers. Returns 1 when one of its devices has a printing child in the registry; when
// that child is present (it has a "Control" subkey) its port name is written to `portName`,
// else `portName` is left as it was. Logs "**** vid&pid=... subkey=..." for each device
// examined. Signature of texts::UsbPortLookup.
int FindUsbPrinterPort(wchar_t* portName, size_t portCapacity, const wchar_t* vidPid, const wchar_t* hardwareId);

}  // namespace spooler
