// Finding and reading a printer's characterization file.
#pragma once

#include <windows.h>

#include <string>

#include "components/driver/common/characterization.h"

namespace plotter {

// Far above any real file (260 bytes plus 56 per form); bounds what a broken file can cost.
inline constexpr DWORD kMaxCharacterizationFileSize = 1 << 20;

// The full path of the data file the spooler keeps for the printer's driver; empty when unknown.
std::wstring DataFileOfPrinter(HANDLE printer);

// Reads and parses the file; a missing, unreadable or oversized file gives kTooShort.
ParseResult LoadCharacterization(const std::wstring& path);

// The characterization file of the printer's driver.
ParseResult LoadPrinterCharacterization(HANDLE printer);

}  // namespace plotter
