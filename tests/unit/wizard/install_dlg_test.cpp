// The wizard dialog (template 102) run for real and driven by control id: what each page shows,
// the captions of each language, every check of Next with its message, the port settings and
// what leaving the settings page hands to the installation, and when the dialog may close.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <winspool.h>

#include <algorithm>
#include <cwchar>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/install_app.h"
#include "platform/fault_injection.h"
#include "platform/install_log.h"
#include "resources/resource.h"
#include "spooler/ports.h"
#include "tests/unit/spooler/test_registry.h"
#include "tests/unit/support/test_files.h"
#include "tests/unit/wizard/simulated_usb_printer.h"
#include "tests/unit/wizard/wizard_session.h"
#include "texts/model_catalogue.h"
#include "texts/wizard_config.h"
#include "tools/mkpackage/package_builder.h"
#include "wizard/install_dlg.h"
#include "wizard/installation_choices.h"
#include "wizard/page_checks.h"

namespace {

using test::ControlIds;
using test::Items;
using test::kNoMessage;
using test::Owner;
using test::ShownMessage;

using ui::kFailurePage;
using ui::kFinishedPage;
using ui::kFolderPage;
using ui::kInstallingPage;
using ui::kSettingsPage;
using ui::kWelcomePage;

const std::vector<std::wstring> kCatalogue = {
    L"//Name,Cutter,Family,GPD,vid&pid,DPI,Hardware id,Width,Height",
    L"Demo80,1,POS80,ESC.GPD,vid_1a2b&pid_0001,203,UnknownPrinter,720,32760",
    L"Demo58,0,POS58,ESC.GPD,vid_1a2b&pid_0002,203,UnknownPrinter,480,32760",
    L"Demo Label 110,0,POS110,ESC.GPD,vid_1a2b&pid_0003,300,UnknownPrinter,1100,1500"};
const Items kModels = {L"Demo80", L"Demo58", L"Demo Label 110"};
// The ports of a new Wine prefix, as the port list shows them.
const Items kLocalPorts = {L"COM1", L"COM2", L"COM3", L"COM4", L"LPT1", L"LPT2", L"LPT3"};
constexpr wchar_t kEnglishNetworkItem[] = L"Net Port(TCP/IP)";

// Some keys translated, the others left to their defaults.
constexpr wchar_t kRussianTextIni[] =
    L"[Text]\r\n"
    L"Back=Назад\r\n"
    L"Browse=Обзор\r\n"
    L"DriverTitle=Модель:\r\n"
    L"DefaultPrinter=Принтер по умолчанию\r\n"
    L"Please select model=Выберите модель\r\n"
    L"NoSelectPrinter=Модель принтера не выбрана\r\n"
    L"Finish=Готово\r\n";

const ControlIds kNavigation = {IDC_BACK, IDC_NEXT, IDC_CANCEL_BUTTON};
const ControlIds kSettingsControls = {IDC_SETTINGS_GROUP, IDC_MODEL_LABEL,     IDC_MODEL_COMBO, IDC_NAME_LABEL,
                                      IDC_PRINTER_NAME,   IDC_DEFAULT_PRINTER, IDC_PORT_LABEL,  IDC_PORT_COMBO};
const ControlIds kSerialGroup = {IDC_BAUD_LABEL,   IDC_BAUD_COMBO,   IDC_DATA_BITS_LABEL, IDC_DATA_BITS_COMBO,
                                 IDC_PARITY_LABEL, IDC_PARITY_COMBO, IDC_STOP_BITS_LABEL, IDC_STOP_BITS_COMBO,
                                 IDC_FLOW_LABEL,   IDC_FLOW_COMBO};
const ControlIds kNetworkControls = {IDC_IP_LABEL, IDC_IP_EDIT, IDC_TCP_PORT_LABEL, IDC_TCP_PORT_EDIT};

ControlIds Joined(std::initializer_list<ControlIds> groups) {
  ControlIds joined;
  for (const ControlIds& group : groups) joined.insert(joined.end(), group.begin(), group.end());
  return joined;
}

const ControlIds kEveryControl = Joined(
    {kNavigation, {IDC_BROWSE, IDC_PROGRESS, IDC_USE_MONITOR}, kSettingsControls, kSerialGroup, kNetworkControls});

// The controls of `groups`, in the order of kEveryControl (the order VisibleOf reports).
ControlIds Only(std::initializer_list<ControlIds> groups) {
  const ControlIds wanted = Joined(groups);
  ControlIds ordered;
  std::copy_if(kEveryControl.begin(), kEveryControl.end(), std::back_inserter(ordered),
               [&](int id) { return std::find(wanted.begin(), wanted.end(), id) != wanted.end(); });
  return ordered;
}

Items Joined(const Items& first, const Items& second) {
  Items joined = first;
  joined.insert(joined.end(), second.begin(), second.end());
  return joined;
}

test::WizardSetup In(int languageId, std::optional<std::wstring> textIni = std::nullopt) {
  return {languageId, kCatalogue, std::move(textIni)};
}

std::wstring SerialSettingsOf(const wchar_t* port) {
  const std::optional<test::RegistryText> value = test::ReadMachineString(spooler::kSerialPortsKey, port);
  return value ? value->text : L"(none)";
}

void ResetWizardValues() {
  texts::WizardConfig = {};
  texts::ModelTable = {};
}

class InstallDlgTest : public testing::Test {
 protected:
  void SetUp() override { ResetWizardValues(); }
  void TearDown() override {
    m_session.reset();
    ResetWizardValues();
  }

  // Runs the dialog; false when it did not show.
  bool Open(const test::WizardSetup& setup) {
    m_session.reset();
    m_session = std::make_unique<test::WizardSession>(setup);
    return m_session->Dialog() != nullptr;
  }
  test::WizardSession& dialog() { return *m_session; }

  // Next from the welcome page up to `page`, each step without message.
  void GoTo(int page) {
    while (dialog().Page() < page) {
      const int from = dialog().Page();
      ASSERT_EQ(dialog().Click(IDC_NEXT), kNoMessage) << "leaving page " << from;
      ASSERT_EQ(dialog().Page(), from + 1);
    }
  }

  void ExpectPage(int page, const ControlIds& visible, bool folderField) {
    SCOPED_TRACE(testing::Message() << "page " << page);
    EXPECT_EQ(dialog().Page(), page);
    EXPECT_EQ(dialog().VisibleOf(kEveryControl), visible);
    EXPECT_EQ(dialog().IsFolderFieldVisible(), folderField);
    EXPECT_EQ(dialog().EnabledOf(kNavigation), kNavigation);
  }

  void ExpectCaptions(const std::vector<std::pair<int, std::wstring>>& captions) {
    for (const auto& [id, text] : captions) EXPECT_EQ(dialog().Text(id), text) << "control " << id;
  }

  // Leaves the settings page and checks that the installation has started (a quick one may
  // have ended already: its end is posted by the worker).
  void ConfirmSettings() {
    ASSERT_EQ(dialog().Click(IDC_NEXT), kNoMessage);
    const int page = dialog().Page();
    ASSERT_TRUE(page == kInstallingPage || page == kFinishedPage || page == kFailurePage) << "page " << page;
  }

