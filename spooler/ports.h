// The printer ports: the serial and parallel ports offered in the port combo, the serial line
// settings of a COM port, whether a port exists, and the printer's own port made through the
// port monitor.
#pragma once

#include <cstddef>
#include <string>

#include "platform/target_windows.h"

namespace spooler {

// Where Windows keeps the serial settings of each COM port (one REG_SZ value per port name).
inline constexpr wchar_t kSerialPortsKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
// Room of a port combo entry: a spooler name of at most 7 characters with its colon (COM100:).
inline constexpr size_t kPortEntryCapacity = 7;
inline constexpr size_t kSerialSettingsCapacity = 255;  // characters of the whole value text

// The settings page's port combo, as far as the port list uses it.
class PortComboBox {
 public:
  virtual ~PortComboBox() = default;
  virtual void AddString(const wchar_t* item) = 0;
  virtual void SetCurSel(int index) = 0;
};

// Appends the local spooler's ports whose names begin with "COM", then those beginning with
// "LPT" (case-sensitive, each group in spooler order), each without its last character, and
// selects item 0. Names longer than kPortEntryCapacity are skipped, never cut. When the
// spooler does not report the size it needs, the combo is left untouched (nothing selected).
void FillLocalPortList(PortComboBox& combo);

// The serial settings controls of the settings page: two combo texts, two selection indexes.
struct SerialSettings {
  std::wstring BaudRate;      // at most 255 characters are used
  int ParityIndex = -1;       // 0 even, 1 odd, anything else none
  std::wstring DataBits;      // at most 63 characters are used
  std::wstring StopBits;      // at most 63 characters are used
  int FlowControlIndex = -1;  // 0 Xon/Xoff, 1 hardware, anything else none
};

// "baud,parity,data bits,stop bits,flow", such as 115200,n,8,1,p; no flow control leaves the
// last field empty. Cut at kSerialSettingsCapacity characters.
std::wstring FormatSerialPortSettings(const SerialSettings& settings);

// Stores the settings as the value `portName` (with its colon, such as COM1:) under
// kSerialPortsKey of HKEY_LOCAL_MACHINE in the target's registry view. Failures are silent.
void WriteSerialPortSettings(const SerialSettings& settings, const wchar_t* portName,
                             const platform::TargetWindows& target);

// 1 when the local spooler knows a port named exactly `portName` (case-sensitive), else 0,
// also when the ports cannot be listed.
int PortExists(const wchar_t* portName);

// The printer's own port, created through the port monitor: "%s-Port:" with the printer name.
std::wstring FormatMonitorPortName(const wchar_t* printerName);

// Asks the monitor `monitorName` to create the port `portName` (AddPortExW, level 1). 1 on
// success. On failure 0 and the record "AddPortEx = <error> PortName=<port>", except when
// winspool.drv cannot be loaded (0 without a record).
int AddMonitorPort(const wchar_t* portName, const wchar_t* monitorName);

}  // namespace spooler
