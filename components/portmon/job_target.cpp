#include "components/portmon/job_target.h"

#include "components/portmon/tcp_target.h"
#include "components/portmon/usb_printer.h"

namespace portmon {
namespace {

DWORD OpenNetworkTarget(const std::wstring& ip, std::unique_ptr<JobTarget>& target) {
  const std::optional<NetworkAddress> address = ParseNetworkAddress(ip);
  if (!address) return ERROR_INVALID_DATA;
  return ConnectTcpTarget(*address, target);
}

DWORD OpenUsbPrinterTarget(const std::wstring& vidAndPid, std::unique_ptr<JobTarget>& target) {
  if (vidAndPid.empty()) return ERROR_INVALID_DATA;
  const std::optional<std::wstring> path = SelectDevicePath(ListPresentUsbPrinterPaths(), vidAndPid);
  if (!path) return ERROR_DEV_NOT_EXIST;
  return OpenUsbTarget(*path, target);
}

}  // namespace

DWORD OpenJobTarget(const PrinterSettings& settings, std::unique_ptr<JobTarget>& target) {
  if (settings.portType == kNetworkPortType) return OpenNetworkTarget(settings.ip, target);
  return OpenUsbPrinterTarget(settings.vidAndPid, target);
}

}  // namespace portmon
