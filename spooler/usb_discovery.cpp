#include "spooler/usb_discovery.h"

#include <setupapi.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <cwchar>
#include <optional>
#include <string>

#include "platform/code_page.h"
#include "platform/install_log.h"
#include "platform/registry.h"
#include "platform/setup_api.h"
#include "texts/model_catalogue.h"
#include "texts/utf16_text.h"

namespace spooler {
namespace {

namespace registry = platform::registry;
namespace setup_api = platform::setup_api;

// The sizes SetupAPI checks in the size fields differ by bitness (packing and a pointer).
static_assert(sizeof(void*) != 4 || sizeof(SP_DEVICE_INTERFACE_DATA) == 28);
static_assert(sizeof(void*) != 4 || sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W) == 6);
static_assert(sizeof(void*) != 8 || sizeof(SP_DEVICE_INTERFACE_DATA) == 32);
static_assert(sizeof(void*) != 8 || sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W) == 8);

constexpr size_t kAnsiTextLimit = 254;         // bytes of a converted text
constexpr REGSAM kReadAccess = KEY_READ | KEY_WOW64_64KEY;
constexpr char kEnumKey[] = "SYSTEM\\CurrentControlSet\\Enum\\";

// ---- Device interfaces

bool MatchesCatalogueModel(const std::wstring& usbId) {
  for (int slot = 1; slot < texts::kModelSlotCount; ++slot) {
    const wchar_t* vidPid = texts::ModelTable[slot].VidPid;
    if (vidPid[0] == L'\0') return false;
    if (_wcsicmp(vidPid, usbId.c_str()) == 0) return true;
  }
  return false;
}

std::optional<std::wstring> ReadDevicePath(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& interfaceData) {
  DWORD required = 0;
  // Only asks the size: its failure is expected.
  setup_api::SetupDiGetDeviceInterfaceDetailW(set, &interfaceData, nullptr, 0, &required);
  std::vector<BYTE> buffer(std::max<size_t>(required, sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)));
  auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
  const DWORD size = static_cast<DWORD>(buffer.size());
  if (!setup_api::SetupDiGetDeviceInterfaceDetailW(set, &interfaceData, detail, size, nullptr)) return std::nullopt;
  const size_t room = (buffer.size() - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath)) / sizeof(wchar_t);
  const size_t length = wcsnlen(detail->DevicePath, std::min(room, kDevicePathCapacity));
  return std::wstring(detail->DevicePath, length);
}

// ---- Registry walk

std::string ToAnsiCut(std::wstring_view text) {
  std::string ansi;
  platform::WideToAnsi(text, ansi);
  if (ansi.size() > kAnsiTextLimit) ansi.resize(kAnsiTextLimit);
  return ansi;
}

std::string AsciiLower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// Opens the key, or creates it when missing.
registry::UniqueKey OpenEnumKey(const std::string& path) {
  return registry::CreateKey(HKEY_LOCAL_MACHINE, (std::string(kEnumKey) + path).c_str(), kReadAccess);
}

