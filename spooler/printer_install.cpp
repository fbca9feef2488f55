#include "spooler/printer_install.h"

#include <cstdio>

#include "package/install_log.h"
#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/printers.h"
#include "platform/spooler.h"
#include "spooler/monitor_install.h"
#include "spooler/ports.h"
#include "texts/utf16_text.h"

namespace spooler {
namespace {

constexpr DWORD kDriverDirectoryCapacity = 256;
constexpr size_t kMaxAnsiName = 259;
constexpr const char* kSupportFiles[] = {"CHISMPL.DLL", "CHITRAD.DLL", "ENGLISH.DLL", "Image.dll"};

// The 32-bit and 64-bit Windows variants differ only in these.
struct Platform {
  bool is64Bit;
  const wchar_t* environment;
  int (*registerMonitor)(const std::wstring& monitorDllPath, const wchar_t* monitorName);
};
constexpr Platform kPlatform32 = {false, kEnvironmentX86, AddPortMonitorX86};
constexpr Platform kPlatform64 = {true, kEnvironmentX64, AddPortMonitorX64};

// The 8-bit names the files are placed under.
struct DriverFiles {
  std::string printer;  // P
  std::string folder;   // the install folder
  std::string directory;
  std::string uiFile;
  std::string driverFile;
  std::string dataFile;
};

// The 8-bit form, or nothing when it passes 259 bytes: a cut folder would be another folder
// (whose files the steps below copy and delete) and a cut could split a double-byte character.
std::optional<std::string> ToAnsiWhole(const std::wstring& text, const char* what) {
  std::string ansi;
  platform::WideToAnsi(text, ansi);
  if (ansi.size() <= kMaxAnsiName) return ansi;
  package::WriteInstallLog("%s too long = %d\r\n", what, static_cast<int>(ansi.size()));
  return std::nullopt;
}

std::wstring ToWide(const std::string& text) {
  std::wstring wide;
  platform::AnsiToWide(text, wide);
  return wide;
}

std::optional<std::string> DriverDirectory() {
  char directory[kDriverDirectoryCapacity] = {};
  DWORD needed = 0;
  if (!platform::printers::GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(directory),
                                                      kDriverDirectoryCapacity, &needed)) {
    package::WriteInstallLog("GetPrinterDriverDirectory = %d\r\n", static_cast<int>(::GetLastError()));
    return std::nullopt;
  }
  directory[kDriverDirectoryCapacity - 1] = '\0';
  return std::string(directory);
}

std::string SourcePath(const DriverFiles& files, const char* name, const Platform& platform) {
  std::string path = files.folder + "\\" + name;
  if (platform.is64Bit) path += ".x64";
  return path;
}

void PlaceDriverFiles(const DriverFiles& files, const Platform& platform) {
  for (const char* name : kSupportFiles) {
    const std::string target = files.directory + "\\3\\" + name;
    platform::files::CopyFileA(SourcePath(files, name, platform).c_str(), target.c_str(), FALSE);
  }
  const std::pair<const char*, const std::string*> renamed[] = {{"plotui.dll", &files.uiFile},
                                                                {"plotter.dll", &files.driverFile}};
  for (const auto& [name, targetName] : renamed) {
    const std::string source = SourcePath(files, name, platform);
    platform::files::CopyFileA(source.c_str(), (files.directory + "\\" + *targetName).c_str(), FALSE);
    platform::files::DeleteFileA(source.c_str());
    // On 64-bit Windows the 32-bit build is of no use either.
    platform::files::DeleteFileA((files.folder + "\\" + name).c_str());
  }
}

// The port list, asked with the missing port; false when the user cancels it.
bool ChoosePortName(PortChooser& ports, texts::WizardConfigTable& names) {
  std::wstring chosen = names.PortName;
  if (!ports.ChoosePort(chosen)) return false;
  texts::CopyBounded(names.PortName, chosen);
  return true;
}

// The printer's own monitor port when asked for; the port list when the port is missing.
// Without a placed monitor (no system directory) its registration counts as failed.
bool SettlePort(const PrinterRequest& request, const std::optional<std::wstring>& monitorDllPath,
                const Platform& platform, PortChooser& ports, texts::WizardConfigTable& names) {
  if ((request.usbPort || request.networkPort) && request.useMonitor) {
    texts::CopyBounded(names.PortName, FormatMonitorPortName(request.printerName.c_str()));
    if (!PortExists(names.PortName)) {
      const bool made = monitorDllPath && platform.registerMonitor(*monitorDllPath, names.MonitorName) &&
                        AddMonitorPort(names.PortName, names.MonitorName);
      if (!made && !ChoosePortName(ports, names)) return false;
    }
  }
  return PortExists(names.PortName) || ChoosePortName(ports, names);
}

bool AddDriver(const DriverFiles& files, const Platform& platform, wchar_t* driverName) {
  std::wstring driverFile = ToWide(files.driverFile);
  std::wstring dataFile = ToWide(files.dataFile);
  std::wstring uiFile = ToWide(files.uiFile);
  DRIVER_INFO_2W driver = {};
  driver.cVersion = 2;
  driver.pName = driverName;
  driver.pEnvironment = const_cast<wchar_t*>(platform.environment);
  driver.pDriverPath = driverFile.data();
  driver.pDataFile = dataFile.data();
  driver.pConfigFile = uiFile.data();
  if (platform::printers::AddPrinterDriverW(nullptr, 2, reinterpret_cast<BYTE*>(&driver))) return true;
  package::WriteInstallLog("AddPrinterDriver = %d\r\n", static_cast<int>(::GetLastError()));
  return false;
}

void SetText(HANDLE printer, const wchar_t* name, const std::wstring& text) {
  platform::printers::SetPrinterDataW(printer, name, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                      static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void SetNumber(HANDLE printer, const wchar_t* name, DWORD value) {
  platform::printers::SetPrinterDataW(printer, name, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                      sizeof value);
}

std::wstring UserForm(const texts::ModelRecord& model) {
  wchar_t form[64] = {};
  std::swprintf(form, 64, L"%d %d %d %d", model.PaperWidth, model.PaperHeight, 0, 0);
  return form;
}

void WritePrinterData(HANDLE printer, const PrinterRequest& request, const texts::WizardConfigTable& names) {
  SetNumber(printer, L"SavingLog", 1);
  package::WriteInstallLog("*********** AddPrinter success\r\n");
  if (request.networkPort) SetText(printer, L"IP", request.ipAddress + L" " + request.tcpPort);
  SetNumber(printer, L"PortType", request.networkPort ? 1 : 0);
  SetText(printer, L"DevicePath", request.devicePath);
  SetText(printer, L"VidAndPid", request.model->VidPid);
  SetText(printer, L"UserForm", UserForm(*request.model));
  SetText(printer, L"Language", names.LanguageDll);
}

bool AddPrinter(const PrinterRequest& request, texts::WizardConfigTable& names, const std::wstring& printerName) {
  PRINTER_INFO_2W printer = {};
  std::wstring name = printerName;
  std::wstring share = printerName;
  std::wstring empty;
  std::wstring processor = L"WinPrint";
  std::wstring dataType = L"RAW";
  std::wstring parameters;
  printer.pPrinterName = name.data();
  printer.pShareName = share.data();
  printer.pPortName = names.PortName;
  printer.pDriverName = names.DriverName;
  printer.pSepFile = empty.data();
  printer.pPrintProcessor = processor.data();
  printer.pDatatype = dataType.data();
  printer.pParameters = parameters.data();
  printer.Attributes = PRINTER_ATTRIBUTE_DEFAULT;
  package::WriteInstallLog("*********** call AddPrinter\r\n");
  platform::spooler::UniquePrinter added(
      platform::printers::AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer)));
  if (!added) {
    package::WriteInstallLog("AddPrinter = %d\r\n", static_cast<int>(::GetLastError()));
    return false;
  }
  WritePrinterData(added.Get(), request, names);
  package::WriteInstallLog("AddPrinter hPrinter = %x\r\n", static_cast<unsigned>(reinterpret_cast<uintptr_t>(added.Get())));
  return true;
}

int InstallDriverAndPrinter(const PrinterRequest& request, PortChooser& ports, texts::WizardConfigTable& names,
                            std::wstring& addedPrinterName, const Platform& platform) {
  const std::optional<std::string> directory = DriverDirectory();
  if (!directory) return 0;
  const std::optional<std::string> printer = ToAnsiWhole(request.printerName, "Printer name");
  const std::optional<std::string> folder = ToAnsiWhole(request.installFolder, "Install folder");
  if (!printer || !folder) return 0;
  DriverFiles files;
  files.printer = *printer;
  files.folder = *folder;
  files.directory = *directory;
  files.uiFile = files.printer + "UI.dll";
  files.driverFile = files.printer + "Drv.dll";
  files.dataFile = files.printer + "GPC.pcd";
  PlaceDriverFiles(files, platform);
  const std::optional<std::wstring> monitorDllPath = PlaceMonitorFiles(files.folder, files.printer, platform.is64Bit);
  if (!SettlePort(request, monitorDllPath, platform, ports, names)) return 0;
  if (!AddDriver(files, platform, names.DriverName)) return 0;
  addedPrinterName = UniquePrinterName(files.printer);
  return AddPrinter(request, names, addedPrinterName) ? 1 : 0;
}

}  // namespace

