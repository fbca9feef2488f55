// The spooler objects of an installation: its printers, its own monitor port and its driver.
#pragma once

#include <string>

#include "components/uninstaller/installed_record.h"
#include "components/uninstaller/removal_report.h"

namespace uninstaller {

// Every local printer that uses the recorded driver, the numbered ones ("Demo80 (1)") of later
// installations included; no other printer can run without that driver.
void RemovePrinters(const std::wstring& driverName, RemovalReport& report);

// The port only when it is the printer's own monitor port ("<printer>-Port:") and no printer
// uses it any more; a port the installation merely chose (COM1:, LPT1:, ...) stays.
void RemoveOwnPort(const InstalledRecord& record, RemovalReport& report);

// The driver in every environment that has it, then its files that no other driver uses.
void RemoveDriver(const std::wstring& driverName, RemovalReport& report);

}  // namespace uninstaller
