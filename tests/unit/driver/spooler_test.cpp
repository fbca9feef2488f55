// The driver pair installed through the spooler the way the installer installs it.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "components/driver/common/characterization_file.h"
#include "components/driver/common/page_setup.h"
#include "components/driver/render/device_info.h"
#include "components/driver/ui/capabilities.h"
#include "components/driver/ui/printer_interface.h"
#include "components/driver/ui/ui_text.h"
#include "components/langdll/driver_resources.h"
#include "platform/handle.h"
#include "platform/two_call.h"
#include "tests/unit/driver/component_files.h"
#include "tests/unit/driver/installer_characterization.h"

namespace {

struct Model {
  const wchar_t* printer;
  const wchar_t* port;
  const wchar_t* language;
  std::string family;
  uint32_t resolution;
  int32_t paperWidth;
  int32_t paperHeight;
};

const Model kDemo80 = {L"Demo80", L"FILE:", L"CHISMPL.DLL", "POS80", 203, 720, 32760};
const Model kDemo58 = {L"Demo58", L"LPT1:", L"ENGLISH.DLL", "POS58", 300, 580, 2970};

std::wstring DriverDirectory() {
  wchar_t directory[MAX_PATH] = {};
  DWORD needed = 0;
  GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(directory), sizeof(directory),
                             &needed);
  return directory;
}

