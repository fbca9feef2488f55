#include "app/command_line.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cwctype>

#include "texts/language.h"
#include "texts/messages.h"
#include "wizard/dialog_texts.h"

namespace app {
namespace {

enum class Field { Silent, Help, Folder, Model, Name, Port, Serial, Default, Lang, Log };

struct Switch {
  const wchar_t* name;
  Field field;
  bool takesValue;
};

constexpr Switch kSwitches[] = {
    {L"S", Field::Silent, false},     {L"SILENT", Field::Silent, false}, {L"QUIET", Field::Silent, false},
    {L"?", Field::Help, false},       {L"HELP", Field::Help, false},     {L"D", Field::Folder, true},
    {L"MODEL", Field::Model, true},   {L"NAME", Field::Name, true},      {L"PORT", Field::Port, true},
    {L"SERIAL", Field::Serial, true}, {L"DEFAULT", Field::Default, true}, {L"LANG", Field::Lang, true},
    {L"LOG", Field::Log, true},
};

constexpr const wchar_t* kParityLetters[] = {L"e", L"o", L"n"};
constexpr const wchar_t* kFlowLetters[] = {L"x", L"p", L"-"};
constexpr wchar_t kDefaultTcpPort[] = L"9100";

using texts::CommandLineRefusal;

std::wstring RefusalText(CommandLineRefusal refusal, int languageId) {
  return texts::Pick(texts::CommandLineRefusalText(refusal), languageId).TextOrEmpty();
}

std::wstring Upper(std::wstring text) {
  for (wchar_t& c : text) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  return text;
}

bool SameLetters(const std::wstring& a, const std::wstring& b) { return Upper(a) == Upper(b); }

const Switch* FindSwitch(const std::wstring& name) {
  for (const Switch& candidate : kSwitches) {
    if (SameLetters(name, candidate.name)) return &candidate;
  }
  return nullptr;
}

// The switch an argument names, whatever else is wrong with it.
const Switch* NamedSwitch(const std::wstring& argument) {
  if (argument.size() < 2 || (argument[0] != L'/' && argument[0] != L'-')) return nullptr;
  return FindSwitch(argument.substr(1, argument.find(L'=') - 1));
}

bool TakeChoice(const std::wstring& value, const wchar_t* first, const wchar_t* second, bool& chosen) {
  if (SameLetters(value, first)) chosen = true;
  else if (SameLetters(value, second)) chosen = false;
  else return false;
  return true;
}

// Stores one switch's value; false with the reason when the value cannot be used.
bool Store(CommandLine& commandLine, Field field, const std::wstring& value, int languageId, std::wstring& error) {
  bool choice = false;
  switch (field) {
    case Field::Silent: commandLine.silent = true; return true;
    case Field::Help: commandLine.help = true; return true;
    case Field::Folder: commandLine.folder = value; return true;
    case Field::Model: commandLine.model = value; return true;
    case Field::Name: commandLine.name = value; return true;
    case Field::Port: commandLine.port = value; return true;
    case Field::Serial: commandLine.serial = value; return true;
    case Field::Log: commandLine.log = value; return true;
    case Field::Default:
      if (!TakeChoice(value, L"yes", L"no", choice)) {
        error = RefusalText(CommandLineRefusal::DefaultValue, languageId);
        return false;
      }
      commandLine.setDefaultPrinter = choice;
      return true;
    case Field::Lang:
      if (!TakeChoice(value, L"zh", L"en", choice)) {
        error = RefusalText(CommandLineRefusal::LangValue, languageId);
        return false;
      }
      commandLine.languageId = choice ? texts::kChinese : texts::kEnglish;
      return true;
  }
  return false;
}

bool ParseArgument(const std::wstring& argument, CommandLine& commandLine, std::vector<Field>& seen, int languageId,
                   std::wstring& error) {
  const std::wstring quoted = L" \"" + argument + L"\"";
  if (argument.size() < 2 || (argument[0] != L'/' && argument[0] != L'-')) {
    error = RefusalText(CommandLineRefusal::NotASwitch, languageId) + quoted;
    return false;
  }
  const size_t equals = argument.find(L'=');
  const Switch* found = NamedSwitch(argument);
  if (found == nullptr) {
    error = RefusalText(CommandLineRefusal::UnknownSwitch, languageId) + quoted;
    return false;
  }
  if (std::find(seen.begin(), seen.end(), found->field) != seen.end()) {
    error = RefusalText(CommandLineRefusal::SwitchTwice, languageId) + quoted;
    return false;
  }
  seen.push_back(found->field);
  if (found->takesValue != (equals != std::wstring::npos)) {
    error = RefusalText(found->takesValue ? CommandLineRefusal::NeedsValue : CommandLineRefusal::TakesNoValue,
                        languageId) +
            quoted;
    return false;
  }
  const std::wstring value = found->takesValue ? argument.substr(equals + 1) : L"";
  if (found->takesValue && value.empty()) {
    error = RefusalText(CommandLineRefusal::EmptyValue, languageId) + quoted;
    return false;
  }
  return Store(commandLine, found->field, value, languageId, error);
}

template <size_t N>
std::optional<int> IndexOf(const wchar_t* const (&items)[N], const std::wstring& value, bool ignoreCase) {
  for (size_t index = 0; index < N; ++index) {
    if (ignoreCase ? SameLetters(items[index], value) : value == items[index]) return static_cast<int>(index);
  }
  return std::nullopt;
}

std::optional<spooler::SerialSettings> ParseSerial(const std::wstring& text) {
  std::vector<std::wstring> fields;
  size_t start = 0;
  for (size_t comma = text.find(L','); ; comma = text.find(L',', start)) {
    fields.push_back(text.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start));
    if (comma == std::wstring::npos) break;
    start = comma + 1;
  }
  if (fields.size() != 5) return std::nullopt;
  const std::optional<int> parity = IndexOf(kParityLetters, fields[1], true);
  const std::optional<int> flow = IndexOf(kFlowLetters, fields[4], true);
  if (!IndexOf(wizard::kBaudRates, fields[0], false) || !parity || !IndexOf(wizard::kDataBits, fields[2], false) ||
      !IndexOf(wizard::kStopBits, fields[3], false) || !flow) {
    return std::nullopt;
  }
  spooler::SerialSettings settings;
  settings.BaudRate = fields[0];
  settings.ParityIndex = *parity;
  settings.DataBits = fields[2];
  settings.StopBits = fields[3];
  settings.FlowControlIndex = *flow;
  return settings;
}

bool TakeNetworkPort(const std::wstring& target, wizard::PresetChoices& preset, int languageId, std::wstring& error) {
  const size_t colon = target.find(L':');
  const std::wstring address = target.substr(0, colon);
  const std::wstring tcpPort = colon == std::wstring::npos ? kDefaultTcpPort : target.substr(colon + 1);
  const std::optional<std::wstring> item = wizard::NetworkPortItem(languageId);
  if (!wizard::IsValidPrinterAddress(address)) {
    error = wizard::CheckMessage(wizard::Check::IpInvalid, languageId).text;
  } else if (!wizard::IsValidTcpPort(tcpPort)) {
    error = wizard::CheckMessage(wizard::Check::TcpPortInvalid, languageId).text;
  } else if (!item) {
    error = wizard::CheckMessage(wizard::Check::PortMissing, languageId).text;
  }
  if (!error.empty()) return false;
  preset.portItem = *item;
  preset.ipAddress = address;
  preset.tcpPort = tcpPort;
  return true;
}

// USB, a COM or LPT port the spooler lists, or IP:address[:port], in any letter case.
bool TakePort(const std::wstring& port, wizard::PresetChoices& preset, int languageId, std::wstring& error) {
  const std::wstring upper = Upper(port);
  if (upper == L"USB") {
    preset.portItem = L"USB";
    return true;
  }
  if (upper.starts_with(L"IP:")) return TakeNetworkPort(port.substr(3), preset, languageId, error);
  const std::vector<std::wstring> listed = wizard::LocalPortItems();
  if ((upper.starts_with(L"COM") || upper.starts_with(L"LPT")) &&
      std::find(listed.begin(), listed.end(), upper) != listed.end()) {
    preset.portItem = upper;
    return true;
  }
  error = wizard::CheckMessage(wizard::Check::PortMissing, languageId).text + L" (" + port + L")";
  return false;
}

std::optional<int> FindModel(const std::wstring& name, const std::vector<std::wstring>& modelNames) {
  for (size_t index = 0; index < modelNames.size(); ++index) {
    if (SameLetters(modelNames[index], name)) return static_cast<int>(index) + 1;
  }
  return std::nullopt;
}

}  // namespace

