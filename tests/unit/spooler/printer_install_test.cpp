// The model setup against Wine's real spooler: characterization file, driver, monitor and port,
// the printer under a unique name with its data values, and every failure row.
#include "spooler/model_setup.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "platform/fault_injection.h"
#include "platform/install_log.h"
#include "platform/target_windows.h"
#include "spooler/monitor_install.h"
#include "spooler/ports.h"
#include "tests/unit/support/test_files.h"
#include "texts/utf16_text.h"
#include "texts/wizard_config.h"

namespace {

constexpr char kFolder[] = "C:\\Program Files\\Demo\\Demo80";

class ScriptedChooser : public spooler::PortChooser {
 public:
  bool ChoosePort(std::wstring& port) override {
    ++shown;
    if (answer.empty()) return false;
    port = answer;
    return true;
  }
  std::wstring answer;  // empty: the user cancels
  int shown = 0;
};

std::string BesideThisProgram(const std::string& name) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string program(path);
  return program.substr(0, program.find_last_of('\\') + 1) + name;
}

// The monitor pair of this test's bitness is the real one (a process can load only that one);
// the other build holds its own name.
std::vector<uint8_t> StagedMonitorBytes(const std::string& name) {
  const bool real = name.ends_with(".x64") == (sizeof(void*) == 8);
  return real ? test::ReadBytes(BesideThisProgram(name)) : test::Bytes(name);
}

std::string NarrowOf(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::string LogText() {
  const std::vector<uint8_t> bytes = test::ReadBytes(platform::kInstallLogPath);
  return {bytes.begin(), bytes.end()};
}

std::wstring DriverDirectory() {
  wchar_t directory[MAX_PATH] = {};
  DWORD needed = 0;
  GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(directory), sizeof directory, &needed);
  return directory;
}

std::vector<std::wstring> PrinterNames() {
  DWORD needed = 0, count = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed + 1);
  std::vector<std::wstring> names;
  if (!EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &count)) return names;
  const auto* printers = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) names.push_back(printers[i].pPrinterName);
  return names;
}

struct PrinterFacts {
  bool found = false;
  std::wstring port;
  std::wstring driver;
};

PrinterFacts Printer(const std::wstring& name) {
  PrinterFacts facts;
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &printer, nullptr)) return facts;
  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed + 1);
  if (GetPrinterW(printer, 2, buffer.data(), needed, &needed)) {
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    facts = {true, info->pPortName, info->pDriverName};
  }
  ClosePrinter(printer);
  return facts;
}

// The printer data value as text (REG_SZ) or number (REG_DWORD); nothing when absent.
std::optional<std::wstring> PrinterData(const std::wstring& printerName, const wchar_t* value) {
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(printerName.c_str()), &printer, nullptr)) return std::nullopt;
  BYTE data[512] = {};
  DWORD type = 0, size = 0;
  const DWORD status = GetPrinterDataW(printer, const_cast<wchar_t*>(value), &type, data, sizeof data, &size);
  ClosePrinter(printer);
  if (status != ERROR_SUCCESS) return std::nullopt;
  if (type == REG_DWORD) return std::to_wstring(*reinterpret_cast<DWORD*>(data));
  return std::wstring(reinterpret_cast<const wchar_t*>(data));
}

// Each test starts without printers, as the fresh prefix did.
void RemoveAllPrinters() {
  for (const std::wstring& name : PrinterNames()) {
    PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &printer, &access)) continue;
    DeletePrinter(printer);
    ClosePrinter(printer);
  }
}

std::wstring DefaultPrinter() {
  wchar_t name[256] = {};
  DWORD size = 256;
  return GetDefaultPrinterW(name, &size) ? name : L"";
}

