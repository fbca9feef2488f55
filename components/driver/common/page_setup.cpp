#include "components/driver/common/page_setup.h"

#include <algorithm>
#include <cwchar>

namespace plotter {
namespace {

constexpr size_t kPaperSizeEnd = offsetof(DEVMODEW, dmPaperSize) + sizeof(short);
constexpr size_t kCopiesEnd = offsetof(DEVMODEW, dmCopies) + sizeof(short);
constexpr size_t kFormNameEnd = offsetof(DEVMODEW, dmFormName) + sizeof(WCHAR) * CCHFORMNAME;

bool Carries(const DEVMODEW& devmode, DWORD field, size_t fieldEnd) {
  return devmode.dmSize >= fieldEnd && (devmode.dmFields & field);
}

// DEVMODE paper lengths are tenths of a millimetre, the file's thousandths.
short TenthsOfMillimetre(int32_t thousandths) {
  return static_cast<short>(std::clamp<int32_t>(thousandths / 100, 1, SHRT_MAX));
}

void SelectForm(DEVMODEW& devmode, const Characterization& device, size_t index) {
  const Form& form = device.forms[index];
  devmode.dmPaperSize = PaperIdOfForm(index);
  devmode.dmPaperWidth = TenthsOfMillimetre(form.width);
  devmode.dmPaperLength = TenthsOfMillimetre(form.height);
  wcsncpy(devmode.dmFormName, WideFormName(form).c_str(), CCHFORMNAME - 1);
  devmode.dmFormName[CCHFORMNAME - 1] = L'\0';
}

size_t RequestedForm(const DEVMODEW& requested, const Characterization& device) {
  if (Carries(requested, DM_PAPERSIZE, kPaperSizeEnd)) {
    const size_t index = FormOfPaperId(device, requested.dmPaperSize);
    if (index < device.forms.size()) return index;
  }
  if (Carries(requested, DM_FORMNAME, kFormNameEnd)) {
    const std::wstring name(requested.dmFormName, wcsnlen(requested.dmFormName, CCHFORMNAME));
    return FormOfName(device, name);
  }
  return device.forms.size();
}

}  // namespace

short PaperIdOfForm(size_t index) { return static_cast<short>(kFirstPaperId + index); }

size_t FormOfPaperId(const Characterization& device, short paperId) {
  const long index = static_cast<long>(paperId) - kFirstPaperId;
  return index >= 0 && static_cast<size_t>(index) < device.forms.size() ? static_cast<size_t>(index)
                                                                        : device.forms.size();
}

size_t FormOfName(const Characterization& device, const std::wstring& name) {
  for (size_t i = 0; i < device.forms.size(); ++i) {
    if (WideFormName(device.forms[i]) == name) return i;
  }
  return device.forms.size();
}

std::wstring WideFormName(const Form& form) {
  const int length =
      MultiByteToWideChar(CP_ACP, 0, form.name.data(), static_cast<int>(form.name.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(std::max(length, 0)), L'\0');
  MultiByteToWideChar(CP_ACP, 0, form.name.data(), static_cast<int>(form.name.size()), wide.data(), length);
  return wide;
}

uint16_t MaxCopies(const Characterization& device) {
  return std::clamp<uint16_t>(device.maxCopies, 1, SHRT_MAX);
}

DEVMODEW DefaultDevMode(const Characterization& device, const wchar_t* printerName) {
  DEVMODEW devmode{};
  if (printerName) wcsncpy(devmode.dmDeviceName, printerName, CCHDEVICENAME - 1);
  devmode.dmSpecVersion = DM_SPECVERSION;
  devmode.dmDriverVersion = kDriverVersion;
  devmode.dmSize = sizeof(DEVMODEW);
  devmode.dmFields = kSupportedFields;
  devmode.dmOrientation = DMORIENT_PORTRAIT;
  devmode.dmCopies = 1;
  devmode.dmPrintQuality = static_cast<short>(device.dpiX);
  devmode.dmYResolution = static_cast<short>(device.dpiY);
  SelectForm(devmode, device, 0);
  return devmode;
}

void MergeDevMode(DEVMODEW& devmode, const DEVMODEW& requested, const Characterization& device) {
  if (requested.dmSize < kMinDevModeSize) return;
  if (const size_t form = RequestedForm(requested, device); form < device.forms.size()) {
    SelectForm(devmode, device, form);
  }
  if (Carries(requested, DM_COPIES, kCopiesEnd)) {
    devmode.dmCopies = static_cast<short>(std::clamp<int>(requested.dmCopies, 1, MaxCopies(device)));
  }
}

const Form& SelectedForm(const Characterization& device, const DEVMODEW& devmode) {
  const size_t index = FormOfPaperId(device, devmode.dmPaperSize);
  return device.forms[index < device.forms.size() ? index : 0];
}

}  // namespace plotter
