#include "components/driver/ui/document_properties.h"

#include "components/driver/common/characterization_file.h"
#include "components/driver/common/page_setup.h"
#include "components/driver/common/printer_access.h"

namespace plotter {

DEVMODEW DocumentDevMode(const Characterization& device, const DOCUMENTPROPERTYHEADER& header) {
  DEVMODEW devmode = DefaultDevMode(device, header.pszPrinterName);
  if ((header.fMode & DM_IN_BUFFER) && header.pdmIn) MergeDevMode(devmode, *header.pdmIn, device);
  return devmode;
}

bool WriteDocumentDevMode(const DEVMODEW& devmode, const DOCUMENTPROPERTYHEADER& header) {
  if (!(header.fMode & DM_OUT_BUFFER)) return true;
  // Wine's spooler passes cbOut 0; its caller sized pdmOut by the fMode 0 answer, as
  // DocumentProperties requires.
  if (!header.pdmOut || (header.cbOut != 0 && header.cbOut < sizeof(DEVMODEW))) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return false;
  }
  *header.pdmOut = devmode;
  return true;
}

LONG DocumentPropertiesWithoutUi(const DOCUMENTPROPERTYHEADER& header) {
  if (header.fMode == 0 || !header.pdmOut) return sizeof(DEVMODEW);
  const PrinterAccess printer(header.hPrinter, header.pszPrinterName);
  const ParseResult parsed = LoadPrinterCharacterization(printer.Get());
  if (!parsed.ok()) {
    SetLastError(ERROR_INVALID_DATA);
    return ERR_CPSUI_GETLASTERROR;
  }
  return WriteDocumentDevMode(DocumentDevMode(parsed.data, header), header) ? CPSUI_OK
                                                                            : ERR_CPSUI_GETLASTERROR;
}

}  // namespace plotter
