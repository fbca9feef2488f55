// Shows every wizard page in a window shaped like the wizard dialog, one page per line read
// from standard input, so that shoot-pages.sh can take a screenshot of each.
// Usage: wizard_page_gallery LANGUAGE_ID [WIZARD_TEXT_FILE]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/framework/gdi.h"
#include "texts/documents_folder.h"
#include "texts/file_bytes.h"
#include "texts/language.h"
#include "texts/text_ini.h"
#include "texts/wizard_config.h"
#include "ui/wizard_wnd.h"

namespace {

constexpr int kDialogWidth = 523;
constexpr int kDialogHeight = 365;
constexpr int kPages[] = {ui::kWelcomePage,    ui::kFolderPage,   ui::kSettingsPage, ui::kInstallingPage,
                          ui::kFinishedPage,   ui::kCancelledPage, ui::kFailedPage,   ui::kFailurePage};

// The dialog's part of the picture: the etched line above the buttons, and the buttons.
class GalleryWindow : public framework::CWnd {
 public:
  GalleryWindow() {
    const std::wstring windowClass =
        RegisterWndClass(0, LoadCursorW(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr);
    CreateEx(0, windowClass.c_str(), L"USB printer driver installation Wizard", WS_CAPTION | WS_SYSMENU, 0, 0,
             kDialogWidth, kDialogHeight, nullptr, 0);
    const RECT client = GetClientRect();
    const wchar_t* captions[] = {L"Back", L"Next", L"Cancel"};
    for (int index = 0; index < 3; ++index) {
      CreateWindowExW(0, L"BUTTON", captions[index], WS_CHILD | WS_VISIBLE, client.right - 252 + 83 * index,
                      client.bottom - 33, 78, 23, m_hWnd, nullptr, nullptr, nullptr);
    }
  }

 protected:
  bool OnWndMsg(UINT message, WPARAM, LPARAM, LRESULT& result) override {
    if (message != WM_PAINT) return false;
    framework::CPaintDC paint(m_hWnd);
    const RECT client = GetClientRect();
    for (const auto& [offset, color] : {std::pair{50, RGB(172, 168, 153)}, std::pair{49, RGB(255, 255, 255)}}) {
      const framework::UniquePen pen(CreatePen(PS_SOLID, 1, color));
      const framework::ScopedSelection selectPen(paint.Get(), pen.Get());
      MoveToEx(paint.Get(), 1, client.bottom - offset, nullptr);
      LineTo(paint.Get(), client.right - 1, client.bottom - offset);
    }
    result = 0;
    return true;
  }
};

// Lets the window settle on screen.
void PumpMessagesFor(DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  for (DWORD now = GetTickCount(); now < end; now = GetTickCount()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int languageId = argc > 1 ? _wtoi(argv[1]) : texts::kEnglish;
  if (argc > 2) texts::LoadWizardTexts(argv[2]);

  GalleryWindow dialog;
  ui::CWizardWnd wizard;
  wizard.Create(&dialog, languageId);
  // What start-up reads from the package; shoot-pages.sh leaves the package's files in Documents.
  std::wstring documents;
  if (texts::GetDocumentsFolder(documents)) {
    const std::optional<std::vector<uint8_t>> textIni = texts::ReadFileBytes((documents + L"\\Text.ini").c_str());
    texts::TakeTextIni(textIni ? &*textIni : nullptr);
    if (const std::optional<std::vector<uint8_t>> logo = texts::ReadFileBytes((documents + L"\\Logo.bmp").c_str())) {
      wizard.SetLogo(*logo);
    }
  }
  dialog.ShowWindow(SW_SHOWNA);
  for (const int page : kPages) {
    wizard.m_nPage = page;
    wizard.ShowFolderField(page == ui::kFolderPage);
    PumpMessagesFor(500);
    std::printf("page %d\n", page);
    std::fflush(stdout);
    char line[16];
    if (std::fgets(line, sizeof line, stdin) == nullptr) break;
  }
  return 0;
}