std::optional<std::string> ReadParentIdPrefix(HKEY usbDevice) {
  char prefix[kRegistryTextCapacity + 1] = {};  // one more, so that the text always ends
  DWORD size = kRegistryTextCapacity;
  if (registry::RegQueryValueExA(usbDevice, "ParentIdPrefix", nullptr, reinterpret_cast<BYTE*>(prefix), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(prefix);
}

// ERROR_MORE_DATA counts as a name read (the name is then whatever the buffer holds).
std::optional<std::string> SubkeyName(HKEY key, DWORD index) {
  char name[kRegistryTextCapacity] = {};
  DWORD length = kRegistryTextCapacity;
  const LSTATUS status = registry::RegEnumKeyExA(key, index, name, &length);
  if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) return std::nullopt;
  return std::string(name, strnlen(name, kRegistryTextCapacity - 1));
}

// The system keeps "Control" under a printing child while the device is present and started.
bool IsPresentChild(const std::string& childPath) {
  const registry::UniqueKey child = OpenEnumKey(childPath);
  if (!child) return false;
  for (DWORD index = 0;; ++index) {
    const std::optional<std::string> name = SubkeyName(child.Get(), index);
    if (!name) return false;
    if (_stricmp(name->c_str(), "Control") == 0) return true;
  }
}

struct PortOutput {
  wchar_t* name;
  size_t capacity;
};

void WritePortName(const std::string& port, PortOutput output) {
  std::wstring wide;
  platform::AnsiToWide(port, wide);
  texts::CopyBounded(output.name, output.capacity, wide);
}

enum class PathOutcome { kNextPath, kFound, kGiveUp };

// Subkeys of USBPRINT\<hardware id> are named <ParentIdPrefix>&<port>, such as 7&1a2b3c4d&0&USB001.
PathOutcome FindPrintingChild(HKEY printers, const std::string& printersPath, const std::string& prefix,
                              PortOutput output) {
  std::string port;
  for (DWORD index = 0;; ++index) {
    const std::optional<std::string> name = SubkeyName(printers, index);
    if (!name) break;
    if (name->compare(0, prefix.size(), prefix) != 0) continue;
    port = name->size() > prefix.size() ? name->substr(prefix.size() + 1) : std::string();
    if (IsPresentChild(printersPath + "\\" + *name)) {
      WritePortName(port, output);
      return PathOutcome::kFound;
    }
  }
  // A stale child still counts as found; the port name is then left as it was.
  return port.empty() ? PathOutcome::kNextPath : PathOutcome::kFound;
}

PathOutcome LookUpDevicePath(const std::string& path, const std::string& vidPid, const std::string& hardwareId,
                             PortOutput output) {
  const std::optional<std::string> instance = DeviceInstanceOf(path, vidPid);
  if (!instance) return PathOutcome::kNextPath;
  platform::WriteInstallLog("**** vid&pid=%s subkey=%s\r\n", vidPid.c_str(), instance->c_str());
  const registry::UniqueKey usbDevice = OpenEnumKey("USB\\" + vidPid + "\\" + *instance);
  if (!usbDevice) return PathOutcome::kGiveUp;
  const std::optional<std::string> prefix = ReadParentIdPrefix(usbDevice.Get());
  if (!prefix) return PathOutcome::kNextPath;
  const std::string printersPath = "USBPRINT\\" + hardwareId;
  const registry::UniqueKey printers = OpenEnumKey(printersPath);
  if (!printers) return PathOutcome::kNextPath;
  return FindPrintingChild(printers.Get(), printersPath, *prefix, output);
}

}  // namespace

int EnumUsbPrinterInterfaces(UsbInterfaceList& interfaces) {
  interfaces.clear();
  const setup_api::UniqueDeviceInfoList set(setup_api::SetupDiGetClassDevsW(&kUsbPrintInterfaceClass, nullptr, nullptr,
                                                                            DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
  if (!set) return 0;
  for (DWORD index = 0; interfaces.size() < kUsbInterfaceListCapacity; ++index) {
    SP_DEVICE_INTERFACE_DATA interfaceData{};
    interfaceData.cbSize = sizeof interfaceData;
    if (!setup_api::SetupDiEnumDeviceInterfaces(set.Get(), nullptr, &kUsbPrintInterfaceClass, index, &interfaceData)) {
      break;
    }
    std::optional<std::wstring> path = ReadDevicePath(set.Get(), interfaceData);
    if (!path) break;
    if (MatchesCatalogueModel(UsbIdOfDevicePath(*path))) interfaces.push_back(std::move(*path));
  }
  return static_cast<int>(interfaces.size());
}

int FindUsbPrinterPort(wchar_t* portName, size_t portCapacity, const wchar_t* vidPid, const wchar_t* hardwareId) {
  const std::string lowerVidPid = AsciiLower(ToAnsiCut(vidPid));
  const std::string ansiHardwareId = ToAnsiCut(hardwareId);
  UsbInterfaceList interfaces;
  if (EnumUsbPrinterInterfaces(interfaces) == 0) return 0;
  for (const std::wstring& path : interfaces) {
    const PathOutcome outcome =
        LookUpDevicePath(ToAnsiCut(path), lowerVidPid, ansiHardwareId, PortOutput{portName, portCapacity});
    if (outcome == PathOutcome::kFound) return 1;
    if (outcome == PathOutcome::kGiveUp) return 0;
  }
  return 0;
}

}  // namespace spooler
