#include "components/driver/render/device_info.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "components/driver/common/characterization_file.h"
#include "components/driver/common/page_setup.h"

namespace plotter {
namespace {

constexpr int64_t kThousandthsPerInch = 25400;

LONG Pixels(int64_t thousandths_of_mm, int dpi) {
  return static_cast<LONG>(std::max<int64_t>(thousandths_of_mm, 0) * dpi / kThousandthsPerInch);
}

// The device's own unprintable edge or the form's margin, whichever is wider.
Margins EffectiveMargins(const Characterization& device, const Form& form) {
  const Margins& a = device.device_margins;
  const Margins& b = form.margins;
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

void CopyColorInfo(const Characterization& device, COLORINFO& color) {
  static_assert(sizeof(COLORINFO) == sizeof(device.color_info));
  std::memcpy(&color, device.color_info.data(), sizeof(COLORINFO));
}

}  // namespace

PageGeometry GeometryOf(const Characterization& device, const Form& form) {
  const Margins margins = EffectiveMargins(device, form);
  PageGeometry page;
  page.paper = {Pixels(form.width, device.dpi_x), Pixels(form.height, device.dpi_y)};
  page.offset = {Pixels(margins.left, device.dpi_x), Pixels(margins.top, device.dpi_y)};
  page.printable = {
      std::max<LONG>(1, Pixels(int64_t{form.width} - margins.left - margins.right, device.dpi_x)),
      std::max<LONG>(1, Pixels(int64_t{form.height} - margins.top - margins.bottom, device.dpi_y))};
  return page;
}

void DescribeDevice(const Characterization& device, const PageGeometry& page, GDIINFO& gdi, DEVINFO& info) {
  gdi = GDIINFO{};
  gdi.ulVersion = GDI_DRIVER_VERSION;
  gdi.ulTechnology = DT_RASPRINTER;
  gdi.ulHorzSize = static_cast<ULONG>(MulDiv(page.printable.cx, 254, device.dpi_x * 10));
  gdi.ulVertSize = static_cast<ULONG>(MulDiv(page.printable.cy, 254, device.dpi_y * 10));
  gdi.ulHorzRes = static_cast<ULONG>(page.printable.cx);
  gdi.ulVertRes = static_cast<ULONG>(page.printable.cy);
  gdi.cBitsPixel = 1;
  gdi.cPlanes = 1;
  gdi.ulNumColors = 2;
  gdi.ulLogPixelsX = device.dpi_x;
  gdi.ulLogPixelsY = device.dpi_y;
  gdi.ulAspectX = device.dpi_y;
  gdi.ulAspectY = device.dpi_x;
  gdi.ulAspectXY = static_cast<ULONG>(std::lround(std::hypot(device.dpi_x, device.dpi_y)));
  gdi.xStyleStep = 1;
  gdi.yStyleStep = 1;
  gdi.denStyleStep = std::max(1, device.dpi_x / 25);  // dashes of about a millimetre
  gdi.ptlPhysOffset = page.offset;
  gdi.szlPhysSize = page.paper;
  CopyColorInfo(device, gdi.ciDevice);
  gdi.ulDevicePelsDPI = device.dpi_x;
  gdi.ulPrimaryOrder = PRIMARY_ORDER_CBA;
  gdi.ulHTPatternSize = HT_PATSIZE_4x4_M;
  gdi.ulHTOutputFormat = HT_FORMAT_1BPP;
  gdi.flHTFlags = HT_FLAG_HAS_BLACK_DYE;

  info = DEVINFO{};
  info.flGraphicsCaps = GCAPS_HALFTONE | GCAPS_MONO_DITHER;
  info.iDitherFormat = BMF_1BPP;
}

bool SetUpDevice(const std::wstring& data_file, const wchar_t* device_name, const DEVMODEW* job,
                 DeviceSetup& setup) {
  const ParseResult parsed = LoadCharacterization(data_file);
  if (!parsed.ok()) return false;
  DEVMODEW devmode = DefaultDevMode(parsed.data, device_name);
  if (job) MergeDevMode(devmode, *job, parsed.data);
  setup.page = GeometryOf(parsed.data, SelectedForm(parsed.data, devmode));
  DescribeDevice(parsed.data, setup.page, setup.gdi, setup.info);
  return true;
}

}  // namespace plotter
