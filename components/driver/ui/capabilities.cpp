#include "components/driver/ui/capabilities.h"

#include <algorithm>
#include <cwchar>

#include "components/driver/common/page_setup.h"

namespace plotter {
namespace {

// DEVMODE lengths: tenths of a millimetre, at most what a short holds.
LONG Tenths(int32_t thousandths) { return std::clamp<LONG>(thousandths / 100, 0, SHRT_MAX); }

DWORD Count(const Characterization& device) { return static_cast<DWORD>(device.forms.size()); }

DWORD PaperIds(const Characterization& device, WORD* out) {
  for (size_t i = 0; out && i < device.forms.size(); ++i) out[i] = static_cast<WORD>(PaperIdOfForm(i));
  return Count(device);
}

// Fixed slots of `kPaperNameLength` characters, NUL-padded.
DWORD PaperNames(const Characterization& device, WCHAR* out) {
  for (size_t i = 0; out && i < device.forms.size(); ++i) {
    WCHAR* slot = out + i * kPaperNameLength;
    std::fill_n(slot, kPaperNameLength, L'\0');
    const std::wstring name = WideFormName(device.forms[i]);
    std::copy_n(name.begin(), std::min(name.size(), kPaperNameLength - 1), slot);
  }
  return Count(device);
}

DWORD PaperSizes(const Characterization& device, POINT* out) {
  for (size_t i = 0; out && i < device.forms.size(); ++i) {
    out[i] = {Tenths(device.forms[i].width), Tenths(device.forms[i].height)};
  }
  return Count(device);
}

DWORD Resolutions(const Characterization& device, LONG* out) {
  if (out) {
    out[0] = device.dpiX;
    out[1] = device.dpiY;
  }
  return 1;
}

DWORD PackedExtent(LONG width, LONG length) { return MAKELONG(width, length); }

DWORD SmallestForm(const Characterization& device) {
  const auto byWidth = [](const Form& a, const Form& b) { return a.width < b.width; };
  const auto byHeight = [](const Form& a, const Form& b) { return a.height < b.height; };
  return PackedExtent(Tenths(std::min_element(device.forms.begin(), device.forms.end(), byWidth)->width),
                      Tenths(std::min_element(device.forms.begin(), device.forms.end(), byHeight)->height));
}

}  // namespace

DWORD DeviceCapability(const Characterization& device, WORD capability, void* output) {
  switch (capability) {
    case DC_FIELDS: return kSupportedFields;
    case DC_PAPERS: return PaperIds(device, static_cast<WORD*>(output));
    case DC_PAPERNAMES:
    case DC_MEDIAREADY: return PaperNames(device, static_cast<WCHAR*>(output));
    case DC_PAPERSIZE: return PaperSizes(device, static_cast<POINT*>(output));
    case DC_ENUMRESOLUTIONS: return Resolutions(device, static_cast<LONG*>(output));
    case DC_MINEXTENT: return SmallestForm(device);
    case DC_MAXEXTENT: return PackedExtent(Tenths(device.deviceWidth), Tenths(device.deviceHeight));
    case DC_COPIES: return MaxCopies(device);
    case DC_SIZE: return sizeof(DEVMODEW);
    case DC_EXTRA: return 0;
    case DC_VERSION: return DM_SPECVERSION;
    case DC_DRIVER: return kDriverVersion;
    case DC_TRUETYPE: return DCTT_BITMAP;
    case DC_BINS:
    case DC_BINNAMES:
    case DC_DUPLEX:
    case DC_ORIENTATION:
    case DC_COLORDEVICE:
    case DC_COLLATE:
    case DC_STAPLE:
    case DC_FILEDEPENDENCIES: return 0;
    default: return GDI_ERROR;
  }
}

}  // namespace plotter