// Wine's spooler in a WOW64 process looks drivers up for "Windows NT x86" only, so the printer
// on the "Windows x64" driver is refused there (1797); real 64-bit Windows accepts it.
// A 64-bit process (the 64-bit build) adds it.
bool RunsUnderWow64() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}
#define SKIP_WHERE_WINE_REFUSES_X64_PRINTERS() \
  if (RunsUnderWow64()) GTEST_SKIP() << "Wine under WOW64 adds no printer on an x64 driver"

// The variant the running Windows takes: 64-bit under WOW64 and in the 64-bit build.
bool TakesThe64BitVariant() { return platform::DescribeTargetWindows().x64Builds; }

// The system directory 64-bit Windows loads monitors from, as this process names it.
std::string NativeSystemDirectory() { return RunsUnderWow64() ? "C:\\windows\\sysnative" : "C:\\windows\\system32"; }

texts::ModelRecord Demo80() {
  texts::ModelRecord model = {};
  texts::CopyBounded(model.Name, L"Demo80");
  texts::CopyBounded(model.ModelFamily, L"POS80");
  texts::CopyBounded(model.VidPid, L"vid_1a2b&pid_0001");
  model.Resolution = 203;
  model.PaperWidth = 720;
  model.PaperHeight = 32760;
  return model;
}

class ModelSetupTest : public testing::Test {
 protected:
  void SetUp() override {
    DeleteFileA(platform::kInstallLogPath);
    RemoveAllPrinters();
    ASSERT_TRUE(PrinterNames().empty());
    texts::WizardConfig = {};
    texts::CopyBounded(m_names.PrinterName, L"Demo80");
    texts::CopyBounded(m_names.MonitorName, L"Demo Printer Monitor");
    texts::CopyBounded(m_names.PortName, L"COM1:");
    texts::CopyBounded(m_names.LanguageDll, L"ENGLISH.DLL");
    StageFiles();
    m_request.printerName = L"Demo80";
    m_request.installFolder = L"C:\\Program Files\\Demo\\Demo80";
    m_request.model = &m_model;
  }
  void TearDown() override { platform::ClearFaults(); }

  // The files staging leaves in the install folder; the monitor pair is the real one.
  static void StageFiles() {
    test::RemoveTree(kFolder);
    CreateDirectoryA("C:\\Program Files\\Demo", nullptr);
    CreateDirectoryA(kFolder, nullptr);
    for (const char* name : {"CHISMPL.DLL", "CHITRAD.DLL", "ENGLISH.DLL", "Image.dll", "plotter.dll", "plotui.dll"}) {
      for (const std::string suffix : {"", ".x64"}) {
        test::WriteBytes(std::string(kFolder) + "\\" + name + suffix, test::Bytes(std::string(name) + suffix));
      }
    }
    for (const std::string name : {"Tillvane.dll", "TillvaneUI.dll", "Tillvane.dll.x64", "TillvaneUI.dll.x64"}) {
      test::WriteBytes(kFolder + ("\\" + name), StagedMonitorBytes(name));
    }
  }

  int Install(bool setDefault = false) {
    return spooler::InstallPrinterForModel(m_request, setDefault, m_chooser, m_names, m_target);
  }

  bool DriverListedFor(const wchar_t* environment) const {
    DWORD needed = 0, count = 0;
    EnumPrinterDriversW(nullptr, const_cast<wchar_t*>(environment), 1, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed + 1);
    if (!EnumPrinterDriversW(nullptr, const_cast<wchar_t*>(environment), 1, buffer.data(), needed, &needed, &count)) {
      return false;
    }
    const auto* drivers = reinterpret_cast<const DRIVER_INFO_1W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
      if (std::wstring(drivers[i].pName) == L"Demo80 Driver") return true;
    }
    return false;
  }

  texts::WizardConfigTable m_names{};  // the installation's own copy of the configured names
  texts::ModelRecord m_model = Demo80();
  spooler::PrinterRequest m_request;
  ScriptedChooser m_chooser;
  platform::TargetWindows m_target = platform::DescribeTargetWindows();
};