 private:
  std::unique_ptr<test::WizardSession> m_session;
};

// ---- Pages and their controls

TEST_F(InstallDlgTest, EachPageShowsItsOwnControlsAndBackReturnsToTheEarlierPages) {
  ASSERT_TRUE(Open(In(texts::kEnglish)));
  const ControlIds welcome = Only({{IDC_NEXT, IDC_CANCEL_BUTTON}});
  const ControlIds folder = Only({kNavigation, {IDC_BROWSE}});
  const ControlIds settings = Only({kNavigation, kSettingsControls, kSerialGroup});

  ExpectPage(kWelcomePage, welcome, false);
  ASSERT_EQ(dialog().Click(IDC_NEXT), kNoMessage);
  ExpectPage(kFolderPage, folder, true);
  ASSERT_EQ(dialog().Click(IDC_NEXT), kNoMessage);
  ExpectPage(kSettingsPage, settings, false);
  EXPECT_EQ(dialog().EnabledOf(kSerialGroup), ControlIds{}) << "USB, the first port, has no serial settings";

  ASSERT_EQ(dialog().Click(IDC_BACK), kNoMessage);
  ExpectPage(kFolderPage, folder, true);
  ASSERT_EQ(dialog().Click(IDC_BACK), kNoMessage);
  ExpectPage(kWelcomePage, welcome, false);
  ASSERT_EQ(dialog().Click(IDC_BACK), kNoMessage);
  ExpectPage(kWelcomePage, welcome, false);

  GoTo(kSettingsPage);
  ExpectPage(kSettingsPage, settings, false);
  EXPECT_EQ(dialog().Close(), IDCANCEL);
}

// Pages painted by the page window, as the dialog names them when each paint happens. Written
// and read on the dialog's thread only (the test reads it after the click has been handled).
struct PaintRecorder {
  static inline test::WizardSession* session = nullptr;
  static inline WNDPROC original = nullptr;
  static inline std::vector<int> pages;

  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) pages.push_back(session->Page());
    return ::CallWindowProcW(original, window, message, wParam, lParam);
  }
};

HWND PageWindowOf(const test::WizardSession& session) {
  HWND window = session.FolderEdit();
  while (window != nullptr && ::GetParent(window) != session.Dialog()) window = ::GetParent(window);
  return window;
}

// A page that hides repaints the page window at once; by then the window must show the next
// page, or the old page's text stays where the next page's controls stand.
TEST_F(InstallDlgTest, LeavingAPageNeverRepaintsItUnderTheNextOne) {
  ASSERT_TRUE(Open(In(texts::kEnglish)));
  GoTo(kFolderPage);
  const HWND pageWindow = PageWindowOf(dialog());
  ASSERT_NE(pageWindow, nullptr);
  PaintRecorder::session = &dialog();
  PaintRecorder::pages.clear();
  PaintRecorder::original = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(pageWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PaintRecorder::Proc)));

  ASSERT_EQ(dialog().Click(IDC_NEXT), kNoMessage);
  ASSERT_EQ(dialog().Page(), kSettingsPage);
  ASSERT_EQ(dialog().Click(IDC_BACK), kNoMessage);
  ASSERT_EQ(dialog().Page(), kFolderPage);

  ::SetWindowLongPtrW(pageWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PaintRecorder::original));
  const std::vector<int> painted = PaintRecorder::pages;
  ASSERT_FALSE(painted.empty());
  const auto firstFolderPaint = std::find(painted.begin(), painted.end(), int{kFolderPage});
  EXPECT_TRUE(std::find(painted.begin(), firstFolderPaint, int{kSettingsPage}) != firstFolderPaint)
      << "the settings page was painted first";
  EXPECT_TRUE(std::all_of(painted.begin(), firstFolderPaint, [](int page) { return page == kSettingsPage; }))
      << "the folder page was painted after its Next";
  EXPECT_TRUE(std::all_of(firstFolderPaint, painted.end(), [](int page) { return page == kFolderPage; }))
      << "the settings page was painted after its Back";
  EXPECT_EQ(dialog().Close(), IDCANCEL);
}

// The system turns Enter into IDOK only where no button is the default; both ways Enter is Next
// before the installation and Finish after it, never a plain end. Esc cancels.
TEST_F(InstallDlgTest, EnterIsTheDefaultButtonNextBeforeTheInstallationAndEscCancels) {
  ASSERT_TRUE(Open(In(texts::kEnglish)));
  for (int page = kWelcomePage; page <= kSettingsPage; ++page) {
    SCOPED_TRACE(testing::Message() << "page " << page);
    EXPECT_EQ(::SendMessageW(dialog().Dialog(), DM_GETDEFID, 0, 0), MAKELRESULT(IDC_NEXT, DC_HASDEFID));
    if (page == kSettingsPage) break;
    dialog().PressEnter();
    ASSERT_TRUE(dialog().IsOpen()) << "Enter ended the wizard";
    EXPECT_EQ(dialog().Page(), page + 1);
  }
  for (int page = kWelcomePage; page <= kSettingsPage; ++page) {
    SCOPED_TRACE(testing::Message() << "Esc on page " << page);
    ASSERT_TRUE(Open(In(texts::kEnglish)));
    GoTo(page);
    dialog().PressEsc();
    EXPECT_EQ(dialog().WaitForEnd(), IDCANCEL);
  }
}

// The page table's rows on the running dialog: the button Enter presses and where the focus
// starts, page by page, as the dialog's own thread sees its focus.
TEST_F(InstallDlgTest, EachPageTakesItsDefaultButtonAndFocusFromThePageTable) {
  ASSERT_TRUE(Open(In(texts::kEnglish)));
  const auto expectKeys = [this](int defaultId, HWND focus) {
    EXPECT_EQ(::SendMessageW(dialog().Dialog(), DM_GETDEFID, 0, 0), MAKELRESULT(defaultId, DC_HASDEFID));
    EXPECT_EQ(dialog().Focus(), focus);
  };
  expectKeys(IDC_NEXT, dialog().Item(IDC_NEXT));
  GoTo(kFolderPage);
  expectKeys(IDC_NEXT, dialog().FolderEdit());
  GoTo(kSettingsPage);
  expectKeys(IDC_NEXT, dialog().Item(IDC_MODEL_COMBO));
  ASSERT_EQ(dialog().Click(IDC_BACK), kNoMessage);
  expectKeys(IDC_NEXT, dialog().FolderEdit());
  GoTo(kSettingsPage);

  dialog().Select(IDC_PORT_COMBO, kEnglishNetworkItem);
  dialog().SetText(IDC_IP_EDIT, L"192.168.0.51");
  ASSERT_NO_FATAL_FAILURE(ConfirmSettings());
  const HWND portChoice = dialog().WaitForPortChoice();  // holds the installation on its page
  ASSERT_NE(portChoice, nullptr);
  EXPECT_TRUE(dialog().IsInstalling());
  ::PostMessageW(portChoice, WM_COMMAND, IDCANCEL, 0);
  dialog().WaitForInstallationEnd();
  ASSERT_EQ(dialog().Page(), kFailurePage);
  expectKeys(IDC_CANCEL_BUTTON, dialog().Item(IDC_CANCEL_BUTTON));
  EXPECT_EQ(dialog().Close(), IDCANCEL);
}

// The tests' view of the dialog is answered by the dialog's own thread (whose focus no other
// thread sees), with the choices as the pages confirmed them, until the dialog has gone.
TEST_F(InstallDlgTest, StateQueryIsAnsweredOnTheDialogsThreadUntilItEnds) {
  ASSERT_TRUE(Open(In(texts::kEnglish)));
  std::optional<wizard::WizardState> state = dialog().State();
  ASSERT_TRUE(state.has_value());
  EXPECT_EQ(state->page, kWelcomePage);
  EXPECT_FALSE(state->installing);
  EXPECT_EQ(state->choices.InstallRoot, L"") << "no folder is chosen before the folder page's Next";
  EXPECT_EQ(state->status, L"Please wait...");
  EXPECT_TRUE(IsChild(dialog().Dialog(), state->folderField));
  EXPECT_EQ(state->focus, dialog().Item(IDC_NEXT));
  EXPECT_EQ(GetFocus(), nullptr) << "the test's thread has a focus of its own";

  GoTo(kSettingsPage);
  state = dialog().State();
  ASSERT_TRUE(state.has_value());
  EXPECT_EQ(state->page, kSettingsPage);
  EXPECT_EQ(state->choices.InstallRoot, wizard::DefaultInstallFolder());
  EXPECT_EQ(dialog().Close(), IDCANCEL);
  EXPECT_FALSE(dialog().State().has_value()) << "a dialog that has gone answers nothing";
}

