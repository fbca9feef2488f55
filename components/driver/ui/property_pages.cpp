#include "components/driver/ui/property_pages.h"

#include <memory>

#include "components/driver/common/characterization_file.h"
#include "components/driver/common/page_setup.h"
#include "components/driver/common/printer_access.h"
#include "components/driver/ui/document_properties.h"
#include "components/driver/ui/plotui_resources.h"
#include "components/langdll/driver_resources.h"

namespace plotter {
namespace {

constexpr int kIconSize = 32;

// Lives from the sheet's INIT to its DESTROY.
struct Sheet {
  SheetKind kind = SheetKind::kDevice;
  std::wstring printerName;
  Characterization device;
  PageTexts texts;
  platform::UniqueIcon icon;
  const DOCUMENTPROPERTYHEADER* document = nullptr;  // the document sheet's caller
  DEVMODEW devmode{};
  PROPSHEETPAGEW page{};
};

unsigned Millimetres(int32_t thousandths) { return static_cast<unsigned>((thousandths + 500) / 1000); }

struct SheetPrinter {
  HANDLE handle;
  const wchar_t* name;
};

SheetPrinter PrinterOfSheet(LPARAM lParam, SheetKind kind) {
  if (kind == SheetKind::kDocument) {
    const auto* header = reinterpret_cast<const DOCUMENTPROPERTYHEADER*>(lParam);
    return {header->hPrinter, header->pszPrinterName};
  }
  const auto* header = reinterpret_cast<const DEVICEPROPERTYHEADER*>(lParam);
  return {header->hPrinter, header->pszPrinterName};
}

void ShowTexts(HWND dialog, const Sheet& sheet) {
  SetDlgItemTextW(dialog, IDC_RESOLUTION_LABEL, sheet.texts.resolutionLabel.c_str());
  SetDlgItemTextW(dialog, IDC_RESOLUTION, sheet.texts.resolution.c_str());
  SetDlgItemTextW(dialog, IDC_FORMS_LABEL, sheet.texts.formsLabel.c_str());
  for (const std::wstring& line : sheet.texts.forms) {
    SendDlgItemMessageW(dialog, IDC_FORMS, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  }
  if (sheet.kind == SheetKind::kDocument) {
    const size_t selected = FormOfPaperId(sheet.device, sheet.devmode.dmPaperSize);
    SendDlgItemMessageW(dialog, IDC_FORMS, LB_SETCURSEL, selected, 0);
  }
  if (sheet.icon)
    SendDlgItemMessageW(dialog, IDC_PRINTER_ICON, STM_SETICON, reinterpret_cast<WPARAM>(sheet.icon.Get()), 0);
}

void ApplySelectedForm(HWND dialog, Sheet& sheet) {
  if (sheet.kind != SheetKind::kDocument) return;
  const LRESULT selected = SendDlgItemMessageW(dialog, IDC_FORMS, LB_GETCURSEL, 0, 0);
  if (selected >= 0 && static_cast<size_t>(selected) < sheet.device.forms.size()) {
    DEVMODEW requested{};
    requested.dmSize = sizeof(DEVMODEW);
    requested.dmFields = DM_PAPERSIZE;
    requested.dmPaperSize = PaperIdOfForm(static_cast<size_t>(selected));
    MergeDevMode(sheet.devmode, requested, sheet.device);
  }
  WriteDocumentDevMode(sheet.devmode, *sheet.document);
}

INT_PTR CALLBACK PageProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* sheet = reinterpret_cast<Sheet*>(reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam);
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(sheet));
    ShowTexts(dialog, *sheet);
    return TRUE;
  }
  auto* sheet = reinterpret_cast<Sheet*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (message == WM_NOTIFY && sheet &&
      reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(PSN_APPLY)) {
    ApplySelectedForm(dialog, *sheet);
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, PSNRET_NOERROR);
    return TRUE;
  }
  return FALSE;
}