TEST_F(ModelSetupTest, ComPortPrinterWithItsDataValuesAndLogRecords) {
  SKIP_WHERE_WINE_REFUSES_X64_PRINTERS();
  ASSERT_EQ(Install(), 1);
  EXPECT_EQ(m_chooser.shown, 0);
  EXPECT_STREQ(m_names.DriverName, L"Demo80 Driver");
  // The process-wide texts stay as read: the installation writes only its own copy.
  EXPECT_STREQ(texts::WizardConfig.DriverName, L"");
  const PrinterFacts printer = Printer(L"Demo80");
  ASSERT_TRUE(printer.found);
  EXPECT_EQ(printer.port, L"COM1:");
  EXPECT_EQ(printer.driver, L"Demo80 Driver");
  EXPECT_EQ(PrinterData(L"Demo80", L"SavingLog"), L"1");
  EXPECT_EQ(PrinterData(L"Demo80", L"IP"), std::nullopt);
  EXPECT_EQ(PrinterData(L"Demo80", L"PortType"), L"0");
  EXPECT_EQ(PrinterData(L"Demo80", L"DevicePath"), L"");
  EXPECT_EQ(PrinterData(L"Demo80", L"VidAndPid"), L"vid_1a2b&pid_0001");
  EXPECT_EQ(PrinterData(L"Demo80", L"UserForm"), L"720 32760 0 0");
  EXPECT_EQ(PrinterData(L"Demo80", L"Language"), L"ENGLISH.DLL");

  const std::string log = LogText();
  const size_t call = log.find("*********** call AddPrinter\r\r\n");
  const size_t success = log.find("*********** AddPrinter success\r\r\n");
  const size_t handle = log.find("AddPrinter hPrinter = ");
  ASSERT_NE(call, std::string::npos);
  EXPECT_LT(call, success);
  EXPECT_LT(success, handle);
  const std::string hex = log.substr(handle + 22, log.find('\r', handle) - handle - 22);
  EXPECT_EQ(hex.find_first_not_of("0123456789abcdef"), std::string::npos) << hex;
  EXPECT_NE(hex[0], '0');
  EXPECT_EQ(log.find("AddPrinterMonitor"), std::string::npos);  // no monitor touched
}

TEST_F(ModelSetupTest, DriverFilesAndCharacterizationFileUseThePrinterName) {
  const bool x64 = TakesThe64BitVariant();
  EXPECT_EQ(Install(), RunsUnderWow64() ? 0 : 1);
  const std::wstring directory = DriverDirectory();
  const std::string driverDirectory(directory.begin(), directory.end());
  EXPECT_EQ(test::ReadBytes(driverDirectory + "\\Demo80Drv.dll"), test::Bytes(x64 ? "plotter.dll.x64" : "plotter.dll"));
  EXPECT_EQ(test::ReadBytes(driverDirectory + "\\3\\ENGLISH.DLL"), test::Bytes(x64 ? "ENGLISH.DLL.x64" : "ENGLISH.DLL"));
  EXPECT_EQ(test::ReadBytes(driverDirectory + "\\Demo80GPC.pcd").size(), 484u);
  // The renamed driver pair leaves the install folder, both builds; the support files stay.
  EXPECT_FALSE(test::FileExists(std::string(kFolder) + "\\plotter.dll"));
  EXPECT_EQ(test::FileExists(std::string(kFolder) + "\\plotter.dll.x64"), !x64);
  EXPECT_TRUE(test::FileExists(std::string(kFolder) + "\\CHISMPL.DLL"));
}