// A control reaching past the dialog's edge is cut off there (the progress bar of the template is
// wider than the laid-out dialog).
TEST_F(InstallDlgTest, EveryControlLiesInsideTheDialog) {
  ASSERT_TRUE(Open(In(texts::kEnglish)));
  RECT client = {};
  GetClientRect(dialog().Dialog(), &client);
  for (int id : kEveryControl) {
    RECT rect = {};
    GetWindowRect(dialog().Item(id), &rect);
    MapWindowPoints(nullptr, dialog().Dialog(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_TRUE(rect.left >= 0 && rect.top >= 0 && rect.right <= client.right && rect.bottom <= client.bottom)
        << "control " << id << ": " << rect.left << "," << rect.top << " - " << rect.right << "," << rect.bottom
        << " in " << client.right << " x " << client.bottom;
  }
  EXPECT_EQ(dialog().Close(), IDCANCEL);
}

// Moved to a monitor of 150 %: the dialog takes the rectangle Windows suggests and places what it
// places itself for 144 DPI (measures of 96 DPI times 1.5), the page window above the button strip.
TEST_F(InstallDlgTest, DpiChangeTakesTheSuggestedRectangleAndLaysTheDialogOutAgain) {
  ASSERT_TRUE(Open(In(texts::kEnglish)));
  GoTo(kFolderPage);
  RECT suggested = {10, 20, 10 + 785, 20 + 548};
  SendMessageW(dialog().Dialog(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  RECT window = {};
  GetWindowRect(dialog().Dialog(), &window);
  EXPECT_TRUE(EqualRect(&window, &suggested)) << window.left << "," << window.top << " - " << window.right << ","
                                              << window.bottom;
  RECT client = {};
  GetClientRect(dialog().Dialog(), &client);
  const auto inDialog = [&](HWND control) {
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog().Dialog(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  };
  const RECT next = inDialog(dialog().Item(IDC_NEXT));
  EXPECT_EQ(next.left, client.right - MulDiv(169, 144, 96));
  EXPECT_EQ(next.top, client.bottom - MulDiv(33, 144, 96));
  EXPECT_EQ(next.right - next.left, MulDiv(78, 144, 96));
  EXPECT_EQ(next.bottom - next.top, MulDiv(23, 144, 96));
  const RECT browse = inDialog(dialog().Item(IDC_BROWSE));
  EXPECT_EQ(browse.top, client.bottom - MulDiv(156, 144, 96));
  HWND pageWindow = GetWindow(dialog().Dialog(), GW_CHILD);
  while (pageWindow != nullptr && GetDlgCtrlID(pageWindow) != 0) pageWindow = GetWindow(pageWindow, GW_HWNDNEXT);
  ASSERT_NE(pageWindow, nullptr);
  const RECT page = inDialog(pageWindow);
  EXPECT_EQ(page.bottom, client.bottom - MulDiv(50, 144, 96));
  EXPECT_EQ(page.right, client.right - 2);
  EXPECT_EQ(dialog().Close(), IDCANCEL);
}

// ---- Captions

TEST_F(InstallDlgTest, EnglishCaptionsAndListsWithTheBuiltInTitle) {
  ASSERT_TRUE(Open(In(texts::kEnglish)));
  EXPECT_EQ(dialog().Title(), L"USB printer driver installation Wizard");
  ExpectCaptions({{IDC_BACK, L"Back"},
                  {IDC_NEXT, L"Next"},
                  {IDC_CANCEL_BUTTON, L"Cancel"},
                  {IDC_BROWSE, L"Browse"},
                  {IDC_SETTINGS_GROUP, L"Select Port"},
                  {IDC_MODEL_LABEL, L"Model:"},
                  {IDC_NAME_LABEL, L"Printer Name:"},
                  {IDC_DEFAULT_PRINTER, L"Set as default printer"},
                  {IDC_PORT_LABEL, L"Port:"},
                  {IDC_BAUD_LABEL, L"Baudrate:"},
                  {IDC_PARITY_LABEL, L"Parity bit:"},
                  {IDC_STOP_BITS_LABEL, L"Stop bits:"},
                  {IDC_FLOW_LABEL, L"Flow control:"},
                  {IDC_DATA_BITS_LABEL, L"Data bits:"},
                  {IDC_USE_MONITOR, L"启用打印监视器"},
                  {IDC_IP_LABEL, L"Printer IP:"},
                  {IDC_TCP_PORT_LABEL, L"Port:"}});
  EXPECT_EQ(dialog().ItemsOf(IDC_MODEL_COMBO), Joined({L"Please select model"}, kModels));
  EXPECT_EQ(dialog().ItemsOf(IDC_PORT_COMBO), Joined(Joined({L"USB"}, kLocalPorts), {kEnglishNetworkItem}));
  EXPECT_EQ(dialog().ItemsOf(IDC_PARITY_COMBO), (Items{L"Even", L"Odd", L"None"}));
  EXPECT_EQ(dialog().ItemsOf(IDC_FLOW_COMBO), (Items{L"Xon / Xoff", L"Hardware", L"None"}));
  EXPECT_EQ(dialog().Close(), IDCANCEL);
}

TEST_F(InstallDlgTest, ChineseCaptionsAndLists) {
  ASSERT_TRUE(Open(In(texts::kChinese)));
  EXPECT_EQ(dialog().Title(), L"USB打印机驱动安装");
  ExpectCaptions({{IDC_BACK, L"<<上一步"},
                  {IDC_NEXT, L"下一步>>"},
                  {IDC_CANCEL_BUTTON, L"取消"},
                  {IDC_BROWSE, L"浏览..."},
                  {IDC_SETTINGS_GROUP, L"设置端口"},
                  {IDC_MODEL_LABEL, L"型号："},
                  {IDC_NAME_LABEL, L"打印机名称："},
                  {IDC_DEFAULT_PRINTER, L"设置为默认打印机"},
                  {IDC_PORT_LABEL, L"端口："},
                  {IDC_BAUD_LABEL, L"波特率："},
                  {IDC_PARITY_LABEL, L"奇偶校验："},
                  {IDC_STOP_BITS_LABEL, L"停止位："},
                  {IDC_FLOW_LABEL, L"数据流控制："},
                  {IDC_DATA_BITS_LABEL, L"数据位："},
                  {IDC_USE_MONITOR, L"启用打印监视器"},
                  {IDC_IP_LABEL, L"打印机IP:"},
                  {IDC_TCP_PORT_LABEL, L"端口："}});
  EXPECT_EQ(dialog().ItemsOf(IDC_MODEL_COMBO), Joined({L"请选择打印机型号"}, kModels));
  EXPECT_EQ(dialog().ItemsOf(IDC_PORT_COMBO), Joined(Joined({L"USB"}, kLocalPorts), {L"网络端口（TCP/IP）"}));
  EXPECT_EQ(dialog().ItemsOf(IDC_PARITY_COMBO), (Items{L"偶校验", L"奇校验", L"无"}));
  EXPECT_EQ(dialog().SelectedItem(IDC_PARITY_COMBO), L"无");
  EXPECT_EQ(dialog().ItemsOf(IDC_FLOW_COMBO), (Items{L"Xon / Xoff", L"硬件", L"无"}));
  EXPECT_EQ(dialog().SelectedItem(IDC_FLOW_COMBO), L"硬件");
  EXPECT_EQ(dialog().Close(), IDCANCEL);
}

TEST_F(InstallDlgTest, RussianCaptionsComeFromTextIniOrTheirDefaultsWithoutABuiltInTitle) {
  ASSERT_TRUE(Open(In(texts::kRussian, kRussianTextIni)));
  EXPECT_EQ(dialog().Title(), L"");
  ExpectCaptions({{IDC_BACK, L"Назад"},
                  {IDC_NEXT, L"Next"},
                  {IDC_CANCEL_BUTTON, L"Отмена"},
                  {IDC_BROWSE, L"Обзор"},
                  {IDC_SETTINGS_GROUP, L"выбор порта"},
                  {IDC_MODEL_LABEL, L"Модель:"},
                  {IDC_NAME_LABEL, L"Printer Name:"},
                  {IDC_DEFAULT_PRINTER, L"Принтер по умолчанию"},
                  {IDC_PORT_LABEL, L"Port:"},
                  {IDC_BAUD_LABEL, L"Baudrate:"},
                  {IDC_PARITY_LABEL, L"奇偶校验："},
                  {IDC_STOP_BITS_LABEL, L"停止位："},
                  {IDC_FLOW_LABEL, L"数据流控制："},
                  {IDC_DATA_BITS_LABEL, L"数据位："},
                  {IDC_USE_MONITOR, L"Use Printer Monitor"},
                  {IDC_IP_LABEL, L"Printer IP:"},
                  {IDC_TCP_PORT_LABEL, L"Port:"}});
  EXPECT_EQ(dialog().ItemsOf(IDC_MODEL_COMBO), Joined({L"Выберите модель"}, kModels));
  EXPECT_EQ(dialog().ItemsOf(IDC_PORT_COMBO), Joined({L"USB"}, kLocalPorts)) << "no network item in Russian";
  EXPECT_EQ(dialog().ItemsOf(IDC_PARITY_COMBO), (Items{L"偶校验", L"奇校验", L"无"}));
  EXPECT_EQ(dialog().Close(), IDCANCEL);
}

TEST_F(InstallDlgTest, RussianWithoutTextIniTakesTheDefaults) {
  ASSERT_TRUE(Open(In(texts::kRussian)));
  ExpectCaptions({{IDC_BACK, L"Back"},
                  {IDC_NEXT, L"Next"},
                  {IDC_CANCEL_BUTTON, L"Отмена"},
                  {IDC_BROWSE, L"Browse"},
                  {IDC_MODEL_LABEL, L"Model:"},
                  {IDC_NAME_LABEL, L"Printer Name:"},
                  {IDC_DEFAULT_PRINTER, L"Set as default printer"}});
  EXPECT_EQ(dialog().ItemsOf(IDC_MODEL_COMBO).front(), L"Please select model");
  EXPECT_EQ(dialog().Close(), IDCANCEL);
}

TEST_F(InstallDlgTest, ConfiguredTitleReplacesTheBuiltInOneInEveryLanguage) {
  for (int language : {texts::kEnglish, texts::kChinese, texts::kRussian}) {
    SCOPED_TRACE(testing::Message() << "LanguageId " << language);
    wcscpy(texts::WizardConfig.Title, L"Demo Printer Driver installation");
    ASSERT_TRUE(Open(In(language)));
    EXPECT_EQ(dialog().Title(), L"Demo Printer Driver installation");
    EXPECT_EQ(dialog().Close(), IDCANCEL);
  }
}

// ---- The settings page

TEST_F(InstallDlgTest, SettingsPageStartsWithTheFirstModelUsbAndTheDefaultSerialSettings) {
  ASSERT_TRUE(Open(In(texts::kEnglish)));
  GoTo(kSettingsPage);
  EXPECT_EQ(dialog().SelectedItem(IDC_MODEL_COMBO), kModels[0]);
  EXPECT_EQ(dialog().Text(IDC_PRINTER_NAME), kModels[0]);
  EXPECT_EQ(dialog().SelectedItem(IDC_PORT_COMBO), L"USB");
  EXPECT_EQ(dialog().ItemsOf(IDC_BAUD_COMBO), (Items{L"100", L"300", L"1200", L"2400", L"4800", L"9600", L"19200",
                                                     L"38400", L"57600", L"115200", L"230400", L"460800", L"921600"}));
  EXPECT_EQ(dialog().SelectedItem(IDC_BAUD_COMBO), L"115200");
  EXPECT_EQ(dialog().ItemsOf(IDC_DATA_BITS_COMBO), (Items{L"5", L"6", L"7", L"8"}));
  EXPECT_EQ(dialog().SelectedItem(IDC_DATA_BITS_COMBO), L"8");
  EXPECT_EQ(dialog().ItemsOf(IDC_STOP_BITS_COMBO), (Items{L"1", L"1.5", L"2"}));
  EXPECT_EQ(dialog().SelectedItem(IDC_STOP_BITS_COMBO), L"1");
  EXPECT_EQ(dialog().SelectedItem(IDC_PARITY_COMBO), L"None");
  EXPECT_EQ(dialog().SelectedItem(IDC_FLOW_COMBO), L"Hardware");
  EXPECT_TRUE(dialog().IsChecked(IDC_DEFAULT_PRINTER));
  EXPECT_TRUE(dialog().IsChecked(IDC_USE_MONITOR));
  EXPECT_EQ(dialog().Text(IDC_IP_EDIT), L"");
  EXPECT_EQ(dialog().Text(IDC_TCP_PORT_EDIT), L"9100");
  EXPECT_EQ(dialog().Close(), IDCANCEL);
}

TEST_F(InstallDlgTest, ChoosingAModelNamesThePrinterAndThePlaceholderEmptiesTheName) {
  ASSERT_TRUE(Open(In(texts::kEnglish)));
  GoTo(kSettingsPage);
  dialog().Select(IDC_MODEL_COMBO, kModels[2]);
  EXPECT_EQ(dialog().Text(IDC_PRINTER_NAME), kModels[2]);
  EXPECT_EQ(dialog().Choices().SelectedModelIndex, 3);

  dialog().Select(IDC_MODEL_COMBO, 0);
  EXPECT_EQ(dialog().Text(IDC_PRINTER_NAME), L"");
  EXPECT_EQ(dialog().Choices().SelectedModelIndex, 3) << "the placeholder keeps the model index";
  EXPECT_EQ(dialog().Close(), IDCANCEL);
}

TEST_F(InstallDlgTest, PortChoiceSwitchesBetweenSerialAndNetworkSettings) {
  ASSERT_TRUE(Open(In(texts::kEnglish)));
  GoTo(kSettingsPage);
  const auto expectPortSettings = [&](const wchar_t* port, bool serialEnabled, bool network) {
    SCOPED_TRACE(testing::Message() << "port " << testing::PrintToString(std::wstring(port)));
    dialog().Select(IDC_PORT_COMBO, port);
    EXPECT_STREQ(dialog().Choices().PortName, port);
    EXPECT_EQ(dialog().VisibleOf(Joined({kSerialGroup, kNetworkControls})), network ? kNetworkControls : kSerialGroup);
    EXPECT_EQ(dialog().EnabledOf(kSerialGroup), serialEnabled ? kSerialGroup : ControlIds{});
  };
  expectPortSettings(L"COM1", true, false);
  expectPortSettings(L"USB", false, false);
  expectPortSettings(L"LPT1", false, false);
  expectPortSettings(kEnglishNetworkItem, false, true);
  EXPECT_EQ(dialog().Text(IDC_IP_EDIT), L"");
  EXPECT_EQ(dialog().Text(IDC_TCP_PORT_EDIT), L"9100");
  expectPortSettings(L"COM2", true, false);
  EXPECT_EQ(dialog().Close(), IDCANCEL);
}

// With no network item and no spooler ports the list holds "USB" alone, its first and last item:
// entering the page shows the serial settings all the same; the network fields come only with a
// choice in the list, and stay when the user comes back to the page.
// The spooler's COM and LPT ports taken away while it lives, so that the port list holds "USB" alone.
class WithoutLocalPorts {
 public:
  WithoutLocalPorts() {
    for (const std::wstring& port : kLocalPorts) {
      const std::wstring name = port + L":";
      if (auto value = test::ReadMachineString(spooler::kSerialPortsKey, name)) m_saved.emplace_back(name, value->text);
      test::DeleteMachineValue(spooler::kSerialPortsKey, name);
    }
  }
  ~WithoutLocalPorts() {
    for (const auto& [name, text] : m_saved) test::SetMachineString(spooler::kSerialPortsKey, name, text);
  }
  WithoutLocalPorts(const WithoutLocalPorts&) = delete;
  WithoutLocalPorts& operator=(const WithoutLocalPorts&) = delete;

 private:
  std::vector<std::pair<std::wstring, std::wstring>> m_saved;
};

TEST_F(InstallDlgTest, EnteringTheSettingsPageShowsTheSerialSettingsEvenWhenTheFirstItemIsTheLast) {
  {
    const WithoutLocalPorts noPorts;
    ASSERT_TRUE(Open(In(texts::kRussian)));
  }
  ASSERT_EQ(dialog().ItemsOf(IDC_PORT_COMBO), Items{L"USB"});
  ASSERT_EQ(dialog().SelectedItem(IDC_PORT_COMBO), L"USB");
  GoTo(kSettingsPage);
  EXPECT_EQ(dialog().VisibleOf(Joined({kSerialGroup, kNetworkControls})), kSerialGroup);
  EXPECT_EQ(dialog().EnabledOf(kSerialGroup), ControlIds{});

  dialog().Select(IDC_PORT_COMBO, L"USB");
  EXPECT_EQ(dialog().VisibleOf(Joined({kSerialGroup, kNetworkControls})), kNetworkControls);
  ASSERT_EQ(dialog().Click(IDC_BACK), kNoMessage);
  GoTo(kSettingsPage);
  EXPECT_EQ(dialog().VisibleOf(Joined({kSerialGroup, kNetworkControls})), kNetworkControls);
  EXPECT_EQ(dialog().Close(), IDCANCEL);
}

TEST_F(InstallDlgTest, RussianLastPortItemShowsTheNetworkFields) {
  ASSERT_TRUE(Open(In(texts::kRussian)));
  GoTo(kSettingsPage);
  dialog().Select(IDC_PORT_COMBO, kLocalPorts.back());
  EXPECT_EQ(dialog().VisibleOf(Joined({kSerialGroup, kNetworkControls})), kNetworkControls);
  EXPECT_EQ(dialog().Close(), IDCANCEL);
}

// ---- The checks of Next, with their messages

struct LanguageMessages {
  int languageId;
  ShownMessage folderEmpty;
  ShownMessage folderInvalid;
  ShownMessage noModel;
  ShownMessage noUsbPrinter;
  ShownMessage ipEmpty;
  ShownMessage tcpPortEmpty;
};

void PrintTo(const LanguageMessages& messages, std::ostream* out) { *out << "LanguageId " << messages.languageId; }

ShownMessage OwnedByDialog(const wchar_t* text, const wchar_t* caption) { return {text, caption, Owner::Dialog}; }
ShownMessage Ownerless(const wchar_t* text, const wchar_t* caption) { return {text, caption, Owner::None}; }

constexpr wchar_t kEnglishCaption[] = L"Printer Driver Installation";
constexpr wchar_t kChineseCaption[] = L"打印机驱动安装";
const ShownMessage kEnglishFolderEmpty = OwnedByDialog(L"The folder is empty!", L"Driver Installation");
const ShownMessage kEnglishFolderInvalid = OwnedByDialog(L"The folder is invalid", L"Driver Installation");
const ShownMessage kEnglishNoUsbPrinter =
    Ownerless(L"No matching label printer detected, please connect and try again.", kEnglishCaption);
const ShownMessage kEnglishIpEmpty =
    Ownerless(L"IP address cannot be empty, please enter the IP address first", kEnglishCaption);
const ShownMessage kEnglishTcpPortEmpty =
    Ownerless(L"Port cannot be empty, please enter the port first", kEnglishCaption);

class InstallDlgMessageTest : public InstallDlgTest, public testing::WithParamInterface<LanguageMessages> {
 protected:
  // The network item of the language; the Russian list has none, so a port item naming TCP
  // stands in for it, which takes the same check.
  void SelectNetworkPort() {
    if (GetParam().languageId == texts::kRussian) {
      ::SendMessageW(dialog().Item(IDC_PORT_COMBO), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kEnglishNetworkItem));
    }
    const Items ports = dialog().ItemsOf(IDC_PORT_COMBO);
    dialog().Select(IDC_PORT_COMBO, static_cast<int>(ports.size()) - 1);
    ASSERT_NE(dialog().SelectedItem(IDC_PORT_COMBO).find(L"TCP"), std::wstring::npos);
  }
  void ExpectRefusal(const ShownMessage& message, int page) {
    EXPECT_EQ(dialog().Click(IDC_NEXT), message);
    EXPECT_EQ(dialog().Page(), page);
  }
};

TEST_P(InstallDlgMessageTest, FolderPageRefusesAnEmptyOrUncreatableFolder) {
  ASSERT_TRUE(Open(In(GetParam().languageId)));
  GoTo(kFolderPage);
  dialog().SetFolder(L"");
  ExpectRefusal(GetParam().folderEmpty, 1);
  // No such drive; a folder below a file.
  for (const wchar_t* folder : {L"Q:\\Printers\\Demo", L"C:\\windows\\win.ini\\Demo"}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(folder)));
    dialog().SetFolder(folder);
    ExpectRefusal(GetParam().folderInvalid, 1);
    EXPECT_EQ(dialog().Choices().InstallRoot, L"");
  }

  dialog().SetFolder(L"C:\\Wizard test\\Demo");
  EXPECT_EQ(dialog().Click(IDC_NEXT), kNoMessage);
  EXPECT_EQ(dialog().Page(), kSettingsPage);
  EXPECT_EQ(dialog().Choices().InstallRoot, L"C:\\Wizard test\\Demo");
  // Accepted, not made: the installation makes it.
  EXPECT_FALSE(test::FolderExists("C:\\Wizard test"));
  EXPECT_EQ(dialog().Close(), IDCANCEL);
  test::RemoveTree("C:\\Wizard test");
}

TEST_P(InstallDlgMessageTest, SettingsPageRefusesNoModelNoUsbPrinterAndAnIncompleteNetworkPort) {
  ASSERT_TRUE(Open(In(GetParam().languageId, kRussianTextIni)));
  GoTo(kSettingsPage);
  dialog().Select(IDC_MODEL_COMBO, 0);
  ExpectRefusal(GetParam().noModel, 2);

  dialog().Select(IDC_MODEL_COMBO, kModels[0]);
  ExpectRefusal(GetParam().noUsbPrinter, 2);

  ASSERT_NO_FATAL_FAILURE(SelectNetworkPort());
  ExpectRefusal(GetParam().ipEmpty, 2);
  dialog().SetText(IDC_IP_EDIT, L"192.168.0.50");
  dialog().SetText(IDC_TCP_PORT_EDIT, L"");
  ExpectRefusal(GetParam().tcpPortEmpty, 2);
  EXPECT_EQ(dialog().Choices().UseNetworkPort, 0);
  EXPECT_EQ(dialog().Close(), IDCANCEL);
}

std::string LanguageName(const testing::TestParamInfo<LanguageMessages>& info) {
  constexpr const char* kNames[] = {"English", "Chinese", "Russian"};
  return kNames[info.param.languageId];
}

const LanguageMessages kEnglishMessages{texts::kEnglish,
                                        kEnglishFolderEmpty,
                                        kEnglishFolderInvalid,
                                        Ownerless(L"Please Select a Printer Driver", kEnglishCaption),
                                        kEnglishNoUsbPrinter,
                                        kEnglishIpEmpty,
                                        kEnglishTcpPortEmpty};
const LanguageMessages kChineseMessages{
    texts::kChinese,
    OwnedByDialog(L"安装文件夹不能为空", kChineseCaption),
    OwnedByDialog(L"安装文件夹不是有效文件夹", kChineseCaption),
    Ownerless(L"您没有选择打印机型号，请先选择打印机型号", kChineseCaption),
    Ownerless(L"没有检测到打印机连接到电脑上，请先连接打印机并上电。 ", kChineseCaption),
    Ownerless(L"IP地址不能为空，请先输入IP地址", kChineseCaption),
    Ownerless(L"端口不能为空，请先输入端口", kChineseCaption)};
// Text.ini translates NoSelectPrinter but lacks MsgBoxTitle, whose default is the caption.
const LanguageMessages kRussianMessages{texts::kRussian,
                                        kEnglishFolderEmpty,
                                        kEnglishFolderInvalid,
                                        Ownerless(L"Модель принтера не выбрана", kEnglishCaption),
                                        kEnglishNoUsbPrinter,
                                        kEnglishIpEmpty,
                                        kEnglishTcpPortEmpty};

INSTANTIATE_TEST_SUITE_P(Languages, InstallDlgMessageTest,
                         testing::Values(kEnglishMessages, kChineseMessages, kRussianMessages), LanguageName);

TEST_F(InstallDlgTest, RefusedNextPutsTheFocusOnTheFieldTheMessageIsAbout) {
  ASSERT_TRUE(Open(In(texts::kEnglish)));
  GoTo(kFolderPage);
  dialog().SetFolder(L"");
  ASSERT_EQ(dialog().Click(IDC_NEXT), kEnglishFolderEmpty);
  EXPECT_EQ(dialog().Focus(), dialog().FolderEdit());

  dialog().SetFolder(L"C:\\Focus test");
  GoTo(kSettingsPage);
  dialog().SetText(IDC_PRINTER_NAME, L"");
  ASSERT_EQ(dialog().Click(IDC_NEXT), kEnglishMessages.noModel);
  EXPECT_EQ(dialog().Focus(), dialog().Item(IDC_PRINTER_NAME));
  dialog().SetText(IDC_PRINTER_NAME, kModels[0]);
  ASSERT_EQ(dialog().Click(IDC_NEXT), kEnglishNoUsbPrinter);
  EXPECT_EQ(dialog().Focus(), dialog().Item(IDC_PORT_COMBO));
  dialog().Select(IDC_PORT_COMBO, kEnglishNetworkItem);
  ASSERT_EQ(dialog().Click(IDC_NEXT), kEnglishIpEmpty);
  EXPECT_EQ(dialog().Focus(), dialog().Item(IDC_IP_EDIT));
  dialog().SetText(IDC_IP_EDIT, L"192.168.0.52");
  dialog().SetText(IDC_TCP_PORT_EDIT, L"");
  ASSERT_EQ(dialog().Click(IDC_NEXT), kEnglishTcpPortEmpty);
  EXPECT_EQ(dialog().Focus(), dialog().Item(IDC_TCP_PORT_EDIT));
  EXPECT_EQ(dialog().Close(), IDCANCEL);
}

// ---- Leaving the settings page: what the installation is given

TEST_F(InstallDlgTest, ComPortGetsItsColonAndTheInstallationWritesItsSerialSettings) {
  const struct {
    int parityItem;
    const wchar_t* settings;
  } cases[] = {{2, L"115200,n,8,1,p"}, {1, L"115200,o,8,1,p"}};
  for (const auto& choice : cases) {
    SCOPED_TRACE(testing::Message() << "parity item " << choice.parityItem);
    // The value lists COM1 as a port too, so it is replaced rather than removed.
    test::SetMachineString(spooler::kSerialPortsKey, L"COM1:", L"9600,n,8,1");
    ASSERT_TRUE(Open(In(texts::kEnglish)));
    GoTo(kSettingsPage);
    dialog().Select(IDC_PORT_COMBO, L"COM1");
    dialog().Select(IDC_PARITY_COMBO, choice.parityItem);
    ASSERT_NO_FATAL_FAILURE(ConfirmSettings());
    EXPECT_STREQ(dialog().Choices().PortName, L"COM1:");
    dialog().WaitForInstallationEnd();
    EXPECT_EQ(SerialSettingsOf(L"COM1:"), choice.settings);
    EXPECT_EQ(dialog().Close(), IDCANCEL);
  }
}

TEST_F(InstallDlgTest, LptPortAfterAFailedUsbCheckGetsItsColonAndClearsTheUsbAndNetworkFlags) {
  ASSERT_TRUE(Open(In(texts::kEnglish)));
  GoTo(kSettingsPage);
  ASSERT_EQ(dialog().Click(IDC_NEXT), kEnglishNoUsbPrinter);
  EXPECT_EQ(dialog().Choices().Port, wizard::PortKind::Usb);

  ASSERT_EQ(dialog().Click(IDC_BACK), kNoMessage);
  GoTo(kSettingsPage);
  dialog().Select(IDC_PORT_COMBO, L"LPT1");
  ASSERT_NO_FATAL_FAILURE(ConfirmSettings());
  EXPECT_STREQ(dialog().Choices().PortName, L"LPT1:");
  EXPECT_EQ(dialog().Choices().Port, wizard::PortKind::Local);
  EXPECT_EQ(dialog().Choices().UseNetworkPort, 0);
  dialog().WaitForInstallationEnd();
  EXPECT_EQ(dialog().Close(), IDCANCEL);
}

TEST_F(InstallDlgTest, FinishedInstallationLeavesOnlyFinishCaptionedInTheLanguage) {
  const struct {
    int languageId;
    const wchar_t* finish;
  } cases[] = {{texts::kEnglish, L"Finish"}, {texts::kChinese, L"完成"}, {texts::kRussian, L"Готово"}};
  for (const auto& language : cases) {
    SCOPED_TRACE(testing::Message() << "LanguageId " << language.languageId);
    ASSERT_TRUE(Open(In(language.languageId, kRussianTextIni)));
    GoTo(kSettingsPage);
    dialog().Select(IDC_PORT_COMBO, L"LPT1");
    ASSERT_NO_FATAL_FAILURE(ConfirmSettings());
    dialog().WaitForInstallationEnd();
    EXPECT_EQ(dialog().Page(), kFinishedPage);
    EXPECT_EQ(dialog().VisibleOf(kEveryControl), Only({{IDC_CANCEL_BUTTON}}));
    EXPECT_TRUE(dialog().IsEnabled(IDC_CANCEL_BUTTON));
    EXPECT_EQ(dialog().Text(IDC_CANCEL_BUTTON), language.finish);
    EXPECT_EQ(::SendMessageW(dialog().Dialog(), DM_GETDEFID, 0, 0), MAKELRESULT(IDC_CANCEL_BUTTON, DC_HASDEFID));
    dialog().PressEnter();
    EXPECT_EQ(dialog().WaitForEnd(), IDCANCEL);  // as Finish does
  }
}

// The network port makes the installation ask for a port (its monitor is not there), which
// holds the installation on page 3 for as long as the test needs.
TEST_F(InstallDlgTest, WhileInstallingTheDialogStaysOpenAndAfterwardsOnlyFinishIsLeft) {
  ASSERT_TRUE(Open(In(texts::kEnglish)));
  GoTo(kSettingsPage);
  dialog().Select(IDC_PORT_COMBO, kEnglishNetworkItem);
  dialog().SetText(IDC_IP_EDIT, L"192.168.0.50");
  ASSERT_NO_FATAL_FAILURE(ConfirmSettings());
  const wizard::InstallationChoices choices = dialog().Choices();
  EXPECT_EQ(choices.UseNetworkPort, 1);
  EXPECT_EQ(choices.PrinterIpAddress, L"192.168.0.50");
  EXPECT_EQ(choices.PrinterTcpPort, L"9100");
  EXPECT_EQ(choices.ChosenPrinterName, kModels[0]);

  const HWND portChoice = dialog().WaitForPortChoice();
  ASSERT_NE(portChoice, nullptr);
  EXPECT_EQ(dialog().VisibleOf(kEveryControl), Only({kNavigation, {IDC_PROGRESS}}));
  EXPECT_EQ(dialog().EnabledOf(kNavigation), ControlIds{});
  EXPECT_FALSE(dialog().IsFolderFieldVisible());
  dialog().PressEnter();
  dialog().PressEsc();
  EXPECT_EQ(dialog().Click(IDC_CANCEL_BUTTON), kNoMessage);
  ASSERT_EQ(dialog().Page(), kInstallingPage) << "the dialog must stay while the installation runs";

  // The port choice lists every spooler port; OK without a chosen row keeps it open.
  const HWND portList = ::GetDlgItem(portChoice, 1009);
  EXPECT_GE(::SendMessageW(portList, LVM_GETITEMCOUNT, 0, 0), 8);  // COM1-4, LPT1-3, FILE:
  ::SendMessageW(portChoice, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(::IsWindowVisible(portChoice));

  ::PostMessageW(portChoice, WM_COMMAND, IDCANCEL, 0);
  dialog().WaitForInstallationEnd();
  EXPECT_EQ(dialog().Page(), kFailurePage);
  EXPECT_EQ(dialog().VisibleOf(kEveryControl), Only({{IDC_CANCEL_BUTTON}}));
  EXPECT_TRUE(dialog().IsEnabled(IDC_CANCEL_BUTTON));
  EXPECT_EQ(dialog().Text(IDC_CANCEL_BUTTON), L"Finish");
  dialog().PressEsc();
  EXPECT_EQ(dialog().WaitForEnd(), IDCANCEL);
}

// The worker posts its progress and status; the dialog shows them on its own thread before the
// finish page.
TEST_F(InstallDlgTest, ProgressAndStatusOfTheWorkerReachTheInstallingPage) {
  test::WizardSetup setup = In(texts::kEnglish);
  setup.package = mkpackage::BuildResourcePackage(
      {mkpackage::MakeEntry("plotter.dll", std::string(200000, 'd')), mkpackage::MakeEntry("Readme.txt", "demo")});
  ASSERT_TRUE(Open(setup));
  GoTo(kSettingsPage);
  dialog().Select(IDC_PORT_COMBO, L"LPT1");
  dialog().SetText(IDC_PRINTER_NAME, L"Demo Posted");
  EXPECT_EQ(SendMessageW(dialog().Item(IDC_PROGRESS), PBM_GETPOS, 0, 0), 0);
  ASSERT_NO_FATAL_FAILURE(ConfirmSettings());
  dialog().WaitForInstallationEnd();
  EXPECT_EQ(dialog().Page(), kFinishedPage);
  EXPECT_GT(SendMessageW(dialog().Item(IDC_PROGRESS), PBM_GETPOS, 0, 0), 0);
  EXPECT_EQ(dialog().Status(), L"Installing Printer Driver, Please wait...");
  dialog().PressEnter();
  EXPECT_EQ(dialog().WaitForEnd(), IDCANCEL);
}

// A file that cannot be written while the package is laid down (a full disk) ends the run on
// the failure page before anything is created or registered.
TEST_F(InstallDlgTest, PackageThatCannotBeLaidDownEndsOnTheFailurePageWithNothingRegistered) {
  test::WizardSetup setup = In(texts::kEnglish);
  setup.package = mkpackage::BuildResourcePackage(
      {mkpackage::MakeEntry("plotter.dll", "driver"), mkpackage::MakeEntry("Uninstaller.exe", "uninstaller")});
  ASSERT_TRUE(Open(setup));
  GoTo(kSettingsPage);
  dialog().Select(IDC_PORT_COMBO, L"LPT1");
  dialog().SetText(IDC_PRINTER_NAME, L"Demo Unwritten");
  DeleteFileA(platform::kInstallLogPath);
  platform::ScopedFaults faults;
  platform::InjectFault("fclose", ERROR_DISK_FULL, 1, 1);  // Uninstaller.exe
  ASSERT_NO_FATAL_FAILURE(ConfirmSettings());
  dialog().WaitForInstallationEnd();
  EXPECT_EQ(dialog().Page(), kFailurePage);
  EXPECT_EQ(dialog().VisibleOf(kEveryControl), Only({{IDC_CANCEL_BUTTON}}));
  EXPECT_EQ(dialog().Text(IDC_CANCEL_BUTTON), L"Finish");
  EXPECT_FALSE(test::ReadMachineString(L"SOFTWARE\\Demo Unwritten", L"PrinterName").has_value());
  HANDLE printer = nullptr;
  EXPECT_FALSE(OpenPrinterW(const_cast<wchar_t*>(L"Demo Unwritten"), &printer, nullptr));
  const std::vector<uint8_t> bytes = test::ReadBytes(platform::kInstallLogPath);
  const std::string log(bytes.begin(), bytes.end());
  EXPECT_NE(log.find("**** Extract failed = 112: C:\\Program Files\\USB Printer\\Demo Unwritten\\Uninstaller.exe"),
            std::string::npos)
      << log;
  EXPECT_EQ(log.find("call AddPrinter"), std::string::npos) << log;
  EXPECT_EQ(dialog().Close(), IDCANCEL);
}

// What staging wrote goes when the wizard closes, not when the installation ends; the kept files
// and a file that was there before stay.
TEST_F(InstallDlgTest, ClosingTheWizardTidiesTheInstallFolderOfWhatStagingWrote) {
  test::WizardSetup setup = In(texts::kEnglish);
  setup.package = mkpackage::BuildResourcePackage(
      {mkpackage::MakeEntry("Readme.txt", "demo"), mkpackage::MakeEntry("Uninstaller.exe", "uninstaller")});
  const std::string folder = "C:\\Tidy test\\Demo Tidy\\";
  CreateDirectoryA("C:\\Tidy test", nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  test::WriteBytes(folder + "notes.txt", test::Bytes("the user's"));
  ASSERT_TRUE(Open(setup));
  GoTo(kFolderPage);
  dialog().SetFolder(L"C:\\Tidy test");
  GoTo(kSettingsPage);
  dialog().Select(IDC_PORT_COMBO, L"LPT1");
  dialog().SetText(IDC_PRINTER_NAME, L"Demo Tidy");
  ASSERT_NO_FATAL_FAILURE(ConfirmSettings());
  dialog().WaitForInstallationEnd();
  ASSERT_EQ(dialog().Page(), kFinishedPage);
  EXPECT_TRUE(test::FileExists(folder + "Readme.txt")) << "tidied before the wizard closed";
  EXPECT_EQ(dialog().Close(), IDCANCEL);
  EXPECT_FALSE(test::FileExists(folder + "Readme.txt"));
  EXPECT_TRUE(test::FileExists(folder + "Uninstaller.exe"));
  EXPECT_TRUE(test::FileExists(folder + "notes.txt"));
  test::RemoveTree("C:\\Tidy test");
}

// Without a worker thread nothing is installed: the run ends on the failure page at once.
TEST_F(InstallDlgTest, InstallationThatCannotStartEndsOnTheFailurePage) {
  ASSERT_TRUE(Open(In(texts::kEnglish)));
  GoTo(kSettingsPage);
  dialog().Select(IDC_PORT_COMBO, L"LPT1");
  dialog().SetText(IDC_PRINTER_NAME, L"Demo Unstarted");
  platform::ScopedFaults faults;
  platform::InjectFault("CreateThread", ERROR_NOT_ENOUGH_MEMORY);
  ASSERT_NO_FATAL_FAILURE(ConfirmSettings());
  dialog().WaitForInstallationEnd();
  EXPECT_EQ(dialog().Page(), kFailurePage);
  EXPECT_EQ(dialog().VisibleOf(kEveryControl), Only({{IDC_CANCEL_BUTTON}}));
  HANDLE printer = nullptr;
  EXPECT_FALSE(OpenPrinterW(const_cast<wchar_t*>(L"Demo Unstarted"), &printer, nullptr));
  EXPECT_FALSE(test::ReadMachineString(L"SOFTWARE\\Demo Unstarted", L"PrinterName").has_value());
  dialog().PressEnter();
  EXPECT_EQ(dialog().WaitForEnd(), IDCANCEL);
}

// A folder whose uninstaller path would not fit the uninstall record is refused before anything
// is written: a printer that cannot be removed again must not be installed.
TEST_F(InstallDlgTest, InstallFolderTooLongForTheUninstallRecordEndsOnTheFailurePage) {
  ASSERT_TRUE(Open(In(texts::kEnglish)));
  GoTo(kFolderPage);
  const std::wstring chosen = L"C:\\" + std::wstring(230, L'f');  // with "\\Demo80\\Uninstaller.exe": 257
  dialog().SetFolder(chosen);
  GoTo(kSettingsPage);
  dialog().Select(IDC_PORT_COMBO, L"LPT1");
  DeleteFileA(platform::kInstallLogPath);
  ASSERT_NO_FATAL_FAILURE(ConfirmSettings());
  dialog().WaitForInstallationEnd();
  EXPECT_EQ(dialog().Page(), kFailurePage);
  const std::vector<uint8_t> bytes = test::ReadBytes(platform::kInstallLogPath);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "Install folder too long = 240\r\r\n");
  EXPECT_FALSE(test::FileExists(std::string("C:\\") + std::string(230, 'f') + "\\Demo80\\PrinterName.txt"));
  EXPECT_EQ(dialog().Close(), IDCANCEL);
}

// ---- The port choice

std::wstring TextOfWindow(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

// Header text and width of each column of a list view of this process.
std::vector<std::pair<std::wstring, int>> ColumnsOf(HWND list) {
  std::vector<std::pair<std::wstring, int>> columns;
  for (int column = 0;; ++column) {
    wchar_t text[64] = {};
    LVCOLUMNW info = {};
    info.mask = LVCF_TEXT | LVCF_WIDTH;
    info.pszText = text;
    info.cchTextMax = 64;
    if (!SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&info))) return columns;
    columns.emplace_back(text, info.cx);
  }
}

// The Chinese port choice, its captions and column widths; the row picked with OK is the port
// the printer is then added on.
TEST_F(InstallDlgTest, ChinesePortChoiceAndThePickedPortCarriesThePrinter) {
  ASSERT_TRUE(Open(In(texts::kChinese)));
  GoTo(kSettingsPage);
  dialog().Select(IDC_PORT_COMBO, L"网络端口（TCP/IP）");
  dialog().SetText(IDC_IP_EDIT, L"10.0.0.9");
  dialog().SetText(IDC_PRINTER_NAME, L"Demo Picked");
  ASSERT_NO_FATAL_FAILURE(ConfirmSettings());
  const HWND portChoice = dialog().WaitForPortChoice();  // its monitor is not there
  ASSERT_NE(portChoice, nullptr);
  EXPECT_EQ(TextOfWindow(portChoice), L"选择打印机端口");
  EXPECT_EQ(TextOfWindow(::GetDlgItem(portChoice, IDOK)), L"确定");
  EXPECT_EQ(TextOfWindow(::GetDlgItem(portChoice, IDCANCEL)), L"取消");
  const HWND list = ::GetDlgItem(portChoice, 1009);
  RECT client = {};
  ::GetClientRect(list, &client);
  const int third = client.right / 3;
  EXPECT_EQ(ColumnsOf(list), (std::vector<std::pair<std::wstring, int>>{
                                 {L"端口", third}, {L"描述", third}, {L"监视器", third - 1}}));

  LVFINDINFOW find = {};
  find.flags = LVFI_STRING;
  find.psz = L"LPT2:";
  const int row = static_cast<int>(SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
  ASSERT_GE(row, 0);
  LVITEMW state = {};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
  ::PostMessageW(portChoice, WM_COMMAND, IDOK, 0);
  dialog().WaitForInstallationEnd();
  EXPECT_EQ(dialog().Page(), kFinishedPage);
  HANDLE printer = nullptr;
  ASSERT_TRUE(OpenPrinterW(const_cast<wchar_t*>(L"Demo Picked"), &printer, nullptr));
  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed + 2);
  ASSERT_TRUE(GetPrinterW(printer, 2, buffer.data(), needed, &needed));
  EXPECT_STREQ(reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data())->pPortName, L"LPT2:");
  ClosePrinter(printer);
  EXPECT_EQ(dialog().Close(), IDCANCEL);
}

// ---- A USB printer connected at start

TEST_F(InstallDlgTest, ConnectedUsbPrinterIsPreselectedAndItsModelFoundByName) {
  const test::SimulatedUsbPrinter printer(L"vid_1a2b&pid_0002", L"SN1", L"USB001");
  ASSERT_TRUE(Open(In(texts::kEnglish)));
  EXPECT_EQ(dialog().SelectedItem(IDC_MODEL_COMBO), kModels[1]);
  EXPECT_EQ(dialog().Text(IDC_PRINTER_NAME), kModels[1]);

  GoTo(kSettingsPage);
  // The name, not the list, decides the model on a USB port.
  dialog().Select(IDC_MODEL_COMBO, kModels[0]);
  dialog().SetText(IDC_PRINTER_NAME, kModels[1]);
  ASSERT_NO_FATAL_FAILURE(ConfirmSettings());
  EXPECT_EQ(dialog().Choices().Port, wizard::PortKind::Usb);
  const wizard::InstallationChoices choices = dialog().Choices();
  EXPECT_EQ(choices.ChosenPrinterName, kModels[1]);
  EXPECT_EQ(choices.SelectedModelIndex, 2);
  EXPECT_EQ(choices.UseNetworkPort, 0);
  // Its monitor is not there either: the installation asks for a port; cancelling fails it.
  if (const HWND portChoice = dialog().WaitForPortChoice()) ::PostMessageW(portChoice, WM_COMMAND, IDCANCEL, 0);
  dialog().WaitForInstallationEnd();
  EXPECT_EQ(dialog().Close(), IDCANCEL);
}

}  // namespace

