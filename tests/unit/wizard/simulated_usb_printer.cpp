#include "tests/unit/wizard/simulated_usb_printer.h"

#include "tests/unit/spooler/test_registry.h"
#include "tests/unit/spooler/usb_registry.h"

namespace test {
namespace {

constexpr wchar_t kParentIdPrefix[] = L"7&1a2b3c4d&0";
constexpr wchar_t kHardwareId[] = L"UnknownPrinter";

}  // namespace

SimulatedUsbPrinter::SimulatedUsbPrinter(const std::wstring& vidPid, const std::wstring& serialNumber,
                                         const std::wstring& port)
    : m_interfaceKey(InterfaceKey(DevicePath(vidPid, serialNumber))),
      m_usbDeviceKey(std::wstring(kEnumUsbKey) + L"\\" + vidPid),
      m_printingChildKey(std::wstring(kEnumUsbPrintKey) + L"\\" + kHardwareId + L"\\" + kParentIdPrefix + L"&" + port) {
  AddPresentPrinter(vidPid, serialNumber, kParentIdPrefix, port);
}

SimulatedUsbPrinter::~SimulatedUsbPrinter() {
  DeleteMachineTree(m_interfaceKey);
  DeleteMachineTree(m_usbDeviceKey);
  DeleteMachineTree(m_printingChildKey);
}

}  // namespace test
