// What GDI learns about the device at DrvEnablePDEV, computed from the characterization file and
// the job's DEVMODE.
#pragma once

#include <windows.h>
#include <winddi.h>

#include <string>

#include "components/driver/common/characterization.h"

namespace plotter {

// Pixel geometry of the selected form at the device resolution.
struct PageGeometry {
  SIZEL paper{};      // the whole sheet
  POINTL offset{};    // top-left corner of the printable area on the sheet
  SIZEL printable{};  // the surface the driver renders into
};

PageGeometry GeometryOf(const Characterization& device, const Form& form);

// Everything but the default palette, which only the graphics engine can create.
void DescribeDevice(const Characterization& device, const PageGeometry& page, GDIINFO& gdi, DEVINFO& info);

// What DrvEnablePDEV tells GDI about a printer, its palette aside.
struct DeviceSetup {
  PageGeometry page;
  GDIINFO gdi{};
  DEVINFO info{};
};

// Reads the characterization file and applies the job's DEVMODE (none: the driver default);
// false when the file is missing or malformed.
bool SetUpDevice(const std::wstring& dataFile, const wchar_t* deviceName, const DEVMODEW* job,
                 DeviceSetup& setup);

}  // namespace plotter
