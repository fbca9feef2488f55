// A present USB printer as Windows (and Wine's SetupAPI) records it in the registry: the
// printer interface, its USB device and the printing child that names its spooler port.
#pragma once

#include <string>

namespace test {

class SimulatedUsbPrinter {
 public:
  // `vidPid` such as vid_1a2b&pid_0002; `port` such as USB001.
  SimulatedUsbPrinter(const std::wstring& vidPid, const std::wstring& serialNumber, const std::wstring& port);
  ~SimulatedUsbPrinter();
  SimulatedUsbPrinter(const SimulatedUsbPrinter&) = delete;
  SimulatedUsbPrinter& operator=(const SimulatedUsbPrinter&) = delete;

 private:
  std::wstring m_interfaceKey;
  std::wstring m_usbDeviceKey;
  std::wstring m_printingChildKey;
};

}  // namespace test
