// The unattended command line: its switches, and its values checked as the wizard's pages do.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "texts/language.h"

namespace {

using Arguments = std::vector<std::wstring>;

std::optional<app::CommandLine> Parse(const Arguments& arguments, std::wstring* reason = nullptr) {
  std::wstring error;
  std::optional<app::CommandLine> parsed = app::ParseCommandLine(arguments, texts::kEnglish, error);
  EXPECT_EQ(parsed.has_value(), error.empty()) << testing::PrintToString(error);
  if (reason != nullptr) *reason = error;
  return parsed;
}

TEST(CommandLineSplit, WindowsQuotingKeepsSpacesInsideAValue) {
  EXPECT_EQ(app::SplitCommandLine(LR"(PrinterSetup.exe /S /NAME="Till 3 printer" "/D=C:\Program Files\Tills")"),
            (Arguments{L"/S", L"/NAME=Till 3 printer", L"/D=C:\\Program Files\\Tills"}));
  EXPECT_EQ(app::SplitCommandLine(L"\"C:\\My Setup\\PrinterSetup.exe\""), Arguments{});
}

TEST(CommandLineParse, EverySwitchInAnyLetterCaseWithSlashOrDash) {
  const std::optional<app::CommandLine> parsed =
      Parse({L"-s", L"/d=C:\\Tills", L"/Model=demo80", L"-NAME=Till 3", L"/port=COM1", L"/SERIAL=9600,e,7,2,x",
             L"/default=No", L"/LANG=zh", L"/Log=C:\\setup.log"});
  ASSERT_TRUE(parsed);
  EXPECT_TRUE(parsed->silent);
  EXPECT_FALSE(parsed->help);
  EXPECT_EQ(parsed->folder, L"C:\\Tills");
  EXPECT_EQ(parsed->model, L"demo80");  // values as written
  EXPECT_EQ(parsed->name, L"Till 3");
  EXPECT_EQ(parsed->port, L"COM1");
  EXPECT_EQ(parsed->serial, L"9600,e,7,2,x");
  EXPECT_EQ(parsed->setDefaultPrinter, false);
  EXPECT_EQ(parsed->languageId, texts::kChinese);
  EXPECT_EQ(parsed->log, L"C:\\setup.log");

  for (const wchar_t* silent : {L"/S", L"/SILENT", L"/quiet", L"-Quiet"}) {
    ASSERT_TRUE(Parse({silent})) << silent;
    EXPECT_TRUE(Parse({silent})->silent);
  }
  for (const wchar_t* help : {L"/?", L"-?", L"/help"}) EXPECT_TRUE(Parse({help})->help) << help;
  const std::optional<app::CommandLine> none = Parse({});
  ASSERT_TRUE(none);
  EXPECT_FALSE(none->silent);
  EXPECT_FALSE(none->folder);
  EXPECT_EQ(Parse({L"/LANG=EN"})->languageId, texts::kEnglish);
  EXPECT_EQ(Parse({L"/DEFAULT=YES"})->setDefaultPrinter, true);
  // Only the first '=' separates; the rest is the value.
  EXPECT_EQ(Parse({L"/NAME=a=b"})->name, L"a=b");
}

TEST(CommandLineParse, AnythingElseIsInvalidAndSaysWhy) {
  const struct {
    Arguments arguments;
    const wchar_t* reasonNames;
  } cases[] = {
      {{L"S"}, L"S"},                               // bare argument
      {{L"C:\\Tills"}, L"C:\\Tills"},
      {{L"/"}, L"/"},
      {{L"/SILENTLY"}, L"/SILENTLY"},               // unknown
      {{L"/DIR=C:\\"}, L"/DIR=C:\\"},
      {{L"/S", L"/S"}, L"/S"},                      // twice
      {{L"/S", L"/QUIET"}, L"/QUIET"},              // the same switch by another name
      {{L"/NAME=a", L"/name=b"}, L"/name=b"},
      {{L"/S=1"}, L"/S=1"},                         // a value for a switch without one
      {{L"/?=x"}, L"/?=x"},
      {{L"/MODEL"}, L"/MODEL"},                     // no value
      {{L"/NAME="}, L"/NAME="},                     // empty value
      {{L"/DEFAULT=maybe"}, L"/DEFAULT"},
      {{L"/LANG=ru"}, L"/LANG"},
  };
  for (const auto& [arguments, reasonNames] : cases) {
    SCOPED_TRACE(testing::PrintToString(arguments));
    std::wstring reason;
    EXPECT_FALSE(Parse(arguments, &reason));
    EXPECT_NE(reason.find(reasonNames), std::wstring::npos) << testing::PrintToString(reason);
  }
}

// An administrator who asked for no window gets none, and the log, also when the rest is wrong.
TEST(CommandLineParse, SilenceAndTheLogAreFoundInAnInvalidCommandLine) {
  EXPECT_TRUE(app::AsksForSilence({L"stray", L"-quiet", L"/S"}));
  EXPECT_TRUE(app::AsksForSilence({L"/S=1"}));
  EXPECT_FALSE(app::AsksForSilence({L"/SILENTLY", L"S", L"/NAME=/S"}));
  EXPECT_EQ(app::LogPathOf({L"/UNKNOWN", L"/log=C:\\setup.log", L"/LOG=C:\\second.log"}), L"C:\\setup.log");
  EXPECT_EQ(app::LogPathOf({L"/LOG=", L"/LOG"}), std::nullopt);
  EXPECT_EQ(app::LogPathOf({L"/NAME=/LOG=x"}), std::nullopt);
}

const std::vector<std::wstring> kModels = {L"Demo58", L"Demo80", L"Demo Label 110"};

std::optional<wizard::PresetChoices> Preset(const Arguments& arguments, std::wstring* reason = nullptr) {
  const std::optional<app::CommandLine> parsed = Parse(arguments);
  if (!parsed) return std::nullopt;
  std::wstring error;
  std::optional<wizard::PresetChoices> preset = app::PresetFromCommandLine(*parsed, kModels, texts::kEnglish, error);
  EXPECT_EQ(preset.has_value(), error.empty());
  if (reason != nullptr) *reason = error;
  return preset;
}

TEST(CommandLinePreset, ModelByNameIgnoringCaseAndPortsAsThePageListsThem) {
  EXPECT_EQ(Preset({L"/MODEL=demo label 110"})->modelIndex, 3);
  EXPECT_EQ(Preset({L"/MODEL=DEMO58"})->modelIndex, 1);
  std::wstring reason;
  EXPECT_FALSE(Preset({L"/MODEL=Demo"}, &reason));
  EXPECT_NE(reason.find(L"Demo"), std::wstring::npos);

  EXPECT_EQ(Preset({L"/PORT=usb"})->portItem, L"USB");
  // Wine's spooler lists COM1: to COM4: and LPT1: to LPT3:.
  EXPECT_EQ(Preset({L"/PORT=com3"})->portItem, L"COM3");
  EXPECT_EQ(Preset({L"/PORT=LPT1"})->portItem, L"LPT1");
  for (const wchar_t* port : {L"/PORT=COM9", L"/PORT=LPT4", L"/PORT=FILE", L"/PORT=COM", L"/PORT=USB001"}) {
    EXPECT_FALSE(Preset({port})) << port;
  }

  const std::optional<wizard::PresetChoices> network = Preset({L"/PORT=IP:192.168.1.50"});
  ASSERT_TRUE(network);
  EXPECT_EQ(network->portItem, L"Net Port(TCP/IP)");
  EXPECT_EQ(network->ipAddress, L"192.168.1.50");
  EXPECT_EQ(network->tcpPort, L"9100");
  const std::optional<wizard::PresetChoices> named = Preset({L"/PORT=ip:till-3.shop:9101"});
  ASSERT_TRUE(named);
  EXPECT_EQ(named->ipAddress, L"till-3.shop");
  EXPECT_EQ(named->tcpPort, L"9101");
  for (const wchar_t* port : {L"/PORT=IP:", L"/PORT=IP:192.168.1", L"/PORT=IP:192.168.1.256", L"/PORT=IP:a b",
                              L"/PORT=IP:host:0", L"/PORT=IP:host:65536", L"/PORT=IP:host:", L"/PORT=IP:host:91a"}) {
    EXPECT_FALSE(Preset({port})) << port;
  }
}

TEST(CommandLinePreset, SerialSettingsAreThePageListsItemsAndOnlyForACOMPort) {
  const std::optional<wizard::PresetChoices> preset = Preset({L"/PORT=COM1", L"/SERIAL=9600,E,7,1.5,-"});
  ASSERT_TRUE(preset);
  ASSERT_TRUE(preset->serial);
  EXPECT_EQ(spooler::FormatSerialPortSettings(*preset->serial), L"9600,e,7,1.5,");
  EXPECT_EQ(Preset({L"/PORT=COM2", L"/SERIAL=115200,o,8,2,x"})->serial->FlowControlIndex, 0);
  for (const Arguments& arguments :
       {Arguments{L"/SERIAL=115200,n,8,1,p"}, Arguments{L"/PORT=LPT1", L"/SERIAL=115200,n,8,1,p"},
        Arguments{L"/PORT=IP:10.0.0.1", L"/SERIAL=115200,n,8,1,p"}, Arguments{L"/PORT=COM1", L"/SERIAL=115201,n,8,1,p"},
        Arguments{L"/PORT=COM1", L"/SERIAL=115200,m,8,1,p"}, Arguments{L"/PORT=COM1", L"/SERIAL=115200,n,9,1,p"},
        Arguments{L"/PORT=COM1", L"/SERIAL=115200,n,8,3,p"}, Arguments{L"/PORT=COM1", L"/SERIAL=115200,n,8,1,h"},
        Arguments{L"/PORT=COM1", L"/SERIAL=115200,n,8,1"}, Arguments{L"/PORT=COM1", L"/SERIAL=115200,n,8,1,p,"}}) {
    EXPECT_FALSE(Preset(arguments)) << testing::PrintToString(arguments);
  }
}

// The refusals and the port list's items are those of the language start-up hands over.
TEST(CommandLineLanguage, RefusalsAndTheNetworkItemAreTheGivenLanguages) {
  std::wstring error;
  EXPECT_FALSE(app::ParseCommandLine({L"stray"}, texts::kChinese, error));
  EXPECT_EQ(error, L"不是开关： \"stray\"");
  error.clear();
  const std::optional<app::CommandLine> parsed =
      app::ParseCommandLine({L"/PORT=IP:10.0.0.7", L"/MODEL=Demo"}, texts::kEnglish, error);
  ASSERT_TRUE(parsed);

  EXPECT_FALSE(app::PresetFromCommandLine(*parsed, kModels, texts::kChinese, error));
  EXPECT_EQ(error, L"型号列表中没有这个型号：Demo");
  app::CommandLine network = *parsed;
  network.model.reset();
  error.clear();
  const std::optional<wizard::PresetChoices> chinese =
      app::PresetFromCommandLine(network, kModels, texts::kChinese, error);
  ASSERT_TRUE(chinese);
  EXPECT_EQ(chinese->portItem, L"网络端口（TCP/IP）");
  // The Russian port list has no network item.
  EXPECT_FALSE(app::PresetFromCommandLine(network, kModels, texts::kRussian, error));
  EXPECT_EQ(error, wizard::CheckMessage(wizard::Check::PortMissing, texts::kRussian).text);
  network.port = L"IP:10.0.0.300";
  EXPECT_FALSE(app::PresetFromCommandLine(network, kModels, texts::kChinese, error));
  EXPECT_EQ(error, wizard::CheckMessage(wizard::Check::IpInvalid, texts::kChinese).text);
  EXPECT_NE(error, wizard::CheckMessage(wizard::Check::IpInvalid, texts::kEnglish).text);
}

TEST(CommandLineChecks, TheWizardsOwnChecksDecide) {
  const auto check = [](const Arguments& arguments, bool silent) {
    const std::optional<wizard::PresetChoices> preset = Preset(arguments);
    EXPECT_TRUE(preset);
    return preset ? app::CheckPresetChoices(*preset, kModels, {}, silent) : std::nullopt;
  };
  EXPECT_EQ(check({L"/NAME=..\\..\\evil"}, false), wizard::Check::PrinterNameInvalid);
  EXPECT_EQ(check({L"/NAME=LPT1"}, false), wizard::Check::PrinterNameInvalid);
  EXPECT_EQ(check({L"/D=Tills"}, false), wizard::Check::FolderInvalid);
  EXPECT_EQ(check({L"/D=Q:\\Tills"}, false), wizard::Check::FolderInvalid);
  // The wizard lets the user connect the printer before Next; silently, USB needs one now.
  EXPECT_EQ(check({}, false), std::nullopt);
  EXPECT_EQ(check({L"/S"}, true), wizard::Check::NoUsbPrinter);
  EXPECT_EQ(check({L"/S", L"/PORT=COM1", L"/D=C:\\Tills"}, true), std::nullopt);
  EXPECT_EQ(check({L"/S", L"/PORT=IP:10.0.0.7:9100", L"/NAME=Kitchen"}, true), std::nullopt);
  EXPECT_EQ(app::CheckPresetChoices({}, {}, {}, true), wizard::Check::NoModel);  // an empty catalogue
}

}  // namespace
