// The checks behind the folder page's and the settings page's Next, as plain functions of the
// choices: the wizard and the unattended command line run the same ones, and none of them
// changes the machine (they may read it: the drive, the spooler's ports, present USB printers).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "spooler/ports.h"
#include "wizard/dialog_texts.h"
#include "wizard/installation_choices.h"

namespace wizard {

// The settings page's serial lists; parity and flow are picked by index (see SerialSettings).
inline constexpr const wchar_t* kBaudRates[] = {L"100",   L"300",   L"1200",   L"2400",   L"4800",
                                                L"9600",  L"19200", L"38400",  L"57600",  L"115200",
                                                L"230400", L"460800", L"921600"};
inline constexpr const wchar_t* kDataBits[] = {L"5", L"6", L"7", L"8"};
inline constexpr const wchar_t* kStopBits[] = {L"1", L"1.5", L"2"};
inline constexpr int kParityItemCount = 3;  // even, odd, none
inline constexpr int kFlowItemCount = 3;    // Xon/Xoff, hardware, none
// 115200, none, 8, 1, hardware: what the page selects first.
spooler::SerialSettings DefaultSerialSettings();

// "%ProgramFiles%\" and the configured folder name, at most 255 characters.
std::wstring DefaultInstallFolder();
// The folder with the printer's subfolder, as the installation lays the package down.
std::wstring InstallFolderFor(const std::wstring& chosenFolder, const std::wstring& printerName);

// The model the settings page selects first: a connected USB printer's, else the first of the
// catalogue (0 when the catalogue is empty).
int DefaultModelIndex(int modelCount);

// The spooler's COM and LPT ports as the port list shows them ("COM1", "LPT1").
std::vector<std::wstring> LocalPortItems();

// What the checks need to know of the package: its longest entry name as staging writes it, in
// bytes, for every entry lands below the install folder in a path of at most
// package::kMaxStagedPathBytes.
struct PackageRoom {
  size_t longestEntryBytes = 0;
};

// A folder the installation can create: absolute (a drive letter or \\server\share), no
// character Windows refuses in a name, its nearest existing part a folder, exact in the ANSI code
// page, and room below it for a one-character printer name and the package's longest entry.
std::optional<Check> CheckFolderChoice(const std::wstring& folder, const PackageRoom& room = {});

// A printer name the installation can use (see package::CheckPrinterName).
std::optional<Check> CheckPrinterNameChoice(const std::wstring& name);

// The settings page: a printer name, a port the page offers, a network address and TCP port of
// the right form, a present USB printer for the USB port.
// With the chosen folder (InstallRoot), the printer's subfolder must leave room for the package's
// longest entry.
std::optional<Check> CheckSettingsChoice(const InstallationChoices& choices, const PackageRoom& room = {});

// Dotted IPv4 (four numbers 0 to 255; a text of digits and dots must be one) or a host name
// (letters, digits, '-' and '.', at most 253 characters).
bool IsValidPrinterAddress(std::wstring_view address);
// A decimal number 1 to 65535.
bool IsValidTcpPort(std::wstring_view port);

// What the command line gives for the pages; what it leaves out keeps the page's default.
struct PresetChoices {
  std::optional<std::wstring> folder;
  std::optional<int> modelIndex;
  std::optional<std::wstring> printerName;
  std::optional<std::wstring> portItem;  // as the port list shows it
  std::optional<std::wstring> ipAddress;
  std::optional<std::wstring> tcpPort;
  std::optional<spooler::SerialSettings> serial;
  std::optional<bool> setDefaultPrinter;
};

// The choices the pages confirm when the user changes nothing but the presets: what a silent
// installation installs. The folder is the chosen one, without the printer's subfolder.
// `modelNames` are the catalogue's item texts (slot 1 first).
InstallationChoices ChoicesWithDefaults(const PresetChoices& preset, const std::vector<std::wstring>& modelNames);

// The choices in one line, for the run's log.
std::wstring DescribeChoices(const InstallationChoices& choices);

// The kind of a port list item: "USB", the network item (it names TCP), else a COM or LPT port.
PortKind PortKindOfItem(const std::wstring& item);

// Completes the choices once the settings page's checks passed: the port name as the run uses
// it, and for USB the model and its port as found among the present printers.
void SettleChosenPort(InstallationChoices& choices);

}  // namespace wizard
