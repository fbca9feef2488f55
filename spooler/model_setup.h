// The model setup of an installation: the characterization file of the chosen model, the
// driver name, driver and printer creation for the target Windows, and the default printer.
#pragma once

#include <string>

#include "spooler/printer_install.h"

namespace spooler {

// "<driver directory>\<configured printer name>GPC.pcd"; empty when the target's driver directory
// is unknown.
std::wstring CharacterizationFilePath(const wchar_t* configuredPrinterName, const platform::TargetWindows& target);

// Writes the model's characterization file; false when it cannot be created.
bool WriteCharacterizationFile(const std::wstring& path, const texts::ModelRecord& model);

// 1 when the printer was installed, else 0 (also, with nothing installed, when the driver
// directory is unavailable). With setDefaultPrinter the added printer becomes the default.
// `names` (see InstallDriverAndPrinter) also gets the driver's name: "<printer> Driver".
int InstallPrinterForModel(const PrinterRequest& request, bool setDefaultPrinter, PortChooser& ports,
                           texts::WizardConfigTable& names, const platform::TargetWindows& target);

}  // namespace spooler