TEST_F(ModelSetupTest, SixtyFourBitVariantPlacesNativeFilesAndAddsAnX64Driver) {
  if (!TakesThe64BitVariant()) GTEST_SKIP() << "the 64-bit variant runs on 64-bit Windows";
  if (RunsUnderWow64()) {
    EXPECT_EQ(Install(), 0);
    EXPECT_NE(LogText().find("AddPrinter = 1797\r\r\n"), std::string::npos);
  } else {
    EXPECT_EQ(Install(), 1);
  }
  // Redirection was off under WOW64: the .x64 monitor pair is in the native system directory.
  EXPECT_EQ(test::ReadBytes(NativeSystemDirectory() + "\\Demo80Mon.dll"), StagedMonitorBytes("Tillvane.dll.x64"));
  EXPECT_EQ(test::ReadBytes(NativeSystemDirectory() + "\\Demo80MonUI.dll"), StagedMonitorBytes("TillvaneUI.dll.x64"));
  EXPECT_FALSE(test::FileExists("C:\\windows\\syswow64\\Demo80Mon.dll"));
  EXPECT_TRUE(test::FileExists(std::string(kFolder) + "\\Tillvane.dll"));  // the 32-bit pair stays
  EXPECT_TRUE(DriverListedFor(L"Windows x64"));
}

// The description decides, not the process: the other Windows' description takes the other
// builds and names the driver for the other environment.
TEST_F(ModelSetupTest, TheDescriptionPicksTheVariantNotTheProcess) {
  const std::wstring directory = m_target.driverDirectory;
  m_target = m_target.x64Builds ? platform::Windows32Target(directory) : platform::Windows64Target(directory, false);
  Install();
  const std::string driverDirectory = NarrowOf(directory);
  const bool x64 = m_target.x64Builds;
  EXPECT_EQ(test::ReadBytes(driverDirectory + "\\Demo80Drv.dll"), test::Bytes(x64 ? "plotter.dll.x64" : "plotter.dll"));
  EXPECT_EQ(test::ReadBytes(driverDirectory + "\\3\\Image.dll"), test::Bytes(x64 ? "Image.dll.x64" : "Image.dll"));
  EXPECT_EQ(test::FileExists(std::string(kFolder) + "\\plotui.dll.x64"), !x64);
  EXPECT_TRUE(DriverListedFor(m_target.environment));
}

TEST_F(ModelSetupTest, NetworkPrinterKeepsItsAddress) {
  SKIP_WHERE_WINE_REFUSES_X64_PRINTERS();
  m_request.networkPort = true;
  m_request.ipAddress = L"10.0.0.5";
  m_request.tcpPort = L"9100";
  ASSERT_EQ(Install(), 1);
  EXPECT_EQ(PrinterData(L"Demo80", L"IP"), L"10.0.0.5 9100");
  EXPECT_EQ(PrinterData(L"Demo80", L"PortType"), L"1");
}

TEST_F(ModelSetupTest, MissingPortIsChosenFromTheListOrCancelled) {
  texts::CopyBounded(m_names.PortName, L"USB");
  m_request.usbPort = true;  // without the monitor flag: "USB" is no spooler port
  EXPECT_EQ(Install(), 0);
  EXPECT_EQ(m_chooser.shown, 1);
  EXPECT_TRUE(PrinterNames().empty());

  SKIP_WHERE_WINE_REFUSES_X64_PRINTERS();
  m_chooser.answer = L"LPT1:";
  StageFiles();
  ASSERT_EQ(Install(), 1);
  EXPECT_EQ(Printer(L"Demo80").port, L"LPT1:");
  EXPECT_STREQ(m_names.PortName, L"LPT1:");
}

TEST_F(ModelSetupTest, UniqueNamesAndTheDefaultPrinterActuallyAdded) {
  SKIP_WHERE_WINE_REFUSES_X64_PRINTERS();
  ASSERT_EQ(Install(true), 1);
  EXPECT_EQ(DefaultPrinter(), L"Demo80");
  StageFiles();
  ASSERT_EQ(Install(true), 1);
  EXPECT_EQ(DefaultPrinter(), L"Demo80 (1)");
  StageFiles();
  ASSERT_EQ(Install(), 1);
  EXPECT_EQ(PrinterNames(), (std::vector<std::wstring>{L"Demo80", L"Demo80 (1)", L"Demo80 (2)"}));
  EXPECT_EQ(Printer(L"Demo80 (2)").driver, L"Demo80 Driver");  // files keep the entered name
  EXPECT_EQ(DefaultPrinter(), L"Demo80 (1)");
}

