#include "spooler/ports.h"

#include <windows.h>
#include <winspool.h>

#include <cwchar>
#include <span>
#include <string_view>

#include "platform/code_page.h"
#include "platform/install_log.h"
#include "platform/registry.h"
#include "platform/spooler.h"

namespace spooler {
namespace {

// The port list asks for more room than reported in case ports appear between the two calls.
constexpr DWORD kPortListExtraBytes = 2048;
constexpr DWORD kPortExistsExtraBytes = 16;
constexpr size_t kBaudRateCapacity = 255;
constexpr size_t kBitsCapacity = 63;

std::wstring_view PortNameOf(const PORT_INFO_2W& port) {
  return port.pPortName == nullptr ? std::wstring_view() : std::wstring_view(port.pPortName);
}

void AppendPortsWithPrefix(PortComboBox& combo, std::span<const PORT_INFO_2W> ports, std::wstring_view prefix) {
  for (const PORT_INFO_2W& port : ports) {
    const std::wstring_view name = PortNameOf(port);
    if (!name.starts_with(prefix) || name.size() > kPortEntryCapacity) continue;
    // Drops the colon: COM1: is offered as COM1.
    const std::wstring entry(name.substr(0, name.size() - 1));
    combo.AddString(entry.c_str());
  }
}

const wchar_t* ParityLetter(int index) {
  if (index == 0) return L"e";
  if (index == 1) return L"o";
  return L"n";
}

const wchar_t* FlowControlLetter(int index) {
  if (index == 0) return L"x";
  if (index == 1) return L"p";
  return L"";
}

std::wstring_view Cut(std::wstring_view text, size_t capacity) { return text.substr(0, capacity); }

}  // namespace

void FillLocalPortList(PortComboBox& combo) {
  using platform::TwoCallOutcome;
  const platform::spooler::LocalPorts ports = platform::spooler::EnumLocalPortsLevel2(kPortListExtraBytes);
  // Only a reported size counts as a list, even an empty one: otherwise the combo stays as it is.
  if (ports.outcome != TwoCallOutcome::kRead && ports.outcome != TwoCallOutcome::kSecondCallFailed) return;
  AppendPortsWithPrefix(combo, ports.Records(), L"COM");
  AppendPortsWithPrefix(combo, ports.Records(), L"LPT");
  combo.SetCurSel(0);
}

std::wstring FormatSerialPortSettings(const SerialSettings& settings) {
  std::wstring text(Cut(settings.BaudRate, kBaudRateCapacity));
  text.append(L",").append(ParityLetter(settings.ParityIndex));
  text.append(L",").append(Cut(settings.DataBits, kBitsCapacity));
  text.append(L",").append(Cut(settings.StopBits, kBitsCapacity));
  text.append(L",").append(FlowControlLetter(settings.FlowControlIndex));
  return std::wstring(Cut(text, kSerialSettingsCapacity));
}

void WriteSerialPortSettings(const SerialSettings& settings, const wchar_t* portName,
                             const platform::TargetWindows& target) {
  namespace registry = platform::registry;
  const registry::UniqueKey ports =
      registry::CreateKey(HKEY_LOCAL_MACHINE, kSerialPortsKey, KEY_ALL_ACCESS | target.registryView);
  if (ports) registry::SetStringValue(ports.Get(), portName, FormatSerialPortSettings(settings));
}

int PortExists(const wchar_t* portName) {
  const platform::spooler::LocalPorts ports = platform::spooler::EnumLocalPortsLevel2(kPortExistsExtraBytes);
  for (const PORT_INFO_2W& port : ports.Records()) {
    if (PortNameOf(port) == portName) return 1;
  }
  return 0;
}

std::wstring FormatMonitorPortName(const wchar_t* printerName) { return std::wstring(printerName) + L"-Port:"; }

int AddMonitorPort(const wchar_t* portName, const wchar_t* monitorName) {
  const HMODULE winspool = platform::spooler::LoadLibraryW(L"winspool.drv");
  if (winspool == nullptr) return 0;
  std::wstring name(portName);
  PORT_INFO_1W port{name.data()};
  if (platform::spooler::AddPortExW(winspool, nullptr, 1, reinterpret_cast<BYTE*>(&port), monitorName)) return 1;
  const DWORD error = ::GetLastError();
  std::string ansiName;
  platform::WideToAnsi(name, ansiName);
  platform::WriteInstallLog("AddPortEx = %d PortName=%s\r\n", static_cast<int>(error), ansiName.c_str());
  return 0;
}

}  // namespace spooler
