#include "tests/unit/spooler/usb_registry.h"

#include <algorithm>
#include <cwctype>

#include "tests/unit/spooler/test_registry.h"

namespace test {
namespace {

constexpr wchar_t kUsbDeviceClass[] = L"{36fc9e60-c465-11cf-8056-444553540000}";

std::wstring Upper(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towupper(c); });
  return text;
}

}  // namespace

std::wstring DevicePath(const std::wstring& usbId, const std::wstring& instance) {
  return L"\\\\?\\usb#" + usbId + L"#" + instance + L"#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
}

std::wstring InterfaceKey(const std::wstring& devicePath) {
  std::wstring keyName = Upper(devicePath);
  std::replace(keyName.begin(), keyName.end(), L'\\', L'#');
  return std::wstring(kInterfaceClassKey) + L"\\" + keyName;
}

void AddInterface(const std::wstring& devicePath, const std::wstring& deviceInstance, DWORD linked,
                  std::wstring keyName) {
  const std::wstring key =
      keyName.empty() ? InterfaceKey(devicePath) : std::wstring(kInterfaceClassKey) + L"\\" + keyName;
  SetMachineString(key, L"DeviceInstance", deviceInstance);
  SetMachineString(key + L"\\#", L"SymbolicLink", devicePath);
  SetMachineDword(key + L"\\#\\Control", L"Linked", linked);
  SetMachineString(L"SYSTEM\\CurrentControlSet\\Enum\\" + deviceInstance, L"ClassGUID", kUsbDeviceClass);
}

void AddUsbInterface(const std::wstring& usbId, const std::wstring& instance, DWORD linked) {
  AddInterface(DevicePath(usbId, instance), Upper(L"USB\\" + usbId + L"\\" + instance), linked);
}

void AddUsbDevice(const std::wstring& usbId, const std::wstring& instance, const std::wstring& parentIdPrefix) {
  SetMachineString(std::wstring(kEnumUsbKey) + L"\\" + usbId + L"\\" + instance, L"ParentIdPrefix", parentIdPrefix);
}

void AddPrintingChild(const std::wstring& childName, bool present, const std::wstring& hardwareId) {
  const std::wstring key = std::wstring(kEnumUsbPrintKey) + L"\\" + hardwareId + L"\\" + childName;
  CreateMachineKey(present ? key + L"\\Control" : key);
}

void AddPresentPrinter(const std::wstring& usbId, const std::wstring& instance, const std::wstring& prefix,
                       const std::wstring& port) {
  AddUsbInterface(usbId, instance);
  AddUsbDevice(usbId, instance, prefix);
  AddPrintingChild(prefix + L"&" + port, true);
}

}  // namespace test