TEST_F(ModelSetupTest, FailureRowsEndWithTheirRecords) {
  const platform::TargetWindows known = m_target;
  m_target.driverDirectory.clear();  // the spooler did not tell it
  EXPECT_EQ(Install(true), 0);       // the model setup stops before anything is logged
  EXPECT_FALSE(test::FileExists(platform::kInstallLogPath));
  EXPECT_TRUE(test::FileExists(std::string(kFolder) + "\\plotter.dll"));

  m_target = known;
  platform::InjectFault("AddPrinterDriverW", ERROR_ACCESS_DENIED, 0, 1);
  EXPECT_EQ(Install(), 0);
  EXPECT_EQ(LogText(), "AddPrinterDriver = 5\r\r\n");

  DeleteFileA(platform::kInstallLogPath);
  platform::InjectFault("AddPrinterW", ERROR_INVALID_PRINTER_NAME, 0, 1);
  EXPECT_EQ(Install(true), 0);
  EXPECT_NE(LogText().find("*********** call AddPrinter\r\r\nAddPrinter = 1801\r\r\n"), std::string::npos);
  EXPECT_TRUE(PrinterNames().empty());
  EXPECT_EQ(DefaultPrinter(), L"");
}

TEST_F(ModelSetupTest, DataValueThatCannotBeWrittenKeepsTheInstallation) {
  SKIP_WHERE_WINE_REFUSES_X64_PRINTERS();
  platform::InjectFault("SetPrinterDataW", ERROR_ACCESS_DENIED, 1, 1);  // "IP" or "PortType"
  EXPECT_EQ(Install(), 1);
  EXPECT_EQ(PrinterData(L"Demo80", L"SavingLog"), L"1");
  EXPECT_EQ(PrinterData(L"Demo80", L"PortType"), std::nullopt);
  EXPECT_EQ(PrinterData(L"Demo80", L"Language"), L"ENGLISH.DLL");
  EXPECT_NE(LogText().find("AddPrinter hPrinter = "), std::string::npos);
}

TEST(MonitorRegistration, AlreadyInstalledCountsAsRegisteredAndOnlyTheX64VariantLogsIt) {
  DeleteFileA(platform::kInstallLogPath);
  platform::ScopedFaults faults;
  const std::wstring dll = L"C:\\windows\\system32\\Demo80Mon.dll";
  const platform::TargetWindows x86 = platform::Windows32Target(L"");
  const platform::TargetWindows x64 = platform::Windows64Target(L"", false);
  platform::InjectFault("AddMonitorW", ERROR_PRINT_MONITOR_ALREADY_INSTALLED);
  EXPECT_EQ(spooler::AddPortMonitor(dll, L"Demo Printer Monitor", x86), 1);
  EXPECT_FALSE(test::FileExists(platform::kInstallLogPath));
  EXPECT_EQ(spooler::AddPortMonitor(dll, L"Demo Printer Monitor", x64), 1);
  EXPECT_EQ(LogText(), "AddPrinterMonitor64 Error=3006\r\r\n");

  platform::ClearFaults();
  platform::InjectFault("AddMonitorW", ERROR_ACCESS_DENIED);
  EXPECT_EQ(spooler::AddPortMonitor(dll, L"Demo Printer Monitor", x86), 0);
  EXPECT_EQ(spooler::AddPortMonitor(dll, L"Demo Printer Monitor", x64), 0);
  EXPECT_EQ(LogText(), "AddPrinterMonitor64 Error=3006\r\r\nAddPrinterMonitor32 = 5\r\r\nAddPrinterMonitor64 Error=5\r\r\n");
}