namespace {

// Without a known Start menu there is no shortcut: never a folder at the drive's root.
TEST_F(InstallDlgTest, UnknownStartMenuSkipsTheShortcutAndRecordsNone) {
  ASSERT_TRUE(Open(In(texts::kEnglish)));
  GoTo(kSettingsPage);
  dialog().Select(IDC_PORT_COMBO, L"LPT1");
  dialog().SetText(IDC_PRINTER_NAME, L"Demo Rootless");
  DeleteFileA(platform::kInstallLogPath);
  platform::ScopedFaults faults;
  platform::InjectFault("SHGetSpecialFolderLocation", E_FAIL);
  ASSERT_NO_FATAL_FAILURE(ConfirmSettings());
  dialog().WaitForInstallationEnd();
  EXPECT_EQ(dialog().Page(), kFinishedPage);
  EXPECT_FALSE(test::FolderExists("C:\\Demo Rootless Driver"));
  EXPECT_FALSE(test::FolderExists("\\Demo Rootless Driver"));
  const std::optional<test::RegistryText> recorded = test::ReadMachineString(L"SOFTWARE\\Demo Rootless", L"StartMenuDir");
  ASSERT_TRUE(recorded.has_value());
  EXPECT_EQ(recorded->text, L"");
  const std::vector<uint8_t> bytes = test::ReadBytes(platform::kInstallLogPath);
  EXPECT_NE(std::string(bytes.begin(), bytes.end()).find("Start menu folder unknown: no shortcut"), std::string::npos);
  EXPECT_EQ(dialog().Close(), IDCANCEL);
}

// Other programs on the desktop may send the numbers the installation's reports use, at any
// time: they carry nothing the dialog acts on, and an installation still completes.
TEST_F(InstallDlgTest, ForeignInstallationMessagesChangeNothing) {
  ASSERT_TRUE(Open(In(texts::kEnglish)));
  GoTo(kSettingsPage);
  const auto sendJunk = [this] {
    std::thread stranger([dialogWindow = dialog().Dialog()] {
      for (UINT message = WM_APP + 1; message <= WM_APP + 4; ++message) {
        SendMessageW(dialogWindow, message, 1, static_cast<LPARAM>(0x1234));
        PostMessageW(dialogWindow, message, 0, static_cast<LPARAM>(0x5678));
      }
    });
    stranger.join();
  };
  sendJunk();
  EXPECT_EQ(dialog().Page(), kSettingsPage);
  EXPECT_FALSE(dialog().IsInstalling());
  dialog().Select(IDC_PORT_COMBO, L"LPT1");
  ASSERT_NO_FATAL_FAILURE(ConfirmSettings());
  sendJunk();  // while installing: no end is taken from anyone but the installation's worker
  dialog().WaitForInstallationEnd();
  EXPECT_EQ(dialog().Page(), kFinishedPage);
  sendJunk();  // and after it
  EXPECT_EQ(dialog().Page(), kFinishedPage);
  EXPECT_EQ(dialog().Close(), IDCANCEL);
}

}  // namespace