std::vector<std::wstring> SplitCommandLine(const wchar_t* commandLine) {
  int count = 0;
  wchar_t** arguments = ::CommandLineToArgvW(commandLine, &count);
  if (arguments == nullptr) return {};
  std::vector<std::wstring> result(arguments + std::min(count, 1), arguments + count);
  ::LocalFree(arguments);
  return result;
}

bool AsksForSilence(const std::vector<std::wstring>& arguments) {
  return std::any_of(arguments.begin(), arguments.end(), [](const std::wstring& argument) {
    const Switch* found = NamedSwitch(argument);
    return found != nullptr && found->field == Field::Silent;
  });
}

std::optional<std::wstring> LogPathOf(const std::vector<std::wstring>& arguments) {
  for (const std::wstring& argument : arguments) {
    const Switch* found = NamedSwitch(argument);
    const size_t equals = argument.find(L'=');
    if (found != nullptr && found->field == Field::Log && equals != std::wstring::npos && equals + 1 < argument.size()) {
      return argument.substr(equals + 1);
    }
  }
  return std::nullopt;
}

std::optional<CommandLine> ParseCommandLine(const std::vector<std::wstring>& arguments, int languageId,
                                            std::wstring& error) {
  CommandLine commandLine;
  std::vector<Field> seen;
  for (const std::wstring& argument : arguments) {
    if (!ParseArgument(argument, commandLine, seen, languageId, error)) return std::nullopt;
  }
  return commandLine;
}

