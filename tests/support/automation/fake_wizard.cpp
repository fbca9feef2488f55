// A stand-in for the installer's wizard, the wizard driver's test partner: the same control ids,
// a page window holding a folder field, a question on Next, the port choice dialog on Browse and
// a question on Cancel. It writes one UTF-8 line to stdout for every notification it gets and,
// when it closes, the final state of its fields, so a test can see what the driver did.
//   fake_wizard.exe > REPORT
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

#include "fake_wizard.h"

namespace {

constexpr wchar_t kTitle[] = L"Fake Setup — Мастер 安装";
constexpr wchar_t kPageClass[] = L"FakeWizardPage";
constexpr wchar_t kInitialFolder[] = L"C:\\Program Files\\Fake Printer";
constexpr int kFolderFieldId = 1001;  // as in the installer, the id of Next again
constexpr UINT_PTR kWorkTimer = 1;
constexpr UINT kWorkMilliseconds = 500;
constexpr int kPortColumnWidth = 140;

constexpr const wchar_t* kModels[] = {L"Alpha", L"beta", L"Beta", L"打印机 X", L"Принтер"};

struct PortRow {
  const wchar_t* columns[3];
};
constexpr PortRow kPorts[] = {
    {{L"COM1:", L"Serial port", L"Local Port"}},
    {{L"LPT1:", L"Printer port", L"Local Port"}},
    {{L"USB001", L"Virtual printer port for USB", L"USB Monitor"}},
    {{L"Порт 打印", L"Тест 测试", L"Local Port"}},
};

void Report(const std::wstring& line) {
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(size, '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8.data(), size, nullptr, nullptr);
  utf8.back() = '\n';
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fflush(stdout);
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

HINSTANCE Instance() { return ::GetModuleHandleW(nullptr); }

HWND FolderField(HWND wizard) { return reinterpret_cast<HWND>(::GetWindowLongPtrW(wizard, DWLP_USER)); }

// Page window, frame and edit, nested as in the installer.
void CreateFolderField(HWND wizard) {
  const HWND page =
      ::CreateWindowExW(0, kPageClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 460, 40, wizard, nullptr, Instance(), nullptr);
  const HWND frame =
      ::CreateWindowExW(0, kPageClass, L"", WS_CHILD | WS_VISIBLE, 10, 8, 400, 24, page, nullptr, Instance(), nullptr);
  const HWND edit = ::CreateWindowExW(0, L"Edit", kInitialFolder, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 2,
                                      2, 396, 20, frame, reinterpret_cast<HMENU>(kFolderFieldId), Instance(), nullptr);
  ::SetWindowLongPtrW(wizard, DWLP_USER, reinterpret_cast<LONG_PTR>(edit));
}

void FillModels(HWND wizard) {
  for (const wchar_t* model : kModels) {
    ::SendDlgItemMessageW(wizard, IDC_MODEL, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(model));
  }
}

void AddPortColumns(HWND list) {
  for (int column = 0; column < 3; ++column) {
    LVCOLUMNW format{};
    format.mask = LVCF_WIDTH | LVCF_SUBITEM;
    format.cx = kPortColumnWidth;
    format.iSubItem = column;
    ::SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&format));
  }
}

void AddPortRows(HWND list) {
  int row = 0;
  for (const PortRow& port : kPorts) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(port.columns[0]);
    ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (item.iSubItem = 1; item.iSubItem < 3; ++item.iSubItem) {
      item.pszText = const_cast<wchar_t*>(port.columns[item.iSubItem]);
      ::SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    }
    ++row;
  }
}

// As in the installer, OK without a selected row keeps the dialog open.
void TakeSelectedPort(HWND dialog) {
  const HWND list = ::GetDlgItem(dialog, IDC_PORT_LIST);
  const int row = static_cast<int>(::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (row < 0) return;
  wchar_t port[64] = {};
  LVITEMW item{};
  item.pszText = port;
  item.cchTextMax = 64;
  ::SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  *reinterpret_cast<std::wstring*>(::GetWindowLongPtrW(dialog, DWLP_USER)) = port;
  ::EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK PortDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);  // where the chosen port goes
    AddPortColumns(::GetDlgItem(dialog, IDC_PORT_LIST));
    AddPortRows(::GetDlgItem(dialog, IDC_PORT_LIST));
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  if (LOWORD(wParam) == IDOK) TakeSelectedPort(dialog);
  if (LOWORD(wParam) == IDCANCEL) ::EndDialog(dialog, IDCANCEL);
  return TRUE;
}

