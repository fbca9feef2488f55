// The job's DEVMODE as the document properties give it.
#pragma once

#include "components/driver/common/characterization.h"
#include "components/driver/ui/printer_interface.h"

namespace plotter {

// The driver default for the printer, with what the caller's DEVMODE asks for when DM_IN_BUFFER
// says to read it.
DEVMODEW DocumentDevMode(const Characterization& device, const DOCUMENTPROPERTYHEADER& header);

// Copies `devmode` out when DM_OUT_BUFFER asks for it; false when the buffer cannot hold it.
bool WriteDocumentDevMode(const DEVMODEW& devmode, const DOCUMENTPROPERTYHEADER& header);

// DrvDocumentPropertySheets without a user interface: the size of the DEVMODE when fMode is
// zero, else CPSUI_OK once pdmOut is written, or ERR_CPSUI_GETLASTERROR.
LONG DocumentPropertiesWithoutUi(const DOCUMENTPROPERTYHEADER& header);

}  // namespace plotter
