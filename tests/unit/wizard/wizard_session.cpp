#include "tests/unit/wizard/wizard_session.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <functional>

#include "app/config_files.h"
#include "app/install_app.h"
#include "platform/code_page.h"
#include "resources/resource.h"
#include "tests/unit/support/test_files.h"
#include "texts/documents_folder.h"
#include "texts/model_catalogue.h"
#include "texts/text_ini.h"
#include "ui/flat_edit.h"

namespace test {
namespace {

// Generous: windows must appear and threads must answer, however loaded the machine is.
constexpr DWORD kPatience = 60000;
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr int kPortChoiceListId = 1009;
constexpr UINT kMarkerMessage = WM_APP + 1;
constexpr wchar_t kMarkerClass[] = L"WizardSessionMarker";
constexpr wchar_t kDialogClass[] = L"#32770";

template <class Condition>
bool WaitUntil(Condition condition) {
  const ULONGLONG deadline = ::GetTickCount64() + kPatience;
  while (!condition()) {
    if (::GetTickCount64() > deadline) return false;
    ::Sleep(5);
  }
  return true;
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

bool IsDialogClass(HWND window) {
  wchar_t name[16] = {};
  ::GetClassNameW(window, name, 16);
  return wcscmp(name, kDialogClass) == 0;
}

// Records in the session the number each marker carries, once the dialog's thread takes it.
LRESULT CALLBACK MarkerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kMarkerMessage) return ::DefWindowProcW(window, message, wParam, lParam);
  reinterpret_cast<std::atomic<unsigned>*>(lParam)->store(static_cast<unsigned>(wParam));
  return 0;
}

HWND CreateMarkerWindow() {
  static const ATOM registered = [] {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = MarkerProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kMarkerClass;
    return ::RegisterClassW(&windowClass);
  }();
  if (registered == 0) return nullptr;
  return ::CreateWindowExW(0, kMarkerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ::GetModuleHandleW(nullptr),
                           nullptr);
}

using WindowMatch = std::function<bool(HWND)>;

struct WindowSearch {
  const WindowMatch& match;
  HWND found = nullptr;
};

BOOL CALLBACK VisitWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  if (!search->match(window)) return TRUE;
  search->found = window;
  return FALSE;
}

