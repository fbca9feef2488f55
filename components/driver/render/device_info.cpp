#include "components/driver/render/device_info.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "components/driver/common/characterization_file.h"
#include "components/driver/common/page_setup.h"

namespace plotter {
namespace {

constexpr int64_t kThousandthsPerInch = 25400;

LONG Pixels(int64_t thousandthsOfMm, int dpi) {
  return static_cast<LONG>(std::max<int64_t>(thousandthsOfMm, 0) * dpi / kThousandthsPerInch);
}

// The device's own unprintable edge or the form's margin, whichever is wider.
Margins EffectiveMargins(const Characterization& device, const Form& form) {
  const Margins& a = device.deviceMargins;
  const Margins& b = form.margins;
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

void CopyColorInfo(const Characterization& device, COLORINFO& color) {
  static_assert(sizeof(COLORINFO) == sizeof(device.colorInfo));
  std::memcpy(&color, device.colorInfo.data(), sizeof(COLORINFO));
}

}  // namespace

PageGeometry GeometryOf(const Characterization& device, const Form& form) {
  const Margins margins = EffectiveMargins(device, form);
  PageGeometry page;
  page.paper = {Pixels(form.width, device.dpiX), Pixels(form.height, device.dpiY)};
  page.offset = {Pixels(margins.left, device.dpiX), Pixels(margins.top, device.dpiY)};
  page.printable = {
      std::max<LONG>(1, Pixels(int64_t{form.width} - margins.left - margins.right, device.dpiX)),
      std::max<LONG>(1, Pixels(int64_t{form.height} - margins.top - margins.bottom, device.dpiY))};
  return page;
}

void DescribeDevice(const Characterization& device, const PageGeometry& page, GDIINFO& gdi, DEVINFO& info) {
  gdi = GDIINFO{};
  gdi.ulVersion = GDI_DRIVER_VERSION;
  gdi.ulTechnology = DT_RASPRINTER;
  gdi.ulHorzSize = static_cast<ULONG>(MulDiv(page.printable.cx, 254, device.dpiX * 10));
  gdi.ulVertSize = static_cast<ULONG>(MulDiv(page.printable.cy, 254, device.dpiY * 10));
  gdi.ulHorzRes = static_cast<ULONG>(page.printable.cx);
  gdi.ulVertRes = static_cast<ULONG>(page.printable.cy);
  gdi.cBitsPixel = 1;
  gdi.cPlanes = 1;
  gdi.ulNumColors = 2;
  gdi.ulLogPixelsX = device.dpiX;
  gdi.ulLogPixelsY = device.dpiY;
  gdi.ulAspectX = device.dpiY;
  gdi.ulAspectY = device.dpiX;
  gdi.ulAspectXY = static_cast<ULONG>(std::lround(std::hypot(device.dpiX, device.dpiY)));
  gdi.xStyleStep = 1;
  gdi.yStyleStep = 1;
  gdi.denStyleStep = std::max(1, device.dpiX / 25);  // dashes of about a millimetre
  gdi.ptlPhysOffset = page.offset;
  gdi.szlPhysSize = page.paper;
  CopyColorInfo(device, gdi.ciDevice);
  gdi.ulDevicePelsDPI = device.dpiX;
  gdi.ulPrimaryOrder = PRIMARY_ORDER_CBA;
  gdi.ulHTPatternSize = HT_PATSIZE_4x4_M;
  gdi.ulHTOutputFormat = HT_FORMAT_1BPP;
  gdi.flHTFlags = HT_FLAG_HAS_BLACK_DYE;

  info = DEVINFO{};
  info.flGraphicsCaps = GCAPS_HALFTONE | GCAPS_MONO_DITHER;
  info.iDitherFormat = BMF_1BPP;
}

bool SetUpDevice(const std::wstring& dataFile, const wchar_t* deviceName, const DEVMODEW* job,
                 DeviceSetup& setup) {
  const ParseResult parsed = LoadCharacterization(dataFile);
  if (!parsed.ok()) return false;
  DEVMODEW devmode = DefaultDevMode(parsed.data, deviceName);
  if (job) MergeDevMode(devmode, *job, parsed.data);
  setup.page = GeometryOf(parsed.data, SelectedForm(parsed.data, devmode));
  DescribeDevice(parsed.data, setup.page, setup.gdi, setup.info);
  return true;
}

}  // namespace plotter
