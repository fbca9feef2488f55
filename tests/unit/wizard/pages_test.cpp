// The folder and settings pages on the wizard's own template, run on the test's thread: what a
// page's Next refuses and accepts into the choices and how it shows a refusal; and each row of
// the page table applied to the template's buttons.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "texts/language.h"
#include "texts/model_catalogue.h"
#include "texts/wizard_config.h"
#include "ui/wizard_wnd.h"
#include "wizard/folder_page.h"
#include "wizard/page_buttons.h"
#include "wizard/settings_page.h"

namespace {

using ControlIds = std::vector<int>;
using wizard::Check;

const ControlIds kButtons = {IDC_BACK, IDC_NEXT, IDC_CANCEL_BUTTON, IDC_PROGRESS};

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// The wizard's template as a shown, modeless dialog of this thread, with the page window on it.
class PagesTest : public testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    texts::WizardConfig = {};
    texts::ModelTable = {};
    m_dialog.m_hWnd = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_INSTALL), nullptr,
                                         PlainDialogProc, 0);
    ASSERT_NE(m_dialog.m_hWnd, nullptr);
    ShowWindow(m_dialog.m_hWnd, SW_SHOW);
    ASSERT_TRUE(m_pageWindow.Create(&m_dialog, texts::kEnglish));
  }
  void TearDown() override {
    DestroyWindow(m_dialog.m_hWnd);
    m_dialog.m_hWnd = nullptr;
  }

  HWND Item(int id) const { return GetDlgItem(m_dialog.m_hWnd, id); }
  ControlIds VisibleOf(const ControlIds& ids) const {
    ControlIds visible;
    for (int id : ids) {
      if (IsWindowVisible(Item(id))) visible.push_back(id);
    }
    return visible;
  }
  ControlIds EnabledOf(const ControlIds& ids) const {
    ControlIds enabled;
    for (int id : ids) {
      if (IsWindowEnabled(Item(id))) enabled.push_back(id);
    }
    return enabled;
  }
  std::wstring CancelCaption() const {
    wchar_t text[128] = {};
    GetWindowTextW(Item(IDC_CANCEL_BUTTON), text, 128);
    return text;
  }

  framework::CWnd m_dialog;
  ui::CWizardWnd m_pageWindow;
  wizard::InstallationChoices m_choices;
  wizard::PackageRoom m_room;
  wizard::FolderPage m_folder{m_dialog, m_pageWindow, m_choices, m_room};
  wizard::SettingsPage m_settings{m_dialog, m_choices, m_room};
};

// ---- Leaving a page

TEST_F(PagesTest, FolderPageKeepsTheChosenFolderWhenRefusedAndTakesTheFieldWhenAccepted) {
  m_choices.InstallRoot = L"C:\\Accepted before";
  m_folder.Fill(L"Q:\\Printers");
  EXPECT_EQ(m_folder.Leave(), Check::FolderInvalid);
  EXPECT_EQ(m_choices.InstallRoot, L"C:\\Accepted before");
  const wizard::Refusal refusal = m_folder.RefusalOf(Check::FolderInvalid, texts::kEnglish);
  EXPECT_EQ(refusal.message.text, L"The folder is invalid");
  EXPECT_EQ(refusal.owner, m_dialog.m_hWnd);
  EXPECT_EQ(refusal.field, m_pageWindow.m_editFolder.EditWindow());

  m_folder.Fill(L"C:\\Pages test\\Demo");
  EXPECT_EQ(m_folder.Leave(), std::nullopt);
  EXPECT_EQ(m_choices.InstallRoot, L"C:\\Pages test\\Demo");
}

// The dialog learns the package's room after its pages exist: they must see the dialog's value.
TEST_F(PagesTest, PagesCheckAgainstTheRoomTheDialogHoldsWhenNextIsPressed) {
  m_folder.Fill(L"C:\\Demo");
  m_room.longestEntryBytes = 250;
  EXPECT_EQ(m_folder.Leave(), Check::FolderTooLong);

  m_settings.Fill({L"Demo80"}, {}, texts::kEnglish);
  SendMessageW(Item(IDC_PORT_COMBO), CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"LPT1"));
  m_settings.OnPortChanged();
  m_choices.InstallRoot = L"C:\\Demo";
  EXPECT_EQ(m_settings.Leave(), Check::PathTooLong);
  m_room.longestEntryBytes = 10;
  EXPECT_EQ(m_settings.Leave(), std::nullopt);
  EXPECT_STREQ(m_choices.PortName, L"LPT1:") << "settled once the checks pass";
}

