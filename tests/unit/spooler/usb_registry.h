// The registry entries by which Windows (and Wine's SetupAPI) knows a present USB printer: the
// printer interface, its USB device and the printing child that names its spooler port.
#pragma once

#include <windows.h>

#include <string>

namespace test {

inline constexpr wchar_t kInterfaceClassKey[] =
    L"SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
inline constexpr wchar_t kEnumUsbKey[] = L"SYSTEM\\CurrentControlSet\\Enum\\USB";
inline constexpr wchar_t kEnumUsbPrintKey[] = L"SYSTEM\\CurrentControlSet\\Enum\\USBPRINT";

// "\\?\usb#<usb id>#<instance>#{28d78fad-...}".
std::wstring DevicePath(const std::wstring& usbId, const std::wstring& instance);
// The interface's key, named after its device path.
std::wstring InterfaceKey(const std::wstring& devicePath);

// The entries of a device interface; `linked` 0 makes it not present. Wine 8 lists it only when
// its device has a "ClassGUID". The key is named after the path unless `keyName` is given (a key
// name has at most 255 characters); interfaces are listed in the order of their key names.
void AddInterface(const std::wstring& devicePath, const std::wstring& deviceInstance, DWORD linked = 1,
                  std::wstring keyName = {});
void AddUsbInterface(const std::wstring& usbId, const std::wstring& instance, DWORD linked = 1);
void AddUsbDevice(const std::wstring& usbId, const std::wstring& instance, const std::wstring& parentIdPrefix);
// A printing child <prefix>&<port>; a present one has its "Control" subkey.
void AddPrintingChild(const std::wstring& childName, bool present, const std::wstring& hardwareId = L"UnknownPrinter");
// All three for one printer.
void AddPresentPrinter(const std::wstring& usbId, const std::wstring& instance, const std::wstring& prefix,
                       const std::wstring& port);

}  // namespace test
