#include "spooler/printer_install.h"

#include <cstdio>

#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/install_log.h"
#include "platform/printers.h"
#include "platform/spooler.h"
#include "spooler/monitor_install.h"
#include "spooler/ports.h"
#include "texts/utf16_text.h"

namespace spooler {
namespace {

constexpr size_t kMaxAnsiName = 259;
constexpr const char* kSupportFiles[] = {"CHISMPL.DLL", "CHITRAD.DLL", "ENGLISH.DLL", "Image.dll"};

// The 8-bit names the files are placed under.
struct DriverFiles {
  std::string printer;    // the printer name as entered
  std::string folder;     // the install folder
  std::string directory;  // the spooler's driver directory
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
  platform::WriteInstallLog("%s too long = %d\r\n", what, static_cast<int>(ansi.size()));
  return std::nullopt;
}

std::wstring ToWide(const std::string& text) {
  std::wstring wide;
  platform::AnsiToWide(text, wide);
  return wide;
}

std::string SourcePath(const DriverFiles& files, const char* name, const platform::TargetWindows& target) {
  return target.BuildOf(files.folder + "\\" + name);
}

void PlaceDriverFiles(const DriverFiles& files, const platform::TargetWindows& target) {
  for (const char* name : kSupportFiles) {
    const std::string placed = files.directory + "\\3\\" + name;
    platform::files::CopyFileA(SourcePath(files, name, target).c_str(), placed.c_str(), FALSE);
  }
  const std::pair<const char*, const std::string*> renamed[] = {{"plotui.dll", &files.uiFile},
                                                                {"plotter.dll", &files.driverFile}};
  for (const auto& [name, targetName] : renamed) {
    const std::string source = SourcePath(files, name, target);
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
                const platform::TargetWindows& target, PortChooser& ports, texts::WizardConfigTable& names) {
  if ((request.usbPort || request.networkPort) && request.useMonitor) {
    texts::CopyBounded(names.PortName, FormatMonitorPortName(request.printerName.c_str()));
    if (!PortExists(names.PortName)) {
      const bool made = monitorDllPath && AddPortMonitor(*monitorDllPath, names.MonitorName, target) &&
                        AddMonitorPort(names.PortName, names.MonitorName);
      if (!made && !ChoosePortName(ports, names)) return false;
    }
  }
  return PortExists(names.PortName) || ChoosePortName(ports, names);
}

bool AddDriver(const DriverFiles& files, const platform::TargetWindows& target, wchar_t* driverName) {
  std::wstring driverFile = ToWide(files.driverFile);
  std::wstring dataFile = ToWide(files.dataFile);
  std::wstring uiFile = ToWide(files.uiFile);
  DRIVER_INFO_2W driver = {};
  driver.cVersion = 2;
  driver.pName = driverName;
  driver.pEnvironment = const_cast<wchar_t*>(target.environment);
  driver.pDriverPath = driverFile.data();
  driver.pDataFile = dataFile.data();
  driver.pConfigFile = uiFile.data();
  if (platform::printers::AddPrinterDriverW(nullptr, 2, reinterpret_cast<BYTE*>(&driver))) return true;
  platform::WriteInstallLog("AddPrinterDriver = %d\r\n", static_cast<int>(::GetLastError()));
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
  platform::WriteInstallLog("*********** AddPrinter success\r\n");
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
  platform::WriteInstallLog("*********** call AddPrinter\r\n");
  platform::spooler::UniquePrinter added(
      platform::printers::AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer)));
  if (!added) {
    platform::WriteInstallLog("AddPrinter = %d\r\n", static_cast<int>(::GetLastError()));
    return false;
  }
  WritePrinterData(added.Get(), request, names);
  platform::WriteInstallLog("AddPrinter hPrinter = %x\r\n",
                            static_cast<unsigned>(reinterpret_cast<uintptr_t>(added.Get())));
  return true;
}

}  // namespace

int InstallDriverAndPrinter(const PrinterRequest& request, PortChooser& ports, texts::WizardConfigTable& names,
                            const platform::TargetWindows& target, std::wstring& addedPrinterName) {
  std::string directory;
  if (!platform::WideToAnsi(target.driverDirectory, directory) || directory.empty()) return 0;
  const std::optional<std::string> printer = ToAnsiWhole(request.printerName, "Printer name");
  const std::optional<std::string> folder = ToAnsiWhole(request.installFolder, "Install folder");
  if (!printer || !folder) return 0;
  DriverFiles files;
  files.printer = *printer;
  files.folder = *folder;
  files.directory = directory;
  files.uiFile = files.printer + "UI.dll";
  files.driverFile = files.printer + "Drv.dll";
  files.dataFile = files.printer + "GPC.pcd";
  PlaceDriverFiles(files, target);
  const std::optional<std::wstring> monitorDllPath = PlaceMonitorFiles(files.folder, files.printer, target);
  if (!SettlePort(request, monitorDllPath, target, ports, names)) return 0;
  if (!AddDriver(files, target, names.DriverName)) return 0;
  addedPrinterName = UniquePrinterName(files.printer);
  return AddPrinter(request, names, addedPrinterName) ? 1 : 0;
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
