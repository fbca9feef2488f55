// Driver and printer creation: driver files into the spooler's driver directory under the
// printer's name, the monitor pair, the port settled, the driver added, the printer added under
// a unique name with the data values the driver and the port monitor read.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/target_windows.h"
#include "platform/two_call.h"
#include "texts/model_table.h"
#include "texts/wizard_text_parser.h"

namespace spooler {

// Lets the user pick one of the spooler's ports (the port choice dialog).
class PortChooser {
 public:
  virtual ~PortChooser() = default;
  // `port` names the port that is missing; true with the chosen port's name in it, false when
  // the user cancelled.
  virtual bool ChoosePort(std::wstring& port) = 0;
};

// What the wizard collected for this printer.
struct PrinterRequest {
  std::wstring printerName;    // as entered on the settings page
  std::wstring installFolder;  // the chosen folder plus the printer subfolder
  bool usbPort = false;
  bool useMonitor = false;
  bool networkPort = false;
  std::wstring ipAddress;
  std::wstring tcpPort;
  std::wstring devicePath;  // nothing fills it yet: stored empty
  const texts::ModelRecord* model = nullptr;
};

// 1 when the printer was added (its name in addedPrinterName), 0 on any failure, a cancelled
// port choice or an unknown driver directory. `names` are the configured names of the wizard
// texts (a copy the caller owns): the port used ends up in its PortName; the driver is added
// under its DriverName. The target decides the files' builds, the driver's and the monitor's
// environment and where the monitor goes.
int InstallDriverAndPrinter(const PrinterRequest& request, PortChooser& ports, texts::WizardConfigTable& names,
                            const platform::TargetWindows& target, std::wstring& addedPrinterName);

// Level-2 records of the local printers and connections, owning their texts.
using PrinterSnapshot = platform::TwoCallList<PRINTER_INFO_2W>;
std::optional<PrinterSnapshot> EnumLocalPrinters();

// The candidate, or "candidate (n)" with the smallest n that no printer in the snapshot has.
std::wstring UniquePrinterName(const std::string& candidate);

}  // namespace spooler
