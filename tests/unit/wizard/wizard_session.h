// The real wizard dialog run modally on a user-interface thread of its own, driven from the test
// thread by control id, as a user would: clicks, combo choices, typed texts, Enter and Esc.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "wizard/install_dlg.h"

namespace test {

enum class Owner { None, Dialog };

// A message box the dialog showed, as read before it was closed; empty when none showed.
struct ShownMessage {
  std::wstring text;
  std::wstring caption;
  Owner owner = Owner::None;
  bool operator==(const ShownMessage&) const = default;
};
void PrintTo(const ShownMessage& message, std::ostream* out);
inline const ShownMessage kNoMessage{};

// What start-up leaves for the dialog: the language and the Documents folder's files.
struct WizardSetup {
  int languageId = 0;
  std::vector<std::wstring> catalogue;  // lines of PrinterName.txt
  std::optional<std::wstring> textIni;  // Text.ini, when there is one
  std::vector<uint8_t> package;          // the package the dialog stages from, if any
  wizard::PresetChoices preset;          // what a command line would have given
};

using Items = std::vector<std::wstring>;
using ControlIds = std::vector<int>;

class WizardSession {
 public:
  // Writes the files, then runs the dialog and waits until it shows.
  explicit WizardSession(const WizardSetup& setup);
  // Ends whatever is still open and removes the files.
  ~WizardSession();
  WizardSession(const WizardSession&) = delete;
  WizardSession& operator=(const WizardSession&) = delete;

  HWND Dialog() const { return m_dialogWindow; }
  HWND Item(int id) const { return ::GetDlgItem(m_dialogWindow, id); }
  bool IsOpen() const { return ::WaitForSingleObject(m_thread, 0) == WAIT_TIMEOUT; }
  // What the dialog answers about itself, asked on its own thread; nothing once it has ended.
  std::optional<wizard::WizardState> State() const;
  // The page shown; -1 once the dialog has ended.
  int Page() const;
  bool IsInstalling() const;
  // What the dialog holds of the user's choices; empty once it has ended.
  wizard::InstallationChoices Choices() const;
  // The page window's status line; empty once the dialog has ended.
  std::wstring Status() const;
  // The window with the keyboard focus on the dialog's thread; null once the dialog has ended.
  HWND Focus() const;
  // The edit inside the page window's folder field.
  HWND FolderEdit() const;

  // Posts the button's click and lets the dialog handle it; a message box it opened is read,
  // closed and returned.
  ShownMessage Click(int id);
  // The commands the dialog manager sends for Enter where no button is the default, and for Esc.
  void PressEnter() { PostCommand(IDOK); }
  void PressEsc() { PostCommand(IDCANCEL); }
  void Select(int comboId, int index);
  void Select(int comboId, const std::wstring& item);
  void SetText(int id, const std::wstring& text);
  void SetFolder(const std::wstring& folder);

  std::wstring Text(int id) const;
  std::wstring Title() const;
  bool IsVisible(int id) const { return ::IsWindowVisible(Item(id)) != FALSE; }
  bool IsEnabled(int id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }
  bool IsChecked(int id) const;
  // Of `ids`, those visible (or enabled) now, in the same order.
  ControlIds VisibleOf(const ControlIds& ids) const;
  ControlIds EnabledOf(const ControlIds& ids) const;
  Items ItemsOf(int comboId) const;
  std::wstring SelectedItem(int comboId) const;
  bool IsFolderFieldVisible() const;

  // The installation worker's port choice dialog, once it shows; null after the timeout.
  HWND WaitForPortChoice() const;
  // Waits until the installation has ended on the finish (4) or the failure page (8).
  void WaitForInstallationEnd();
  // Clicks Cancel (Finish) and returns DoModal's result.
  INT_PTR Close();
  // DoModal's result once the dialog has ended; -2 when it has not ended in time.
  INT_PTR WaitForEnd();

 private:
  static DWORD WINAPI UiThread(void* session);
  void RunDialog();
  void WriteDocumentFiles() const;
  void RemoveDocumentFiles() const;
  void PostCommand(int id);
  // Returns once the dialog's thread has taken every message posted to it so far.
  void Settle();
  HWND FindMessageBox() const;
  ShownMessage TakeMessageBox();
  HWND FindDialogWindow() const;
  HWND FindPortChoice() const;

  WizardSetup m_setup;
  HANDLE m_thread = nullptr;
  DWORD m_threadId = 0;
  HWND m_dialogWindow = nullptr;
  HWND m_folderField = nullptr;  // the page window's, which holds the edit
  std::atomic<HWND> m_marker = nullptr;  // a window of the dialog's thread that counts posts
  std::atomic<unsigned> m_markersTaken = 0;
  unsigned m_markersPosted = 0;
  INT_PTR m_result = -1;
};

}  // namespace test