std::unique_ptr<Sheet> OpenSheet(LPARAM lParam, SheetKind kind) {
  const SheetPrinter given = PrinterOfSheet(lParam, kind);
  const PrinterAccess printer(given.handle, given.name);
  const ParseResult parsed = LoadPrinterCharacterization(printer.Get());
  if (!parsed.ok()) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  auto sheet = std::make_unique<Sheet>();
  sheet->kind = kind;
  sheet->printerName = given.name ? given.name : L"";
  sheet->device = parsed.data;
  const ResourceModule strings(LanguageDllPath(printer.Get()));
  sheet->texts = ComposePageTexts(sheet->device, strings, kind);
  sheet->icon.Attach(ResourceModule(SupportFilePath(kImageDll)).Icon(IDI_PRINTER, kIconSize));
  if (kind == SheetKind::kDocument) {
    sheet->document = reinterpret_cast<const DOCUMENTPROPERTYHEADER*>(lParam);
    sheet->devmode = DocumentDevMode(sheet->device, *sheet->document);
    if (!WriteDocumentDevMode(sheet->devmode, *sheet->document)) return nullptr;
  }
  return sheet;
}

LONG AddPage(PROPSHEETUI_INFO& info, LPARAM lParam, SheetKind kind) {
  std::unique_ptr<Sheet> sheet = OpenSheet(lParam, kind);
  if (!sheet) return ERR_CPSUI_GETLASTERROR;
  PROPSHEETPAGEW& page = sheet->page;
  page.dwSize = sizeof(page);
  page.dwFlags = PSP_USETITLE;
  page.hInstance = ThisModule();
  page.pszTemplate = MAKEINTRESOURCEW(IDD_PRINTER_PAGE);
  page.pfnDlgProc = PageProc;
  page.pszTitle = sheet->texts.title.c_str();
  page.lParam = reinterpret_cast<LPARAM>(sheet.get());
  if (info.pfnComPropSheet(info.hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW, reinterpret_cast<LPARAM>(&page),
                           0) <= 0) {
    return ERR_CPSUI_GETLASTERROR;
  }
  info.UserData = reinterpret_cast<ULONG_PTR>(sheet.release());
  info.Result = CPSUI_CANCEL;
  return CPSUI_OK;
}

LONG DescribeSheet(const PROPSHEETUI_INFO& info, LPARAM lParam) {
  const auto* sheet = reinterpret_cast<const Sheet*>(info.UserData);
  auto* header = reinterpret_cast<PROPSHEETUI_INFO_HEADER*>(lParam);
  if (!sheet || !header) return ERR_CPSUI_GETLASTERROR;
  header->Flags = PSUIHDRF_PROPTITLE | PSUIHDRF_NOAPPLYNOW;
  header->pTitle = const_cast<LPWSTR>(sheet->printerName.c_str());
  header->hInst = ThisModule();
  if (sheet->icon) {
    header->Flags |= PSUIHDRF_USEHICON;
    header->hIcon = sheet->icon.Get();
  } else {
    header->IconID = IDI_CPSUI_PRINTER;
  }
  return CPSUI_OK;
}

}  // namespace

PageTexts ComposePageTexts(const Characterization& device, const ResourceModule& strings, SheetKind kind) {
  PageTexts texts;
  texts.title =
      strings.String(kind == SheetKind::kDocument ? IDS_DOCUMENT_PAGE_TITLE : IDS_DEVICE_PAGE_TITLE);
  texts.resolutionLabel = strings.String(IDS_RESOLUTION_LABEL);
  texts.resolution = FormatText(strings.String(IDS_RESOLUTION_FORMAT).c_str(), unsigned{device.dpiX},
                                unsigned{device.dpiY});
  texts.formsLabel = strings.String(IDS_FORMS_LABEL);
  const std::wstring formPattern = strings.String(IDS_FORM_FORMAT);
  for (const Form& form : device.forms) {
    texts.forms.push_back(FormatText(formPattern.c_str(), WideFormName(form).c_str(),
                                     Millimetres(form.width), Millimetres(form.height)));
  }
  return texts;
}

LONG HandleSheetEvent(PROPSHEETUI_INFO& info, LPARAM lParam, SheetKind kind) {
  switch (info.Reason) {
    case PROPSHEETUI_REASON_INIT: return AddPage(info, info.lParamInit, kind);
    case PROPSHEETUI_REASON_GET_INFO_HEADER: return DescribeSheet(info, lParam);
    case PROPSHEETUI_REASON_SET_RESULT:
      info.Result = reinterpret_cast<const SETRESULT_INFO*>(lParam)->Result;
      return CPSUI_OK;
    case PROPSHEETUI_REASON_DESTROY:
      delete reinterpret_cast<Sheet*>(info.UserData);
      info.UserData = 0;
      return CPSUI_OK;
    default: return 0;
  }
}

}  // namespace plotter
