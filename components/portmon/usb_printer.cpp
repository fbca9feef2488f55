#include "components/portmon/usb_printer.h"

#include <setupapi.h>

#include "components/portmon/text.h"

namespace portmon {
namespace {

// GUID_DEVINTERFACE_USBPRINT, declared here rather than through initguid.
constexpr GUID kUsbPrintInterface = {0x28d78fad, 0x5a12, 0x11d1, {0xae, 0x5b, 0x00, 0x00, 0xf8, 0x03, 0xa8, 0xc2}};

std::optional<std::wstring> InterfacePath(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& interfaceData) {
  DWORD size = 0;
  SetupDiGetDeviceInterfaceDetailW(set, &interfaceData, nullptr, 0, &size, nullptr);
  if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return std::nullopt;
  std::vector<BYTE> buffer(size);
  auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
  if (!SetupDiGetDeviceInterfaceDetailW(set, &interfaceData, detail, size, nullptr, nullptr)) return std::nullopt;
  return std::wstring(detail->DevicePath);
}

class UsbTarget : public JobTarget {
 public:
  explicit UsbTarget(HANDLE device) : m_device(device) {}
  DWORD Write(const BYTE* data, DWORD size, DWORD& written) override {
    written = 0;
    return WriteFile(m_device.Get(), data, size, &written, nullptr) ? ERROR_SUCCESS : GetLastError();
  }
  DWORD Finish() override { return ERROR_SUCCESS; }

 private:
  platform::UniqueFileHandle m_device;
};

}  // namespace

std::vector<std::wstring> ListPresentUsbPrinterPaths() {
  const platform::UniqueDeviceInfoList set(SetupDiGetClassDevsW(&kUsbPrintInterface, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
  std::vector<std::wstring> paths;
  if (!set.IsValid()) return paths;
  SP_DEVICE_INTERFACE_DATA interfaceData{};
  interfaceData.cbSize = sizeof(interfaceData);
  for (DWORD index = 0; SetupDiEnumDeviceInterfaces(set.Get(), nullptr, &kUsbPrintInterface, index, &interfaceData);
       ++index) {
    if (std::optional<std::wstring> path = InterfacePath(set.Get(), interfaceData)) paths.push_back(*path);
  }
  return paths;
}

std::optional<std::wstring> SelectDevicePath(const std::vector<std::wstring>& paths, std::wstring_view vidAndPid) {
  if (vidAndPid.empty()) return std::nullopt;
  const std::wstring wanted = LowerAscii(vidAndPid);
  for (const std::wstring& path : paths) {
    if (LowerAscii(path).find(wanted) != std::wstring::npos) return path;
  }
  return std::nullopt;
}

DWORD OpenUsbTarget(const std::wstring& devicePath, std::unique_ptr<JobTarget>& target) {
  HANDLE device = CreateFileW(devicePath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (device == INVALID_HANDLE_VALUE) return GetLastError();
  target = std::make_unique<UsbTarget>(device);
  return ERROR_SUCCESS;
}

}  // namespace portmon