void ChoosePort(HWND wizard) {
  std::wstring port;
  const INT_PTR result = ::DialogBoxParamW(Instance(), MAKEINTRESOURCEW(IDD_FAKE_PORTS), wizard, PortDialogProc,
                                           reinterpret_cast<LPARAM>(&port));
  Report(result == IDOK ? L"port " + port : L"port cancelled");
}

void AskToInstall(HWND wizard) {
  const int answer = ::MessageBoxW(wizard, L"Install the driver now?", L"Fake question", MB_YESNO | MB_ICONQUESTION);
  Report(L"question " + std::to_wstring(answer));
  if (answer == IDYES) ::SetTimer(wizard, kWorkTimer, kWorkMilliseconds, nullptr);
}

// Stands for the installation worker, whose results reach the dialog some time later.
void FinishWork(HWND wizard) {
  ::KillTimer(wizard, kWorkTimer);
  ::EnableWindow(::GetDlgItem(wizard, IDC_BACK), TRUE);
  ::ShowWindow(::GetDlgItem(wizard, IDC_PROGRESS), SW_SHOW);
  ::SetDlgItemTextW(wizard, IDC_CANCEL_BUTTON, L"Finish");
}

void ReportFinalState(HWND wizard) {
  Report(L"name " + TextOf(::GetDlgItem(wizard, IDC_NAME)));
  Report(L"folder " + TextOf(FolderField(wizard)));
  Report(L"default-printer " + std::to_wstring(::IsDlgButtonChecked(wizard, IDC_DEFAULT_PRINTER)));
}

void AskToQuit(HWND wizard) {
  const int answer = ::MessageBoxW(wizard, L"Выйти из установки? 退出安装？", kTitle, MB_OKCANCEL);
  Report(L"quit " + std::to_wstring(answer));
  if (answer != IDOK) return;
  ReportFinalState(wizard);
  ::EndDialog(wizard, 0);
}

void ReportSelection(HWND wizard, HWND sender) {
  const HWND combo = ::GetDlgItem(wizard, IDC_MODEL);
  const LRESULT index = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
  Report(L"selchange " + std::to_wstring(index) + (sender == combo ? L" from-combo" : L" from-elsewhere"));
}

void OnCommand(HWND wizard, int id, int code, HWND sender) {
  const bool clicked = code == BN_CLICKED;
  if (id == IDC_NEXT && clicked) AskToInstall(wizard);
  if (id == IDC_BROWSE && clicked) ChoosePort(wizard);
  if (id == IDC_BACK && clicked) Report(L"back");
  if (id == IDC_CANCEL_BUTTON && clicked) AskToQuit(wizard);
  if (id == IDC_DEFAULT_PRINTER && clicked) {
    Report(L"clicked default-printer " + std::to_wstring(::IsDlgButtonChecked(wizard, IDC_DEFAULT_PRINTER)));
  }
  if (id == IDC_MODEL && code == CBN_SELCHANGE) ReportSelection(wizard, sender);
}

INT_PTR CALLBACK WizardProc(HWND wizard, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      ::SetWindowTextW(wizard, kTitle);
      FillModels(wizard);
      CreateFolderField(wizard);
      return TRUE;
    case WM_COMMAND:
      OnCommand(wizard, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return TRUE;
    case WM_TIMER:
      if (wParam == kWorkTimer) FinishWork(wizard);
      return TRUE;
    default:
      return FALSE;
  }
}

void RegisterPageClass() {
  WNDCLASSW pageClass{};
  pageClass.lpfnWndProc = ::DefWindowProcW;
  pageClass.hInstance = Instance();
  pageClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  pageClass.lpszClassName = kPageClass;
  ::RegisterClassW(&pageClass);
}

}  // namespace

int main() {
  _setmode(_fileno(stdout), _O_BINARY);
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
  ::InitCommonControlsEx(&classes);
  RegisterPageClass();
  ::DialogBoxParamW(Instance(), MAKEINTRESOURCEW(IDD_FAKE_WIZARD), nullptr, WizardProc, 0);
  return 0;
}
