// DrvDeviceCapabilities answers, all taken from the characterization file.
#pragma once

#include <windows.h>

#include "components/driver/common/characterization.h"

namespace plotter {

// Element sizes of the string answers, in characters.
inline constexpr size_t kPaperNameLength = 64;

// Writes the answer to `output` when it is not null and returns its count or value, as
// DeviceCapabilities does; GDI_ERROR for capabilities the device does not report.
DWORD DeviceCapability(const Characterization& device, WORD capability, void* output);

}  // namespace plotter
