#include "wizard/page_checks.h"

#include <algorithm>
#include <cwchar>

#include "package/entry_names.h"
#include "package/name_rules.h"
#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/link_safe_files.h"
#include "platform/shell.h"
#include "spooler/usb_discovery.h"
#include "texts/model_catalogue.h"
#include "texts/utf16_text.h"
#include "texts/wizard_config.h"

namespace wizard {
namespace {

constexpr DWORD kDefaultFolderCapacity = 256;  // 255 characters and the terminator
constexpr size_t kHostNameCapacity = 253;
constexpr std::wstring_view kForbiddenInFolder = L"<>\"|?*";

bool IsAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Collects the port list's items instead of filling a combo.
class PortItemList : public spooler::PortComboBox {
 public:
  void AddString(const wchar_t* item) override { items.emplace_back(item); }
  void SetCurSel(int) override {}
  std::vector<std::wstring> items;
};

// The length of "X:\" or "\\server\share\" at the path's start; 0 when it has neither.
size_t RootLength(const std::wstring& path) {
  if (path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == L':' && path[2] == L'\\') return 3;
  if (path.size() < 5 || path.compare(0, 2, L"\\\\") != 0) return 0;
  const size_t server = path.find(L'\\', 2);
  if (server == std::wstring::npos || server == 2) return 0;
  const size_t share = path.find(L'\\', server + 1);
  if (share == server + 1) return 0;
  return share == std::wstring::npos ? path.size() : share + 1;
}

bool HasForbiddenFolderCharacter(std::wstring_view rest) {
  return std::any_of(rest.begin(), rest.end(), [](wchar_t c) {
    return c < 0x20 || c == L':' || c == L'/' || kForbiddenInFolder.find(c) != std::wstring_view::npos;
  });
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = platform::files::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Walks up from the folder to the first part that exists: it must be a folder (the drive's
// root, the share, or a folder below them), not a file and not nothing.
bool NearestExistingPartIsFolder(std::wstring path, size_t rootLength) {
  while (path.size() > rootLength) {
    const DWORD attributes = platform::files::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const size_t separator = path.find_last_of(L'\\');
    if (separator == std::wstring::npos || separator < rootLength) break;
    path.resize(std::max(separator, rootLength));
  }
  return IsFolder(path.substr(0, rootLength));
}

bool IsDottedNumbers(std::wstring_view address) {
  return std::all_of(address.begin(), address.end(), [](wchar_t c) { return IsDigit(c) || c == L'.'; });
}

bool IsValidIpv4(std::wstring_view address) {
  int parts = 0;
  size_t start = 0;
  while (start <= address.size()) {
    const size_t dot = std::min(address.find(L'.', start), address.size());
    const std::wstring_view part = address.substr(start, dot - start);
    if (part.empty() || part.size() > 3 || std::wcstol(std::wstring(part).c_str(), nullptr, 10) > 255) return false;
    ++parts;
    start = dot + 1;
  }
  return parts == 4;
}

bool IsValidHostName(std::wstring_view name) {
  if (name.empty() || name.size() > kHostNameCapacity) return false;
  return std::all_of(name.begin(), name.end(),
                     [](wchar_t c) { return IsAsciiLetter(c) || IsDigit(c) || c == L'-' || c == L'.'; });
}

bool IsListedLocalPort(const std::wstring& item) {
  const std::vector<std::wstring> ports = LocalPortItems();
  return std::find(ports.begin(), ports.end(), item) != ports.end();
}

std::optional<Check> CheckPortChoice(const InstallationChoices& choices) {
  switch (choices.Port) {
    case PortKind::Usb: {
      spooler::UsbInterfaceList interfaces;
      if (spooler::EnumUsbPrinterInterfaces(interfaces) == 0) return Check::NoUsbPrinter;
      return std::nullopt;
    }
    case PortKind::Network:
      if (choices.PrinterIpAddress.empty()) return Check::IpEmpty;
      if (!IsValidPrinterAddress(choices.PrinterIpAddress)) return Check::IpInvalid;
      if (choices.PrinterTcpPort.empty()) return Check::TcpPortEmpty;
      if (!IsValidTcpPort(choices.PrinterTcpPort)) return Check::TcpPortInvalid;
      return std::nullopt;
    case PortKind::Local:
      if (!IsListedLocalPort(choices.PortItem)) return Check::PortMissing;
      return std::nullopt;
  }
  return std::nullopt;
}

// Bytes of the text in the ANSI code page, which staging's paths use; nothing when it does not
// convert exactly.
std::optional<size_t> AnsiBytes(const std::wstring& text) {
  std::string ansi;
  if (!platform::WideToAnsiExactly(text, ansi)) return std::nullopt;
  return ansi.size();
}

bool LeavesRoomForEntries(size_t installFolderBytes, const PackageRoom& room) {
  return installFolderBytes + 1 + room.longestEntryBytes <= package::kMaxStagedPathBytes;
}

}  // namespace

spooler::SerialSettings DefaultSerialSettings() {
  spooler::SerialSettings settings;
  settings.BaudRate = kBaudRates[9];
  settings.ParityIndex = 2;
  settings.DataBits = kDataBits[3];
  settings.StopBits = kStopBits[0];
  settings.FlowControlIndex = 1;
  return settings;
}

std::wstring DefaultInstallFolder() {
  std::wstring folder = platform::shell::ExpandEnvironmentStringsW(L"%ProgramFiles%\\", kDefaultFolderCapacity);
  const texts::WizardConfigTable& config = texts::WizardConfig;
  const size_t nameLength = wcsnlen(config.FolderName, texts::kConfigValueCapacity);
  folder += nameLength > 0 ? std::wstring(config.FolderName, nameLength) : L"USB Printer";
  if (folder.size() >= kDefaultFolderCapacity) folder.resize(kDefaultFolderCapacity - 1);
  return folder;
}

std::wstring InstallFolderFor(const std::wstring& chosenFolder, const std::wstring& printerName) {
  std::wstring folder = chosenFolder;
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  return folder + printerName;
}

int DefaultModelIndex(int modelCount) {
  if (modelCount < 1) return 0;
  spooler::UsbInterfaceList interfaces;
  if (spooler::EnumUsbPrinterInterfaces(interfaces) > 0 && !interfaces.empty()) {
    const std::wstring usbId = spooler::UsbIdOfDevicePath(interfaces.front());
    if (const std::optional<int> slot = texts::FindModelByUsbId(texts::ModelTable, usbId.c_str())) return *slot;
  }
  return 1;
}

std::vector<std::wstring> LocalPortItems() {
  PortItemList list;
  spooler::FillLocalPortList(list);
  return list.items;
}

std::optional<Check> CheckFolderChoice(const std::wstring& folder, const PackageRoom& room) {
  if (folder.empty()) return Check::FolderEmpty;
  const size_t rootLength = RootLength(folder);
  if (rootLength == 0 || folder.size() >= kDefaultFolderCapacity) return Check::FolderInvalid;
  if (HasForbiddenFolderCharacter(std::wstring_view(folder).substr(rootLength))) return Check::FolderInvalid;
  if (!NearestExistingPartIsFolder(folder, rootLength)) return Check::FolderInvalid;
  if (platform::files::PathHasReparsePoint(folder)) return Check::FolderIsLink;
  const std::optional<size_t> bytes = AnsiBytes(InstallFolderFor(folder, L"x"));
  if (!bytes) return Check::NotInCodePage;
  if (!LeavesRoomForEntries(*bytes, room)) return Check::FolderTooLong;
  return std::nullopt;
}

std::optional<Check> CheckPrinterNameChoice(const std::wstring& name) {
  if (name.empty()) return Check::NoModel;
  if (package::CheckPrinterName(std::wstring_view(name))) return Check::PrinterNameInvalid;
  return std::nullopt;
}

std::optional<Check> CheckSettingsChoice(const InstallationChoices& choices, const PackageRoom& room) {
  if (std::optional<Check> refused = CheckPrinterNameChoice(choices.ChosenPrinterName)) return refused;
  if (!choices.InstallRoot.empty()) {
    const std::wstring installFolder = InstallFolderFor(choices.InstallRoot, choices.ChosenPrinterName);
    const std::optional<size_t> bytes = AnsiBytes(installFolder);
    if (!bytes) return Check::NotInCodePage;
    if (!LeavesRoomForEntries(*bytes, room)) return Check::PathTooLong;
    if (platform::files::PathHasReparsePoint(installFolder)) return Check::FolderIsLink;
  }
  return CheckPortChoice(choices);
}

bool IsValidPrinterAddress(std::wstring_view address) {
  if (!address.empty() && IsDottedNumbers(address)) return IsValidIpv4(address);
  return IsValidHostName(address);
}

bool IsValidTcpPort(std::wstring_view port) {
  if (port.empty() || port.size() > 5 || !std::all_of(port.begin(), port.end(), IsDigit)) return false;
  const long number = std::wcstol(std::wstring(port).c_str(), nullptr, 10);
  return number >= 1 && number <= 65535;
}

void SettleChosenPort(InstallationChoices& choices) {
  texts::CopyBounded(choices.PortName, choices.PortItem);
  choices.UseNetworkPort = choices.Port == PortKind::Network;
  if (choices.Port == PortKind::Local) texts::AppendBounded(choices.PortName, L":");
  if (choices.Port != PortKind::Usb) return;
  if (const std::optional<int> slot =
          texts::FindModelByNameAndPort(texts::ModelTable, choices.ChosenPrinterName.c_str(), choices.PortName,
                                        texts::kConfigValueCapacity, spooler::FindUsbPrinterPort)) {
    choices.SelectedModelIndex = *slot;
  }
}

PortKind PortKindOfItem(const std::wstring& item) {
  if (item == L"USB") return PortKind::Usb;
  if (item.find(L"TCP") != std::wstring::npos) return PortKind::Network;
  return PortKind::Local;
}

InstallationChoices ChoicesWithDefaults(const PresetChoices& preset, const std::vector<std::wstring>& modelNames) {
  InstallationChoices choices;
  const int modelCount = static_cast<int>(modelNames.size());
  choices.InstallRoot = preset.folder.value_or(DefaultInstallFolder());
  choices.SelectedModelIndex = preset.modelIndex.value_or(DefaultModelIndex(modelCount));
  const int slot = choices.SelectedModelIndex;
  const std::wstring modelName = slot >= 1 && slot <= modelCount ? modelNames[slot - 1] : L"";
  choices.ChosenPrinterName = preset.printerName.value_or(modelName);
  choices.PortItem = preset.portItem.value_or(L"USB");
  choices.Port = PortKindOfItem(choices.PortItem);
  choices.PrinterIpAddress = preset.ipAddress.value_or(L"");
  choices.PrinterTcpPort = preset.tcpPort.value_or(L"9100");
  choices.Serial = preset.serial.value_or(DefaultSerialSettings());
  choices.MakeDefaultPrinter = preset.setDefaultPrinter.value_or(true);
  return choices;
}

std::wstring DescribeChoices(const InstallationChoices& choices) {
  std::wstring text = L"folder=\"" + choices.InstallRoot + L"\" model=" + std::to_wstring(choices.SelectedModelIndex) +
                      L" name=\"" + choices.ChosenPrinterName + L"\" port=" + choices.PortItem;
  if (choices.Port == PortKind::Network) text += L" address=" + choices.PrinterIpAddress + L":" + choices.PrinterTcpPort;
  if (choices.Port == PortKind::Local && choices.PortItem.starts_with(L"COM")) {
    text += L" serial=" + spooler::FormatSerialPortSettings(choices.Serial);
  }
  return text + L" default=" + (choices.MakeDefaultPrinter ? L"yes" : L"no");
}

}  // namespace wizard
