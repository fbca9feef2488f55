// plotui.dll: the printer interface DLL. Answers capabilities and DEVMODE requests from the
// characterization file and adds one page to the printer's property sheets.
#include <windows.h>
#include <winspool.h>

#include <algorithm>

#include "components/driver/common/characterization_file.h"
#include "components/driver/common/page_setup.h"
#include "components/driver/common/printer_access.h"
#include "components/driver/ui/capabilities.h"
#include "components/driver/ui/devmode_convert.h"
#include "components/driver/ui/document_properties.h"
#include "components/driver/ui/printer_interface.h"
#include "components/driver/ui/property_pages.h"
#include "components/driver/ui/ui_text.h"
#include "components/langdll/driver_resources.h"

namespace {

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

LONG SheetFailure(DWORD error) {
  SetLastError(error);
  return ERR_CPSUI_GETLASTERROR;
}

BOOL WriteConverted(const DEVMODEW& in, DEVMODEW& out, LONG& bufferSize, WORD size, WORD version) {
  if (bufferSize < size) {
    bufferSize = size;
    return Fail(ERROR_INSUFFICIENT_BUFFER);
  }
  if (!plotter::ConvertPublicPart(in, out, size, version)) return Fail(ERROR_INVALID_PARAMETER);
  bufferSize = out.dmSize;
  return TRUE;
}

BOOL WriteDriverDefault(const wchar_t* printerName, DEVMODEW& out, LONG& bufferSize) {
  if (bufferSize < static_cast<LONG>(sizeof(DEVMODEW))) {
    bufferSize = sizeof(DEVMODEW);
    return Fail(ERROR_INSUFFICIENT_BUFFER);
  }
  const plotter::PrinterAccess printer(nullptr, printerName);
  const plotter::ParseResult parsed = plotter::LoadPrinterCharacterization(printer.Get());
  if (!parsed.ok()) return Fail(ERROR_INVALID_DATA);
  out = plotter::DefaultDevMode(parsed.data, printerName);
  bufferSize = sizeof(DEVMODEW);
  return TRUE;
}

// Writes the text and its needed length as DevQueryPrintEx's caller expects.
void ReportQueryError(DEVQUERYPRINT_INFO& query, const std::wstring& text) {
  query.cchNeeded = static_cast<DWORD>(text.size() + 1);
  if (!query.pszErrorStr || query.cchErrorStr == 0) return;
  const size_t copied = std::min<size_t>(text.size(), query.cchErrorStr - 1);
  text.copy(query.pszErrorStr, copied);
  query.pszErrorStr[copied] = L'\0';
}

}  // namespace

// Exported under their plain names: the build links with --kill-at.
#define DRIVER_EXPORT __declspec(dllexport)

extern "C" {

DRIVER_EXPORT DWORD WINAPI DrvDeviceCapabilities(HANDLE hPrinter, PWSTR pDeviceName, WORD iDevCap,
                                                 VOID* pvOutput, DEVMODEW*) {
  const plotter::PrinterAccess printer(hPrinter, pDeviceName);
  const plotter::ParseResult parsed = plotter::LoadPrinterCharacterization(printer.Get());
  if (!parsed.ok()) {
    SetLastError(ERROR_INVALID_DATA);
    return GDI_ERROR;
  }
  return plotter::DeviceCapability(parsed.data, iDevCap, pvOutput);
}

DRIVER_EXPORT BOOL WINAPI DrvConvertDevMode(LPWSTR pPrinterName, PDEVMODEW pdmIn, PDEVMODEW pdmOut,
                                            PLONG pcbNeeded, DWORD fMode) {
  if (!pcbNeeded || !pdmOut) return Fail(ERROR_INVALID_PARAMETER);
  switch (fMode) {
    case CDM_DRIVER_DEFAULT: return WriteDriverDefault(pPrinterName, *pdmOut, *pcbNeeded);
    case CDM_CONVERT:
      if (!pdmIn) return Fail(ERROR_INVALID_PARAMETER);
      return WriteConverted(*pdmIn, *pdmOut, *pcbNeeded, pdmOut->dmSize, pdmOut->dmSpecVersion);
    case CDM_CONVERT351:
      if (!pdmIn) return Fail(ERROR_INVALID_PARAMETER);
      return WriteConverted(*pdmIn, *pdmOut, *pcbNeeded, plotter::kDevModeSize351, plotter::kSpecVersion351);
    default: return Fail(ERROR_INVALID_PARAMETER);
  }
}

DRIVER_EXPORT LONG WINAPI DrvDocumentPropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam) {
  if (!pPSUIInfo) {
    if (!lParam) return SheetFailure(ERROR_INVALID_PARAMETER);
    return plotter::DocumentPropertiesWithoutUi(*reinterpret_cast<const DOCUMENTPROPERTYHEADER*>(lParam));
  }
  return plotter::HandleSheetEvent(*pPSUIInfo, lParam, plotter::SheetKind::kDocument);
}

DRIVER_EXPORT LONG WINAPI DrvDevicePropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam) {
  if (!pPSUIInfo) return SheetFailure(ERROR_INVALID_PARAMETER);
  return plotter::HandleSheetEvent(*pPSUIInfo, lParam, plotter::SheetKind::kDevice);
}

// A job can print when the driver can describe the device it goes to.
DRIVER_EXPORT BOOL WINAPI DevQueryPrintEx(PDEVQUERYPRINT_INFO pDQPInfo) {
  if (!pDQPInfo) return Fail(ERROR_INVALID_PARAMETER);
  if (plotter::LoadPrinterCharacterization(pDQPInfo->hPrinter).ok()) return TRUE;
  const plotter::ResourceModule strings(plotter::LanguageDllPath(pDQPInfo->hPrinter));
  ReportQueryError(*pDQPInfo, strings.String(IDS_NO_MODEL_DATA));
  return FALSE;
}

DRIVER_EXPORT BOOL WINAPI DrvPrinterEvent(LPWSTR, INT, DWORD, LPARAM) { return TRUE; }

}  // extern "C"
