// The present USB printers (GUID_DEVINTERFACE_USBPRINT) and writing a job to one of them.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "components/portmon/job_target.h"

namespace portmon {

// Device paths of the present USB printer interfaces, in SetupAPI's order.
std::vector<std::wstring> ListPresentUsbPrinterPaths();

// The first path that contains the USB id ("vid_1a2b&pid_0001"), compared without regard to case.
std::optional<std::wstring> SelectDevicePath(const std::vector<std::wstring>& paths, std::wstring_view vidAndPid);

DWORD OpenUsbTarget(const std::wstring& devicePath, std::unique_ptr<JobTarget>& target);

}  // namespace portmon