// The first top-level window of `threadId` that `match` accepts.
HWND FindThreadWindow(DWORD threadId, const WindowMatch& match) {
  WindowSearch search{match};
  ::EnumThreadWindows(threadId, VisitWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindTopLevelWindow(const WindowMatch& match) {
  WindowSearch search{match};
  ::EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string DocumentPath(const wchar_t* name) {
  std::wstring documents;
  texts::GetDocumentsFolder(documents);
  std::string path;
  platform::WideToAnsi(documents + L"\\" + name, path);
  return path;
}

}  // namespace

void PrintTo(const ShownMessage& message, std::ostream* out) {
  if (message == kNoMessage) {
    *out << "no message box";
    return;
  }
  *out << "{" << testing::PrintToString(message.text) << ", " << testing::PrintToString(message.caption) << ", "
       << (message.owner == Owner::Dialog ? "owned by the dialog" : "without owner") << "}";
}

WizardSession::WizardSession(const WizardSetup& setup) : m_setup(setup) {
  m_thread = ::CreateThread(nullptr, 0, UiThread, this, 0, &m_threadId);
  if (m_thread == nullptr) {
    ADD_FAILURE() << "no thread for the dialog";
    return;
  }
  if (!WaitUntil([this] { return (m_dialogWindow = FindDialogWindow()) != nullptr || !IsOpen(); }) ||
      m_dialogWindow == nullptr) {
    ADD_FAILURE() << "the wizard dialog did not show";
    return;
  }
  if (const std::optional<wizard::WizardState> state = State()) m_folderField = state->folderField;
}

WizardSession::~WizardSession() {
  if (m_thread == nullptr) return;
  // A worker whose dialog has gone is left alone: letting it go on could only crash.
  if (IsOpen() && State()) {
    while (TakeMessageBox() != kNoMessage) {
    }
    if (const HWND portChoice = FindPortChoice()) ::PostMessageW(portChoice, WM_COMMAND, IDCANCEL, 0);
    if (IsInstalling()) WaitForInstallationEnd();
    Close();
  }
  if (::WaitForSingleObject(m_thread, kPatience) != WAIT_OBJECT_0) {
    // Its stack holds the dialog and the application object: no later test could run.
    ADD_FAILURE() << "the wizard dialog does not end";
    std::fflush(stdout);
    ::ExitProcess(3);
  }
  ::CloseHandle(m_thread);
  RemoveDocumentFiles();
}

DWORD WINAPI WizardSession::UiThread(void* session) {
  static_cast<WizardSession*>(session)->RunDialog();
  return 0;
}

// As start-up leaves things: the Documents folder's files and the dialog given its language, then
// the dialog run modally.
void WizardSession::RunDialog() {
  INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&classes);
  app::CInstallApp application;
  WriteDocumentFiles();
  const HWND marker = CreateMarkerWindow();
  m_marker = marker;
  {
    wizard::CInstallDlg dialog;
    dialog.m_languageId = m_setup.languageId;
    // As start-up reads it from the package.
    dialog.m_modelNames = texts::ParseModelCatalogue(texts::ModelTable, test::ReadBytes(DocumentPath(L"PrinterName.txt")));
    dialog.m_preset = m_setup.preset;
    const std::vector<uint8_t> textIni = test::ReadBytes(DocumentPath(L"Text.ini"));
    texts::TakeTextIni(m_setup.textIni ? &textIni : nullptr);
    if (!m_setup.package.empty()) {
      dialog.m_package = {m_setup.package.data(), static_cast<uint32_t>(m_setup.package.size())};
    }
    m_result = dialog.DoModal();
  }
  m_marker = nullptr;
  ::DestroyWindow(marker);
}

void WizardSession::WriteDocumentFiles() const {
  WriteUtf16Text(DocumentPath(L"PrinterName.txt"), CrLfLines(m_setup.catalogue));
  if (m_setup.textIni) WriteUtf16Text(DocumentPath(L"Text.ini"), *m_setup.textIni);
}

void WizardSession::RemoveDocumentFiles() const {
  for (const wchar_t* name : {L"PrinterName.txt", L"Text.ini"}) ::DeleteFileA(DocumentPath(name).c_str());
}

HWND WizardSession::FindDialogWindow() const {
  return FindThreadWindow(m_threadId, [](HWND window) {
    return IsDialogClass(window) && ::IsWindowVisible(window) && ::GetDlgItem(window, IDC_PORT_COMBO) != nullptr;
  });
}

HWND WizardSession::FindMessageBox() const {
  return FindThreadWindow(m_threadId, [this](HWND window) {
    return window != m_dialogWindow && IsDialogClass(window) && ::GetDlgItem(window, kMessageBoxTextId) != nullptr;
  });
}

void WizardSession::Settle() {
  const HWND marker = m_marker;
  if (marker == nullptr || !IsOpen()) return;
  const unsigned mark = ++m_markersPosted;
  ::PostMessageW(marker, kMarkerMessage, mark, reinterpret_cast<LPARAM>(&m_markersTaken));
  if (!WaitUntil([&] { return m_markersTaken >= mark || !IsOpen(); })) {
    ADD_FAILURE() << "the dialog's thread takes no more messages";
  }
}

ShownMessage WizardSession::TakeMessageBox() {
  const HWND box = FindMessageBox();
  if (box == nullptr) return kNoMessage;
  ShownMessage message{WindowText(::GetDlgItem(box, kMessageBoxTextId)), WindowText(box),
                       ::GetWindow(box, GW_OWNER) == m_dialogWindow ? Owner::Dialog : Owner::None};
  ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  if (!WaitUntil([box] { return !::IsWindow(box); })) ADD_FAILURE() << "the message box does not close";
  Settle();
  return message;
}

ShownMessage WizardSession::Click(int id) {
  ::PostMessageW(m_dialogWindow, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
  Settle();
  return TakeMessageBox();
}

void WizardSession::PostCommand(int id) {
  ::PostMessageW(m_dialogWindow, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
  Settle();
}

void WizardSession::Select(int comboId, int index) {
  const HWND combo = Item(comboId);
  ::SendMessageW(combo, CB_SETCURSEL, index, 0);
  ::SendMessageW(m_dialogWindow, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void WizardSession::Select(int comboId, const std::wstring& item) {
  const auto index = static_cast<int>(::SendMessageW(Item(comboId), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                     reinterpret_cast<LPARAM>(item.c_str())));
  if (index == CB_ERR) {
    ADD_FAILURE() << "no item " << testing::PrintToString(item) << " in combo " << comboId;
    return;
  }
  Select(comboId, index);
}

void WizardSession::SetText(int id, const std::wstring& text) { ::SetWindowTextW(Item(id), text.c_str()); }

// Sent, so that the dialog's thread answers it between two of its messages; a window that is
// gone answers nothing.
std::optional<wizard::WizardState> WizardSession::State() const {
  wizard::WizardState state;
  if (m_dialogWindow == nullptr ||
      ::SendMessageW(m_dialogWindow, wizard::WizardStateQuery(), 0, reinterpret_cast<LPARAM>(&state)) != TRUE) {
    return std::nullopt;
  }
  return state;
}

// A dialog that has ended answers as a state of no page, no choices and no focus.
int WizardSession::Page() const { return State().value_or(wizard::WizardState{}).page; }

wizard::InstallationChoices WizardSession::Choices() const { return State().value_or(wizard::WizardState{}).choices; }

std::wstring WizardSession::Status() const { return State().value_or(wizard::WizardState{}).status; }

HWND WizardSession::Focus() const { return State().value_or(wizard::WizardState{}).focus; }

bool WizardSession::IsInstalling() const { return State().value_or(wizard::WizardState{}).installing; }

HWND WizardSession::FolderEdit() const { return ::GetDlgItem(m_folderField, ui::CFlatEdit::kEditId); }

void WizardSession::SetFolder(const std::wstring& folder) { ::SetWindowTextW(FolderEdit(), folder.c_str()); }

std::wstring WizardSession::Text(int id) const { return WindowText(Item(id)); }

std::wstring WizardSession::Title() const { return WindowText(m_dialogWindow); }

bool WizardSession::IsChecked(int id) const { return ::SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

ControlIds WizardSession::VisibleOf(const ControlIds& ids) const {
  ControlIds visible;
  for (int id : ids) {
    if (IsVisible(id)) visible.push_back(id);
  }
  return visible;
}

ControlIds WizardSession::EnabledOf(const ControlIds& ids) const {
  ControlIds enabled;
  for (int id : ids) {
    if (IsEnabled(id)) enabled.push_back(id);
  }
  return enabled;
}

Items WizardSession::ItemsOf(int comboId) const {
  const HWND combo = Item(comboId);
  Items items;
  const auto count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    std::wstring item(static_cast<size_t>(::SendMessageW(combo, CB_GETLBTEXTLEN, index, 0)) + 1, L'\0');
    item.resize(static_cast<size_t>(::SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item.data()))));
    items.push_back(item);
  }
  return items;
}

std::wstring WizardSession::SelectedItem(int comboId) const {
  const auto index = static_cast<int>(::SendMessageW(Item(comboId), CB_GETCURSEL, 0, 0));
  if (index == CB_ERR) return {};
  const Items items = ItemsOf(comboId);
  return index < static_cast<int>(items.size()) ? items[index] : std::wstring();
}

bool WizardSession::IsFolderFieldVisible() const { return ::IsWindowVisible(m_folderField) != FALSE; }

// The port choice runs on the dialog's thread when the installation asks, without owner.
HWND WizardSession::FindPortChoice() const {
  return FindTopLevelWindow([this](HWND window) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    return process == ::GetCurrentProcessId() && window != m_dialogWindow && IsDialogClass(window) &&
           ::IsWindowVisible(window) && ::GetDlgItem(window, kPortChoiceListId) != nullptr;
  });
}

HWND WizardSession::WaitForPortChoice() const {
  HWND found = nullptr;
  if (!WaitUntil([&] { return (found = FindPortChoice()) != nullptr; })) ADD_FAILURE() << "no port choice showed";
  return found;
}

void WizardSession::WaitForInstallationEnd() {
  const bool ended = WaitUntil([this] {
    const int page = Page();
    return !IsInstalling() && (page == ui::kFinishedPage || page == ui::kFailurePage || page == -1);
  });
  if (!ended) ADD_FAILURE() << "the installation did not end on the finish or the failure page";
  Settle();
}

INT_PTR WizardSession::Close() {
  Click(IDC_CANCEL_BUTTON);
  return WaitForEnd();
}

INT_PTR WizardSession::WaitForEnd() {
  if (::WaitForSingleObject(m_thread, kPatience) != WAIT_OBJECT_0) return -2;
  return m_result;
}

}  // namespace test
