// The wizard dialog's own texts by language: control captions, check messages, and the texts
// of the installation (Start-menu names, status line).
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "texts/text_ini.h"

namespace wizard {

struct Message {
  std::wstring text;
  std::wstring caption;
};

enum class Check {
  FolderEmpty,
  FolderInvalid,
  NoModel,
  NoUsbPrinter,
  IpEmpty,
  TcpPortEmpty,
  PrinterNameInvalid,
  IpInvalid,
  TcpPortInvalid,
  PortMissing,
  FolderTooLong,
  PathTooLong,
  NotInCodePage,
  FolderIsLink,
};

// The message of a failed check in the running language.
Message CheckMessage(Check check);

// The unattended command line's messages: its usage, another installation running, and a
// command line that cannot be used (with the reason).
Message UsageMessage();
Message AnotherInstallationMessage();
Message InvalidCommandLineMessage(const std::wstring& reason);

// A control's caption per language; null texts keep the template's own text.
struct ControlCaption {
  int id;
  const wchar_t* english;
  const wchar_t* chinese;
  texts::CaptionKey russianKey;  // looked up in Text.ini when its key is set
  const wchar_t* russian;      // fixed Russian text when no key is set
};

std::span<const ControlCaption> DialogCaptions();
// The caption's text in the running language, or nothing when the template's text stays.
std::optional<std::wstring> CaptionText(const ControlCaption& caption);

// The window title: the configured one, else the built-in one (none in Russian).
std::wstring DialogTitle();
// Cancel's caption on the finish page (4) and the failure page (8).
std::wstring FinishCaption(bool failurePage);

std::wstring StartMenuFolderName(const std::wstring& printerName);
std::wstring UninstallShortcutName();
std::wstring InstallingStatus();
std::wstring ModelPlaceholder();
// The port list's network item; nothing in Russian.
std::optional<std::wstring> NetworkPortItem();

// Russian captions come from the package's Text.ini.
std::wstring LookUpRussian(const texts::CaptionKey& caption);

}  // namespace wizard