// The 32-bit monitor can be loaded by this 32-bit process only on 32-bit Windows.
class MonitorPortTest : public ModelSetupTest {
 protected:
  void SetUp() override {
    ModelSetupTest::SetUp();
    DeletePortW(nullptr, nullptr, const_cast<wchar_t*>(L"Demo80-Port:"));
    texts::CopyBounded(m_names.PortName, L"USB001");
    m_request.usbPort = true;
    m_request.useMonitor = true;
  }
};

TEST_F(MonitorPortTest, FirstInstallationMakesTheMonitorPortTheSecondReusesIt) {
  if (RunsUnderWow64()) GTEST_SKIP() << "the 64-bit monitor cannot load in this 32-bit process";
  ASSERT_EQ(Install(), 1);
  EXPECT_EQ(m_chooser.shown, 0);
  EXPECT_EQ(Printer(L"Demo80").port, L"Demo80-Port:");
  EXPECT_TRUE(test::FileExists("C:\\windows\\system32\\Demo80Mon.dll"));
  EXPECT_FALSE(test::FileExists(std::string(kFolder) + (sizeof(void*) == 8 ? "\\Tillvane.dll.x64" : "\\Tillvane.dll")));

  StageFiles();
  platform::InjectFault("AddMonitorW", ERROR_ACCESS_DENIED);  // must not be asked again
  ASSERT_EQ(Install(), 1);
  EXPECT_EQ(Printer(L"Demo80 (1)").port, L"Demo80-Port:");
  EXPECT_EQ(LogText().find("AddPrinterMonitor"), std::string::npos);
}

TEST_F(MonitorPortTest, FailedRegistrationOrPortCreationFallsBackToTheList) {
  platform::InjectFault("AddMonitorW", ERROR_ACCESS_DENIED, 0, 1);
  EXPECT_EQ(Install(), 0);  // list cancelled
  EXPECT_EQ(m_chooser.shown, 1);
  EXPECT_NE(LogText().find(TakesThe64BitVariant() ? "AddPrinterMonitor64 Error=5\r\r\n" : "AddPrinterMonitor32 = 5\r\r\n"),
            std::string::npos);

  SKIP_WHERE_WINE_REFUSES_X64_PRINTERS();
  StageFiles();
  m_chooser.answer = L"LPT2:";
  platform::InjectFault("AddPortExW", ERROR_NOT_SUPPORTED, 0, 1);
  ASSERT_EQ(Install(), 1);
  EXPECT_EQ(Printer(L"Demo80").port, L"LPT2:");
}

// The driver names its data file whether or not it could be written: the driver and the
// printer are still created (the driver then reads an older file or none).
TEST_F(ModelSetupTest, DataFileThatCannotBeCreatedStillGivesTheDriverAndPrinter) {
  SKIP_WHERE_WINE_REFUSES_X64_PRINTERS();
  const std::string dataFile = NarrowOf(DriverDirectory()) + "\\Demo80GPC.pcd";
  DeleteFileA(dataFile.c_str());
  platform::InjectFault("_wfopen", ERROR_ACCESS_DENIED, 0, 1);
  ASSERT_EQ(Install(), 1);
  EXPECT_FALSE(test::FileExists(dataFile));
  EXPECT_EQ(Printer(L"Demo80").driver, L"Demo80 Driver");
  DWORD needed = 0, count = 0;
  EnumPrinterDriversW(nullptr, nullptr, 3, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed + 1);
  ASSERT_TRUE(EnumPrinterDriversW(nullptr, nullptr, 3, buffer.data(), needed, &needed, &count));
  const auto* drivers = reinterpret_cast<const DRIVER_INFO_3W*>(buffer.data());
  const DRIVER_INFO_3W* driver = nullptr;
  for (DWORD i = 0; i < count; ++i) {
    if (std::wstring(drivers[i].pName) == L"Demo80 Driver") driver = &drivers[i];
  }
  ASSERT_NE(driver, nullptr);
  EXPECT_TRUE(std::wstring(driver->pDataFile).ends_with(L"\\Demo80GPC.pcd")) << driver->pDataFile;
}