int InstallDriverAndPrinter32(const PrinterRequest& request, PortChooser& ports, texts::WizardConfigTable& names,
                              std::wstring& addedPrinterName) {
  return InstallDriverAndPrinter(request, ports, names, addedPrinterName, kPlatform32);
}

int InstallDriverAndPrinter64(const PrinterRequest& request, PortChooser& ports, texts::WizardConfigTable& names,
                              std::wstring& addedPrinterName) {
  return InstallDriverAndPrinter(request, ports, names, addedPrinterName, kPlatform64);
}

std::optional<PrinterSnapshot> EnumLocalPrinters() {
  constexpr DWORD kFlags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  PrinterSnapshot snapshot =
      platform::ListByTwoCalls<PRINTER_INFO_2W>([](BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) {
        wchar_t emptyName[] = L"";
        return platform::printers::EnumPrintersW(kFlags, emptyName, 2, buffer, size, needed, returned);
      });
  if (!snapshot.Listed()) return std::nullopt;
  return snapshot;
}

std::wstring UniquePrinterName(const std::string& candidate) {
  const std::optional<PrinterSnapshot> snapshot = EnumLocalPrinters();
  std::wstring name = ToWide(candidate);
  if (!snapshot) return name;
  auto taken = [&](const std::wstring& wanted) {
    for (const PRINTER_INFO_2W& printer : snapshot->Records()) {
      if (printer.pPrinterName != nullptr && wanted == printer.pPrinterName) return true;
    }
    return false;
  };
  for (int n = 1; taken(name); ++n) name = ToWide(candidate + " (" + std::to_string(n) + ")");
  return name;
}

}  // namespace spooler