TEST_F(PagesTest, SettingsPageRefusalsPointAtTheirFieldsWithAnOwnerlessErrorBox) {
  const struct {
    Check check;
    int field;
  } fields[] = {{Check::NoModel, IDC_PRINTER_NAME},       {Check::PrinterNameInvalid, IDC_PRINTER_NAME},
                {Check::NoUsbPrinter, IDC_PORT_COMBO},    {Check::PortMissing, IDC_PORT_COMBO},
                {Check::IpEmpty, IDC_IP_EDIT},            {Check::IpInvalid, IDC_IP_EDIT},
                {Check::TcpPortEmpty, IDC_TCP_PORT_EDIT}, {Check::TcpPortInvalid, IDC_TCP_PORT_EDIT}};
  for (const auto& [check, field] : fields) {
    const wizard::Refusal refusal = m_settings.RefusalOf(check, texts::kEnglish);
    EXPECT_EQ(refusal.field, Item(field)) << static_cast<int>(check);
    EXPECT_EQ(refusal.owner, nullptr);
    EXPECT_EQ(refusal.style, static_cast<UINT>(MB_ICONERROR));
  }
  EXPECT_EQ(m_settings.RefusalOf(Check::NoModel, texts::kEnglish).message.text, L"Please Select a Printer Driver");
  EXPECT_EQ(m_settings.FirstField(), Item(IDC_MODEL_COMBO));
}

// ---- The page table applied to the buttons

struct ExpectedButtons {
  ui::WizardPage page;
  ControlIds shown;
  ControlIds enabled;
  const wchar_t* cancelCaption;
  int defaultId;  // 0: Enter presses nothing
  int focused;    // 0: the page's field; -1: where it was
};

// The button Enter presses: the default one, when it takes clicks. Setting none may leave the old
// default's look, but never an enabled button.
int EnterPresses(HWND dialog) {
  const LRESULT answer = SendMessageW(dialog, DM_GETDEFID, 0, 0);
  if (HIWORD(answer) != DC_HASDEFID || !IsWindowEnabled(GetDlgItem(dialog, LOWORD(answer)))) return 0;
  return LOWORD(answer);
}

TEST_F(PagesTest, EachRowOfThePageTableSetsTheButtonsTheDefaultAndTheFocus) {
  const HWND pageField = Item(IDC_PRINTER_NAME);
  ShowWindow(pageField, SW_SHOW);
  const ControlIds navigation = {IDC_BACK, IDC_NEXT, IDC_CANCEL_BUTTON};
  const ControlIds finishOnly = {IDC_CANCEL_BUTTON, IDC_PROGRESS};  // the bar is never disabled
  // In the order the wizard goes, so that each row also undoes the one before.
  const ExpectedButtons pages[] = {
      {ui::kWelcomePage, {IDC_NEXT, IDC_CANCEL_BUTTON}, kButtons, L"取消", IDC_NEXT, IDC_NEXT},
      {ui::kFolderPage, navigation, kButtons, L"取消", IDC_NEXT, 0},
      {ui::kSettingsPage, navigation, kButtons, L"取消", IDC_NEXT, 0},
      {ui::kInstallingPage, kButtons, {IDC_PROGRESS}, L"取消", 0, -1},
      {ui::kFinishedPage, {IDC_CANCEL_BUTTON}, finishOnly, L"Finish", IDC_CANCEL_BUTTON, IDC_CANCEL_BUTTON},
      {ui::kFailurePage, {IDC_CANCEL_BUTTON}, finishOnly, L"Finish", IDC_CANCEL_BUTTON, IDC_CANCEL_BUTTON},
  };
  for (const ExpectedButtons& expected : pages) {
    SCOPED_TRACE(testing::Message() << "page " << expected.page);
    const HWND focusBefore = GetFocus();
    wizard::ApplyPageButtons(m_dialog, wizard::ButtonsOf(expected.page), pageField, texts::kEnglish);
    EXPECT_EQ(VisibleOf(kButtons), expected.shown);
    EXPECT_EQ(EnabledOf(kButtons), expected.enabled);
    EXPECT_EQ(CancelCaption(), expected.cancelCaption);
    EXPECT_EQ(EnterPresses(m_dialog.m_hWnd), expected.defaultId);
    if (expected.focused == 0) EXPECT_EQ(GetFocus(), pageField);
    if (expected.focused > 0) EXPECT_EQ(GetFocus(), Item(expected.focused));
    if (expected.focused < 0) EXPECT_EQ(GetFocus(), focusBefore) << "the focus stays where it was";
  }
  EXPECT_EQ(wizard::ButtonsOf(ui::kCancelledPage).page, ui::kFailurePage) << "a page without a row";
}

}  // namespace