// A default printer that cannot be set, or printers that cannot be listed, cost the installation
// nothing: the printer is there, under the entered name when the list is missing.
TEST_F(ModelSetupTest, DefaultPrinterOrPrinterListUnavailableKeepsTheInstallation) {
  SKIP_WHERE_WINE_REFUSES_X64_PRINTERS();
  platform::InjectFault("SetDefaultPrinterA", ERROR_PROC_NOT_FOUND, 0, 1);
  ASSERT_EQ(Install(true), 1);
  EXPECT_TRUE(Printer(L"Demo80").found);
  EXPECT_EQ(DefaultPrinter(), L"");

  StageFiles();
  platform::InjectFault("EnumPrintersW", ERROR_ACCESS_DENIED);
  ASSERT_EQ(Install(), 1);
  platform::ClearFaults();
  // No list, no numbering: the entered name is asked for again (Wine keeps one printer).
  EXPECT_EQ(PrinterNames(), std::vector<std::wstring>{L"Demo80"});
  EXPECT_NE(LogText().find("AddPrinter hPrinter = "), std::string::npos);
}

// Paths past MAX_PATH take the wide calls.
void WriteLongPathFile(const std::wstring& path, const std::string& text) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

std::string ReadLongPathFile(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "(missing)";
  char buffer[256] = {};
  DWORD read = 0;
  ReadFile(file, buffer, sizeof buffer, &read, nullptr);
  CloseHandle(file);
  return std::string(buffer, read);
}

// A folder whose 8-bit form passes 259 bytes is refused, not cut: the cut folder is another
// folder, whose files the step would copy and delete.
TEST_F(ModelSetupTest, InstallFolderLongerThanAPathIsRefusedNotCut) {
  const std::wstring parent = L"C:\\Program Files\\Demo\\";
  const std::wstring cut = parent + std::wstring(259 - parent.size(), L'c');
  const std::wstring elsewhere = L"\\\\?\\" + cut + L"\\plotter.dll";  // in the folder the cut names
  ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + cut).c_str(), nullptr));
  WriteLongPathFile(elsewhere, "another folder's file");
  m_request.installFolder = cut + L"ccc";
  EXPECT_EQ(Install(), 0);
  EXPECT_EQ(ReadLongPathFile(elsewhere), "another folder's file");
  EXPECT_NE(LogText().find("Install folder too long = 262\r\r\n"), std::string::npos) << LogText();
  EXPECT_EQ(LogText().find("AddPrinter"), std::string::npos);
  EXPECT_TRUE(PrinterNames().empty());
  DeleteFileW(elsewhere.c_str());
  RemoveDirectoryW((L"\\\\?\\" + cut).c_str());
}

// Without the system directory no place is right for the monitor: nothing is copied (once, to
// the root of the current drive), nothing registered, and the port list stands in.
TEST_F(MonitorPortTest, UnreadableSystemDirectoryPlacesAndRegistersNothing) {
  platform::InjectFault("GetSystemDirectoryA", ERROR_ACCESS_DENIED, 0, 1);
  EXPECT_EQ(Install(), 0);  // the port list cancelled
  EXPECT_EQ(m_chooser.shown, 1);
  EXPECT_FALSE(test::FileExists("\\Demo80Mon.dll"));
  EXPECT_FALSE(test::FileExists("\\Demo80MonUI.dll"));
  const char* source = TakesThe64BitVariant() ? "\\Tillvane.dll.x64" : "\\Tillvane.dll";
  EXPECT_TRUE(test::FileExists(std::string(kFolder) + source));
  EXPECT_NE(LogText().find("GetSystemDirectory = 5\r\r\n"), std::string::npos) << LogText();
  EXPECT_EQ(LogText().find("AddPrinterMonitor"), std::string::npos);
}

}  // namespace