void WriteFile(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void SetText(HANDLE printer, const wchar_t* name, const std::wstring& value) {
  SetPrinterDataW(printer, const_cast<LPWSTR>(name), REG_SZ,
                  reinterpret_cast<BYTE*>(const_cast<wchar_t*>(value.c_str())),
                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

// Support files into the version-3 folder, the pair and the characterization file under the
// printer's names, the driver (level 3) and the printer with its "Language" value.
bool InstallLikeTheInstaller(const Model& model) {
  const std::wstring directory = DriverDirectory();
  const std::wstring name = model.printer;
  CreateDirectoryW((directory + L"\\3").c_str(), nullptr);
  for (const wchar_t* file : {L"CHISMPL.DLL", L"CHITRAD.DLL", L"ENGLISH.DLL", L"Image.dll"}) {
    if (!CopyFileW(test::ComponentPath(file).c_str(), (directory + L"\\3\\" + file).c_str(), FALSE))
      return false;
  }
  if (!CopyFileW(test::ComponentPath(L"plotui.dll").c_str(), (directory + L"\\" + name + L"UI.dll").c_str(),
                 FALSE) ||
      !CopyFileW(test::ComponentPath(L"plotter.dll").c_str(), (directory + L"\\" + name + L"Drv.dll").c_str(),
                 FALSE)) {
    return false;
  }
  WriteFile(
      directory + L"\\" + name + L"GPC.pcd",
      test::InstallerCharacterization(model.family, model.resolution, model.paperWidth, model.paperHeight));

  const std::wstring driverName = name + L" Driver";
  const std::wstring driverFile = name + L"Drv.dll";
  const std::wstring dataFile = name + L"GPC.pcd";
  const std::wstring configFile = name + L"UI.dll";
  DRIVER_INFO_3W driver{};
  driver.cVersion = 3;
  driver.pName = const_cast<LPWSTR>(driverName.c_str());
  driver.pDriverPath = const_cast<LPWSTR>(driverFile.c_str());
  driver.pDataFile = const_cast<LPWSTR>(dataFile.c_str());
  driver.pConfigFile = const_cast<LPWSTR>(configFile.c_str());
  driver.pDependentFiles = const_cast<LPWSTR>(L"CHISMPL.DLL\0CHITRAD.DLL\0ENGLISH.DLL\0Image.dll\0");
  if (!AddPrinterDriverW(nullptr, 3, reinterpret_cast<BYTE*>(&driver))) return false;

  PRINTER_INFO_2W info{};
  info.pPrinterName = const_cast<LPWSTR>(model.printer);
  info.pPortName = const_cast<LPWSTR>(model.port);
  info.pDriverName = const_cast<LPWSTR>(driverName.c_str());
  info.pPrintProcessor = const_cast<LPWSTR>(L"WinPrint");
  info.pDatatype = const_cast<LPWSTR>(L"RAW");
  info.Attributes = PRINTER_ATTRIBUTE_DEFAULT;
  const HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (!printer) return false;
  SetText(printer, L"Language", model.language);
  ClosePrinter(printer);
  return true;
}

platform::UniquePrinter OpenedPrinter(const wchar_t* name) {
  HANDLE printer = nullptr;
  OpenPrinterW(const_cast<LPWSTR>(name), &printer, nullptr);
  return platform::UniquePrinter(printer);
}

std::vector<BYTE> DriverInfo(HANDLE printer) {
  return platform::ReadByTwoCalls([printer](BYTE* buffer, DWORD size, DWORD* needed) {
           return GetPrinterDriverW(printer, nullptr, 3, buffer, size, needed);
         }).bytes;
}

// A file of the driver the spooler installed for the printer, by its full path.
std::wstring InstalledFile(const wchar_t* printerName, LPWSTR DRIVER_INFO_3W::*file) {
  const platform::UniquePrinter printer = OpenedPrinter(printerName);
  const std::vector<BYTE> info = DriverInfo(printer.Get());
  return info.empty() ? L"" : reinterpret_cast<const DRIVER_INFO_3W*>(info.data())->*file;
}

std::wstring FileName(const std::wstring& path) { return path.substr(path.find_last_of(L'\\') + 1); }

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring Wide(const std::string& text) { return {text.begin(), text.end()}; }

class InstalledDriver : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(InstallLikeTheInstaller(kDemo80)) << GetLastError();
    ASSERT_TRUE(InstallLikeTheInstaller(kDemo58)) << GetLastError();
  }

  // Rewrites the printer's characterization file for one test and puts it back afterwards.
  class ReplacedDataFile {
   public:
    ReplacedDataFile(const wchar_t* printer, const std::vector<uint8_t>& bytes)
        : path_(InstalledFile(printer, &DRIVER_INFO_3W::pDataFile)), original_(ReadAll(path_)) {
      WriteFile(path_, bytes);
    }
    ~ReplacedDataFile() { WriteFile(path_, original_); }

   private:
    static std::vector<uint8_t> ReadAll(const std::wstring& path) {
      std::ifstream in(path.c_str(), std::ios::binary);
      return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::wstring path_;
    std::vector<uint8_t> original_;
  };
};

TEST_F(InstalledDriver, SpoolerKeepsTheDriverFilesAndOpensThePrinters) {
  for (const Model* model : {&kDemo80, &kDemo58}) {
    const std::wstring name = model->printer;
    const platform::UniquePrinter printer = OpenedPrinter(model->printer);
    ASSERT_NE(printer.Get(), nullptr) << GetLastError();
    const std::vector<BYTE> buffer = DriverInfo(printer.Get());
    ASSERT_FALSE(buffer.empty());
    const auto* info = reinterpret_cast<const DRIVER_INFO_3W*>(buffer.data());
    EXPECT_EQ(std::wstring(info->pName), name + L" Driver");
    EXPECT_EQ(FileName(info->pDriverPath), name + L"Drv.dll");
    EXPECT_EQ(FileName(info->pConfigFile), name + L"UI.dll");
    EXPECT_EQ(FileName(info->pDataFile), name + L"GPC.pcd");
    for (const wchar_t* path : {info->pDriverPath, info->pConfigFile, info->pDataFile}) {
      EXPECT_TRUE(FileExists(path)) << std::string(path, path + wcslen(path));
    }
  }
}

TEST_F(InstalledDriver, DeviceCapabilitiesAnswerFromEachPrintersCharacterizationFile) {
  for (const Model* model : {&kDemo80, &kDemo58}) {
    const std::vector<test::ModelForm> forms =
        test::InstallerForms(model->family, model->paperWidth, model->paperHeight);
    const int count = DeviceCapabilitiesW(model->printer, model->port, DC_PAPERS, nullptr, nullptr);
    ASSERT_EQ(count, static_cast<int>(forms.size()));
    std::vector<WORD> ids(forms.size());
    std::vector<WCHAR> names(forms.size() * plotter::kPaperNameLength);
    std::vector<POINT> sizes(forms.size());
    ASSERT_EQ(DeviceCapabilitiesW(model->printer, model->port, DC_PAPERS,
                                  reinterpret_cast<LPWSTR>(ids.data()), nullptr),
              count);
    ASSERT_EQ(DeviceCapabilitiesW(model->printer, model->port, DC_PAPERNAMES, names.data(), nullptr), count);
    ASSERT_EQ(DeviceCapabilitiesW(model->printer, model->port, DC_PAPERSIZE,
                                  reinterpret_cast<LPWSTR>(sizes.data()), nullptr),
              count);
    for (size_t i = 0; i < forms.size(); ++i) {
      EXPECT_EQ(ids[i], plotter::PaperIdOfForm(i));
      EXPECT_EQ(std::wstring(&names[i * plotter::kPaperNameLength]), Wide(forms[i].name));
      EXPECT_EQ(sizes[i].x, forms[i].width / 100);
      EXPECT_EQ(sizes[i].y, forms[i].height / 100);
    }
    LONG resolution[2] = {};
    ASSERT_EQ(DeviceCapabilitiesW(model->printer, model->port, DC_ENUMRESOLUTIONS,
                                  reinterpret_cast<LPWSTR>(resolution), nullptr),
              1);
    EXPECT_EQ(resolution[0], static_cast<LONG>(model->resolution));
    EXPECT_EQ(resolution[1], static_cast<LONG>(model->resolution));
  }
}

TEST_F(InstalledDriver, CapabilitiesFollowTheFileAsItIsNow) {
  {
    const ReplacedDataFile otherModel(kDemo80.printer,
                                       test::InstallerCharacterization("POS76", 180, 760, 2970));
    EXPECT_EQ(DeviceCapabilitiesW(kDemo80.printer, kDemo80.port, DC_PAPERS, nullptr, nullptr), 1);
    LONG resolution[2] = {};
    DeviceCapabilitiesW(kDemo80.printer, kDemo80.port, DC_ENUMRESOLUTIONS,
                        reinterpret_cast<LPWSTR>(resolution), nullptr);
    EXPECT_EQ(resolution[0], 180);
  }
  {
    std::vector<uint8_t> truncated = test::InstallerCharacterization("POS80", 203, 720, 32760);
    truncated.resize(300);
    const ReplacedDataFile broken(kDemo80.printer, truncated);
    EXPECT_EQ(DeviceCapabilitiesW(kDemo80.printer, kDemo80.port, DC_PAPERS, nullptr, nullptr), -1);
  }
  EXPECT_EQ(DeviceCapabilitiesW(kDemo80.printer, kDemo80.port, DC_PAPERS, nullptr, nullptr), 4);
}

TEST_F(InstalledDriver, DocumentPropertiesGiveTheDriversDevMode) {
  const platform::UniquePrinter printer = OpenedPrinter(kDemo80.printer);
  const LONG size =
      DocumentPropertiesW(nullptr, printer.Get(), const_cast<LPWSTR>(kDemo80.printer), nullptr, nullptr, 0);
  ASSERT_EQ(size, static_cast<LONG>(sizeof(DEVMODEW)));
  DEVMODEW devmode{};
  ASSERT_EQ(DocumentPropertiesW(nullptr, printer.Get(), const_cast<LPWSTR>(kDemo80.printer), &devmode,
                                nullptr, DM_OUT_BUFFER),
            IDOK);
  EXPECT_EQ(devmode.dmPaperSize, plotter::PaperIdOfForm(0));
  EXPECT_STREQ(devmode.dmFormName, L"Custom");
  EXPECT_EQ(devmode.dmPrintQuality, static_cast<short>(kDemo80.resolution));

  DEVMODEW asked = devmode;
  asked.dmPaperSize = plotter::PaperIdOfForm(2);
  asked.dmFields = DM_PAPERSIZE;
  DEVMODEW merged{};
  ASSERT_EQ(DocumentPropertiesW(nullptr, printer.Get(), const_cast<LPWSTR>(kDemo80.printer), &merged, &asked,
                                DM_IN_BUFFER | DM_OUT_BUFFER),
            IDOK);
  EXPECT_EQ(std::wstring(merged.dmFormName),
            Wide(test::InstallerForms(kDemo80.family, kDemo80.paperWidth, kDemo80.paperHeight)[2].name));
}

TEST_F(InstalledDriver, ConvertDevModeGivesTheDefaultAndNt351Forms) {
  const test::LoadedDll dll(InstalledFile(kDemo58.printer, &DRIVER_INFO_3W::pConfigFile));
  const auto convert = dll.Entry<decltype(&DrvConvertDevMode)>("DrvConvertDevMode");
  ASSERT_NE(convert, nullptr);
  DEVMODEW devmode{};
  LONG size = sizeof(DEVMODEW) - 1;
  EXPECT_FALSE(convert(const_cast<LPWSTR>(kDemo58.printer), nullptr, &devmode, &size, CDM_DRIVER_DEFAULT));
  EXPECT_EQ(size, static_cast<LONG>(sizeof(DEVMODEW)));
  ASSERT_TRUE(convert(const_cast<LPWSTR>(kDemo58.printer), nullptr, &devmode, &size, CDM_DRIVER_DEFAULT));
  EXPECT_EQ(devmode.dmPrintQuality, static_cast<short>(kDemo58.resolution));
  EXPECT_STREQ(devmode.dmDeviceName, kDemo58.printer);

  DEVMODEW old{};
  ASSERT_TRUE(convert(const_cast<LPWSTR>(kDemo58.printer), &devmode, &old, &size, CDM_CONVERT351));
  EXPECT_EQ(size, static_cast<LONG>(offsetof(DEVMODEW, dmICMMethod)));
  EXPECT_EQ(old.dmSpecVersion, 0x0320);
  EXPECT_EQ(old.dmPaperSize, devmode.dmPaperSize);
  EXPECT_FALSE(convert(const_cast<LPWSTR>(kDemo58.printer), nullptr, &old, &size, 0x80));
}

TEST_F(InstalledDriver, RenderingSideSizesItsSurfaceFromTheDataFileTheSpoolerNames) {
  const platform::UniquePrinter printer = OpenedPrinter(kDemo58.printer);
  const std::wstring dataFile = plotter::DataFileOfPrinter(printer.Get());
  const test::ModelForm form =
      test::InstallerForms(kDemo58.family, kDemo58.paperWidth, kDemo58.paperHeight)[2];
  DEVMODEW job{};
  job.dmSize = sizeof(job);
  job.dmFields = DM_PAPERSIZE;
  job.dmPaperSize = plotter::PaperIdOfForm(2);
  plotter::DeviceSetup setup;
  ASSERT_TRUE(plotter::SetUpDevice(dataFile, kDemo58.printer, &job, setup));
  EXPECT_EQ(setup.gdi.ulLogPixelsX, kDemo58.resolution);
  EXPECT_EQ(setup.gdi.ulHorzRes, static_cast<ULONG>(int64_t{form.width} * kDemo58.resolution / 25400));
  EXPECT_EQ(setup.gdi.ulVertRes, static_cast<ULONG>(int64_t{form.height} * kDemo58.resolution / 25400));

  const ReplacedDataFile broken(kDemo58.printer, {});
  EXPECT_FALSE(plotter::SetUpDevice(dataFile, kDemo58.printer, &job, setup));
}

// Records what the property sheet asks of its host.
struct SheetHost {
  static LONG_PTR CALLBACK Call(HANDLE host, UINT function, LPARAM lParam1, LPARAM) {
    auto* self = static_cast<SheetHost*>(host);
    if (function != CPSFUNC_ADD_PROPSHEETPAGEW) return 0;
    const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(lParam1);
    self->titles.push_back(page->pszTitle);
    self->pagesHaveProcedure = self->pagesHaveProcedure && page->pfnDlgProc != nullptr;
    return static_cast<LONG_PTR>(self->titles.size());
  }
  PROPSHEETUI_INFO Info(LPARAM init) {
    PROPSHEETUI_INFO info{};
    info.cbSize = sizeof(info);
    info.hComPropSheet = this;
    info.pfnComPropSheet = Call;
    info.lParamInit = init;
    return info;
  }
  std::vector<std::wstring> titles;
  bool pagesHaveProcedure = true;
};

TEST_F(InstalledDriver, SheetsAddOnePageTitledInThePrintersLanguage) {
  const test::LoadedDll dll(InstalledFile(kDemo80.printer, &DRIVER_INFO_3W::pConfigFile));
  const auto documentSheets = dll.Entry<decltype(&DrvDocumentPropertySheets)>("DrvDocumentPropertySheets");
  const auto deviceSheets = dll.Entry<decltype(&DrvDevicePropertySheets)>("DrvDevicePropertySheets");
  ASSERT_NE(documentSheets, nullptr);
  ASSERT_NE(deviceSheets, nullptr);
  const plotter::ResourceModule chinese(test::ComponentPath(L"CHISMPL.DLL"));
  const platform::UniquePrinter printer = OpenedPrinter(kDemo80.printer);

  DEVMODEW out{};
  DOCUMENTPROPERTYHEADER document{sizeof(document), 0,    printer.Get(), const_cast<LPWSTR>(kDemo80.printer),
                                  nullptr,          &out, sizeof(out),   DM_OUT_BUFFER};
  SheetHost host;
  PROPSHEETUI_INFO info = host.Info(reinterpret_cast<LPARAM>(&document));
  info.Reason = PROPSHEETUI_REASON_INIT;
  ASSERT_EQ(documentSheets(&info, 0), CPSUI_OK);
  PROPSHEETUI_INFO_HEADER header{};
  header.cbSize = sizeof(header);
  info.Reason = PROPSHEETUI_REASON_GET_INFO_HEADER;
  EXPECT_EQ(documentSheets(&info, reinterpret_cast<LPARAM>(&header)), CPSUI_OK);
  EXPECT_STREQ(header.pTitle, kDemo80.printer);
  info.Reason = PROPSHEETUI_REASON_DESTROY;
  EXPECT_EQ(documentSheets(&info, 0), CPSUI_OK);
  EXPECT_STREQ(out.dmFormName, L"Custom");

  DEVICEPROPERTYHEADER device{sizeof(device), 0, printer.Get(), const_cast<LPWSTR>(kDemo80.printer)};
  PROPSHEETUI_INFO deviceInfo = host.Info(reinterpret_cast<LPARAM>(&device));
  deviceInfo.Reason = PROPSHEETUI_REASON_INIT;
  ASSERT_EQ(deviceSheets(&deviceInfo, 0), CPSUI_OK);
  deviceInfo.Reason = PROPSHEETUI_REASON_DESTROY;
  EXPECT_EQ(deviceSheets(&deviceInfo, 0), CPSUI_OK);

  EXPECT_EQ(host.titles, (std::vector<std::wstring>{chinese.String(IDS_DOCUMENT_PAGE_TITLE),
                                                    chinese.String(IDS_DEVICE_PAGE_TITLE)}));
  EXPECT_TRUE(host.pagesHaveProcedure);
}

TEST_F(InstalledDriver, JobsAreHeldWhenTheModelDataIsUnreadable) {
  const test::LoadedDll dll(InstalledFile(kDemo80.printer, &DRIVER_INFO_3W::pConfigFile));
  const auto query = dll.Entry<decltype(&DevQueryPrintEx)>("DevQueryPrintEx");
  ASSERT_NE(query, nullptr);
  const platform::UniquePrinter printer = OpenedPrinter(kDemo80.printer);
  wchar_t reason[128] = {};
  DEVQUERYPRINT_INFO info{sizeof(info), 1, printer.Get(), nullptr, reason, 128, 0};
  EXPECT_TRUE(query(&info));

  const ReplacedDataFile broken(kDemo80.printer, {'P', 'l', 'o', 't'});
  EXPECT_FALSE(query(&info));
  const plotter::ResourceModule chinese(test::ComponentPath(L"CHISMPL.DLL"));
  EXPECT_EQ(std::wstring(reason), chinese.String(IDS_NO_MODEL_DATA));
  EXPECT_EQ(info.cchNeeded, chinese.String(IDS_NO_MODEL_DATA).size() + 1);
}

TEST_F(InstalledDriver, LanguageValuesThatAreNoPlainFileNameFallBackToEnglish) {
  const platform::UniquePrinter printer = OpenedPrinter(kDemo80.printer);
  EXPECT_EQ(plotter::LanguageDllOfPrinter(printer.Get()), kDemo80.language);
  for (const wchar_t* value : {L"..\\CHISMPL.DLL", L"C:CHISMPL.DLL", L"sub/CHISMPL.DLL", L""}) {
    SetText(printer.Get(), L"Language", value);
    EXPECT_EQ(plotter::LanguageDllOfPrinter(printer.Get()), plotter::kDefaultLanguageDll);
  }
  SetText(printer.Get(), L"Language", kDemo80.language);
}

}  // namespace
