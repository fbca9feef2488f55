#include "tests/unit/wizard/simulated_usb_printer.h"

#include <algorithm>
#include <cwctype>

#include "tests/unit/spooler/test_registry.h"

namespace test {
namespace {

constexpr wchar_t kUsbPrintClass[] = L"{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
constexpr wchar_t kUsbDeviceClass[] = L"{36fc9e60-c465-11cf-8056-444553540000}";
constexpr wchar_t kEnumKey[] = L"SYSTEM\\CurrentControlSet\\Enum\\";
constexpr wchar_t kParentIdPrefix[] = L"7&1a2b3c4d&0";
constexpr wchar_t kHardwareId[] = L"UnknownPrinter";

std::wstring Upper(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towupper(c); });
  return text;
}

}  // namespace

SimulatedUsbPrinter::SimulatedUsbPrinter(const std::wstring& vidPid, const std::wstring& serialNumber,
                                         const std::wstring& port)
    : m_usbDeviceKey(kEnumKey + std::wstring(L"USB\\") + vidPid),
      m_printingChildKey(kEnumKey + std::wstring(L"USBPRINT\\") + kHardwareId + L"\\" + kParentIdPrefix + L"&" + port) {
  const std::wstring devicePath = L"\\\\?\\usb#" + vidPid + L"#" + serialNumber + L"#" + kUsbPrintClass;
  std::wstring keyName = Upper(devicePath);
  std::replace(keyName.begin(), keyName.end(), L'\\', L'#');
  m_interfaceKey =
      L"SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\" + std::wstring(kUsbPrintClass) + L"\\" + keyName;
  const std::wstring deviceInstance = Upper(L"USB\\" + vidPid + L"\\" + serialNumber);

  SetMachineString(m_interfaceKey, L"DeviceInstance", deviceInstance);
  SetMachineString(m_interfaceKey + L"\\#", L"SymbolicLink", devicePath);
  SetMachineDword(m_interfaceKey + L"\\#\\Control", L"Linked", 1);
  // Wine's SetupAPI lists an interface only when its device has a class.
  SetMachineString(kEnumKey + deviceInstance, L"ClassGUID", kUsbDeviceClass);
  SetMachineString(m_usbDeviceKey + L"\\" + serialNumber, L"ParentIdPrefix", kParentIdPrefix);
  CreateMachineKey(m_printingChildKey + L"\\Control");
}

SimulatedUsbPrinter::~SimulatedUsbPrinter() {
  DeleteMachineTree(m_interfaceKey);
  DeleteMachineTree(m_usbDeviceKey);
  DeleteMachineTree(m_printingChildKey);
}

}  // namespace test
