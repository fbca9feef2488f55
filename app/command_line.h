// The installer's command line, for administrators who install without clicking:
//   PrinterSetup.exe [/S] [/D=folder] [/MODEL=name] [/NAME=printer name] [/PORT=USB|COMn|LPTn|IP:address[:port]]
//                    [/SERIAL=baud,parity,data,stop,flow] [/DEFAULT=yes|no] [/LANG=en|zh] [/LOG=file] [/?]
// Each argument is one switch: '/' or '-', a name in any letter case, then "=value" where the
// switch takes one.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "wizard/page_checks.h"

namespace app {

struct CommandLine {
  bool silent = false;  // /S, /SILENT, /QUIET
  bool help = false;    // /?, /HELP
  std::optional<std::wstring> folder;
  std::optional<std::wstring> model;
  std::optional<std::wstring> name;
  std::optional<std::wstring> port;
  std::optional<std::wstring> serial;
  std::optional<bool> setDefaultPrinter;
  std::optional<int> languageId;
  std::optional<std::wstring> log;
};

// The arguments after the program's name, as CommandLineToArgvW splits the command line.
std::vector<std::wstring> SplitCommandLine(const wchar_t* commandLine);

// The switches, or nothing with the reason in `error`, in the language (a bare argument, an
// unknown switch, one given twice, a value where none belongs or none where one does, an empty
// value, a /DEFAULT or /LANG value it does not know).
std::optional<CommandLine> ParseCommandLine(const std::vector<std::wstring>& arguments, int languageId,
                                            std::wstring& error);

// True when any argument names /S (or /SILENT, /QUIET), even in a command line that is invalid
// otherwise: an administrator who asked for no window gets none, also for the refusal.
bool AsksForSilence(const std::vector<std::wstring>& arguments);

// The /LOG file's path, also in a command line that is invalid otherwise, so that the refusal
// reaches the log the administrator reads.
std::optional<std::wstring> LogPathOf(const std::vector<std::wstring>& arguments);

// What the switches set on the pages, each value checked in form (a model of the catalogue,
// a port the spooler lists, an address and TCP port, serial settings of the page's lists);
// nothing with the reason in `error`, in the language. `modelNames` are the catalogue's item
// texts, slot 1 first; the network port is the language's item.
std::optional<wizard::PresetChoices> PresetFromCommandLine(const CommandLine& commandLine,
                                                           const std::vector<std::wstring>& modelNames,
                                                           int languageId, std::wstring& error);

// The wizard's own checks of the values the switches gave; with `complete` (silent) the choices
// with their defaults must pass every check, as the settings page's Next would.
std::optional<wizard::Check> CheckPresetChoices(const wizard::PresetChoices& preset,
                                                const std::vector<std::wstring>& modelNames,
                                                const wizard::PackageRoom& room, bool complete);

}  // namespace app