std::optional<wizard::PresetChoices> PresetFromCommandLine(const CommandLine& commandLine,
                                                           const std::vector<std::wstring>& modelNames,
                                                           int languageId, std::wstring& error) {
  wizard::PresetChoices preset;
  preset.folder = commandLine.folder;
  preset.printerName = commandLine.name;
  preset.setDefaultPrinter = commandLine.setDefaultPrinter;
  if (commandLine.model) {
    preset.modelIndex = FindModel(*commandLine.model, modelNames);
    if (!preset.modelIndex) {
      error = RefusalText(CommandLineRefusal::UnknownModel, languageId) + *commandLine.model;
      return std::nullopt;
    }
  }
  if (commandLine.port && !TakePort(*commandLine.port, preset, languageId, error)) return std::nullopt;
  if (commandLine.serial) {
    if (!preset.portItem || !preset.portItem->starts_with(L"COM")) {
      error = RefusalText(CommandLineRefusal::SerialWithoutCom, languageId);
      return std::nullopt;
    }
    preset.serial = ParseSerial(*commandLine.serial);
    if (!preset.serial) {
      error = RefusalText(CommandLineRefusal::SerialForm, languageId);
      return std::nullopt;
    }
  }
  return preset;
}

std::optional<wizard::Check> CheckPresetChoices(const wizard::PresetChoices& preset,
                                                const std::vector<std::wstring>& modelNames,
                                                const wizard::PackageRoom& room, bool complete) {
  if (complete || preset.folder) {
    const std::wstring folder = preset.folder.value_or(wizard::DefaultInstallFolder());
    if (std::optional<wizard::Check> refused = wizard::CheckFolderChoice(folder, room)) return refused;
  }
  if (complete) return wizard::CheckSettingsChoice(wizard::ChoicesWithDefaults(preset, modelNames), room);
  if (preset.printerName) return wizard::CheckPrinterNameChoice(*preset.printerName);
  return std::nullopt;
}

}  // namespace app
