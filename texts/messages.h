// The messages of the wizard and of its command line in the three languages: what a refused
// check says, the usage, and why a command line cannot be used.
#pragma once

#include <cstddef>
#include <iterator>

#include "texts/localized_text.h"

namespace texts {

// A check of the pages that refused a choice, by what its message says.
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
  FolderIsLink,  // the last: a new check goes before it
};
inline constexpr size_t kCheckCount = static_cast<size_t>(Check::FolderIsLink) + 1;

struct MessageWording {
  LocalizedText text;
  LocalizedText caption;
};

inline constexpr LocalizedText kMessageCaption = RussianAsEnglish(L"Printer Driver Installation", L"打印机驱动安装");
inline constexpr LocalizedText kFolderMessageCaption = RussianAsEnglish(L"Driver Installation", L"打印机驱动安装");

struct CheckWording {
  Check check;
  MessageWording message;
};

// In the order of Check. Russian reads Text.ini for a missing model only; elsewhere it has no
// words, and English is clearer than silence.
inline constexpr CheckWording kCheckWordings[] = {
    {Check::FolderEmpty, {RussianAsEnglish(L"The folder is empty!", L"安装文件夹不能为空"), kFolderMessageCaption}},
    {Check::FolderInvalid,
     {RussianAsEnglish(L"The folder is invalid", L"安装文件夹不是有效文件夹"), kFolderMessageCaption}},
    {Check::NoModel,
     {{L"Please Select a Printer Driver", L"您没有选择打印机型号，请先选择打印机型号", caption::kNoSelectPrinter},
      {L"Printer Driver Installation", L"打印机驱动安装", caption::kMsgBoxTitle}}},
    {Check::NoUsbPrinter,
     {RussianAsEnglish(L"No matching label printer detected, please connect and try again.",
                       L"没有检测到打印机连接到电脑上，请先连接打印机并上电。 "),
      kMessageCaption}},
    {Check::IpEmpty,
     {RussianAsEnglish(L"IP address cannot be empty, please enter the IP address first",
                       L"IP地址不能为空，请先输入IP地址"),
      kMessageCaption}},
    {Check::TcpPortEmpty,
     {RussianAsEnglish(L"Port cannot be empty, please enter the port first", L"端口不能为空，请先输入端口"),
      kMessageCaption}},
    {Check::PrinterNameInvalid,
     {RussianAsEnglish(
          L"The printer name cannot be used. Use at most 100 characters, none of \\ / : * ? \" < > | or a comma, "
          L"no space or dot at its start or end, and not a device name such as CON, PRN, AUX, NUL, COM1 or LPT1.",
          L"打印机名称无法使用。最多 100 个字符，不能包含 \\ / : * ? \" < > | 或逗号，"
          L"首尾不能是空格或句点，也不能是 CON、PRN、AUX、NUL、COM1、LPT1 等设备名。"),
      kMessageCaption}},
    {Check::IpInvalid,
     {RussianAsEnglish(
          L"The IP address is not valid. Enter four numbers from 0 to 255 separated by dots (192.168.1.50) "
          L"or a host name of letters, digits, '-' and '.'.",
          L"IP 地址无效。请输入以句点分隔的四个 0 到 255 的数字（如 192.168.1.50），或由字母、数字、'-' 和 '.' 组成的主机名。"),
      kMessageCaption}},
    {Check::TcpPortInvalid,
     {RussianAsEnglish(L"The port is not valid. Enter a number from 1 to 65535 (usually 9100).",
                       L"端口无效。请输入 1 到 65535 之间的数字（通常为 9100）。"),
      kMessageCaption}},
    {Check::PortMissing,
     {RussianAsEnglish(L"This port does not exist on this computer. Choose one of the listed ports.",
                       L"此电脑上没有这个端口。请选择列表中的端口。"),
      kMessageCaption}},
    {Check::FolderTooLong,
     {RussianAsEnglish(
          L"The folder is too long: with the printer's folder and the driver files below it, a path may have at most "
          L"255 bytes. Choose a shorter folder.",
          L"文件夹太长：加上打印机文件夹和其中的驱动文件，路径最多 255 个字节。请选择较短的文件夹。"),
      kFolderMessageCaption}},
    {Check::PathTooLong,
     {RussianAsEnglish(
          L"The folder and the printer name are too long together: the driver files' paths may have at most 255 "
          L"bytes. Choose a shorter printer name or go Back to a shorter folder.",
          L"文件夹和打印机名称合起来太长：驱动文件的路径最多 255 个字节。请缩短打印机名称，或返回选择较短的文件夹。"),
      kMessageCaption}},
    {Check::NotInCodePage,
     {RussianAsEnglish(
          L"The folder or printer name holds characters that this Windows cannot use in file names. Use letters and "
          L"digits of the system's language.",
          L"文件夹或打印机名称中含有此 Windows 不能用于文件名的字符。请使用系统语言的字母和数字。"),
      kMessageCaption}},
    {Check::FolderIsLink,
     {RussianAsEnglish(
          L"The install folder, or a folder on its way, is a link to another place (a junction or a symbolic link). "
          L"Choose a folder that is not a link.",
          L"安装文件夹或其上级文件夹是指向其他位置的链接（联接或符号链接）。请选择不是链接的文件夹。"),
      kFolderMessageCaption}},
};

static_assert(std::size(kCheckWordings) == kCheckCount && InKeyOrder(kCheckWordings, &CheckWording::check));

constexpr const MessageWording& CheckMessageWording(Check check) {
  return kCheckWordings[static_cast<size_t>(check)].message;
}

// The command line's usage (/?).
inline constexpr MessageWording kUsageMessage{
    RussianAsEnglish(L"Usage: PrinterSetup.exe [/S] [/D=folder] [/MODEL=name] [/NAME=printer name]\n"
                     L"    [/PORT=USB|COMn|LPTn|IP:address[:port]] [/SERIAL=baud,parity,data,stop,flow]\n"
                     L"    [/DEFAULT=yes|no] [/LANG=en|zh] [/LOG=file]\n\n"
                     L"/S installs without a window. Exit codes: 0 installed, 1602 cancelled, 1603 failed,\n"
                     L"1618 another installation is running, 1639 invalid command line.",
                     L"用法：PrinterSetup.exe [/S] [/D=文件夹] [/MODEL=型号] [/NAME=打印机名称]\n"
                     L"    [/PORT=USB|COMn|LPTn|IP:地址[:端口]] [/SERIAL=波特率,校验,数据位,停止位,流控]\n"
                     L"    [/DEFAULT=yes|no] [/LANG=en|zh] [/LOG=文件]\n\n"
                     L"/S 表示无界面安装。退出码：0 已安装，1602 已取消，1603 失败，1618 另一个安装正在运行，1639 命令行无效。"),
    kMessageCaption};

inline constexpr MessageWording kAnotherInstallationMessage{
    RussianAsEnglish(
        L"Another printer installation is running on this computer. Wait until it has finished, then try again.",
        L"此电脑上正在进行另一个打印机安装。请等它完成后再试。"),
    kMessageCaption};

// A command line that cannot be used: this heading, the reason, then kInvalidCommandLineHelp.
inline constexpr MessageWording kInvalidCommandLineMessage{
    RussianAsEnglish(L"The command line cannot be used: ", L"命令行无法使用："), kMessageCaption};
inline constexpr LocalizedText kInvalidCommandLineHelp =
    RussianAsEnglish(L"\n\nRun PrinterSetup.exe /? for the switches.", L"\n\n运行 PrinterSetup.exe /? 查看可用开关。");

// Why the command line's switches cannot be used; an argument or a value may follow.
enum class CommandLineRefusal {
  NotASwitch,
  UnknownSwitch,
  SwitchTwice,
  NeedsValue,
  TakesNoValue,
  EmptyValue,
  DefaultValue,
  LangValue,
  UnknownModel,
  SerialWithoutCom,
  SerialForm,  // the last: a new refusal goes before it
};
inline constexpr size_t kCommandLineRefusalCount = static_cast<size_t>(CommandLineRefusal::SerialForm) + 1;

struct CommandLineRefusalWording {
  CommandLineRefusal refusal;
  LocalizedText text;
};

// In the order of CommandLineRefusal; a Russian command line reads English.
inline constexpr CommandLineRefusalWording kCommandLineRefusals[] = {
    {CommandLineRefusal::NotASwitch, RussianAsEnglish(L"Not a switch:", L"不是开关：")},
    {CommandLineRefusal::UnknownSwitch, RussianAsEnglish(L"Unknown switch:", L"未知开关：")},
    {CommandLineRefusal::SwitchTwice, RussianAsEnglish(L"Switch given twice:", L"开关重复：")},
    {CommandLineRefusal::NeedsValue, RussianAsEnglish(L"Switch needs a value:", L"开关需要值：")},
    {CommandLineRefusal::TakesNoValue, RussianAsEnglish(L"Switch takes no value:", L"开关不带值：")},
    {CommandLineRefusal::EmptyValue, RussianAsEnglish(L"Empty value:", L"值为空：")},
    {CommandLineRefusal::DefaultValue, RussianAsEnglish(L"/DEFAULT takes yes or no.", L"/DEFAULT 只能是 yes 或 no。")},
    {CommandLineRefusal::LangValue, RussianAsEnglish(L"/LANG takes en or zh.", L"/LANG 只能是 en 或 zh。")},
    {CommandLineRefusal::UnknownModel, RussianAsEnglish(L"No such model in the catalogue: ", L"型号列表中没有这个型号：")},
    {CommandLineRefusal::SerialWithoutCom,
     RussianAsEnglish(L"/SERIAL is for a COM port only.", L"/SERIAL 只用于 COM 端口。")},
    {CommandLineRefusal::SerialForm,
     RussianAsEnglish(L"/SERIAL must be baud,parity,data bits,stop bits,flow as the page lists them, such as "
                      L"115200,n,8,1,p (parity e, o or n; flow x, p or -).",
                      L"/SERIAL 格式应为 波特率,校验,数据位,停止位,流控，取页面列表中的值，例如 115200,n,8,1,p"
                      L"（校验 e、o 或 n；流控 x、p 或 -）。")},
};
static_assert(std::size(kCommandLineRefusals) == kCommandLineRefusalCount &&
              InKeyOrder(kCommandLineRefusals, &CommandLineRefusalWording::refusal));

constexpr const LocalizedText& CommandLineRefusalText(CommandLineRefusal refusal) {
  return kCommandLineRefusals[static_cast<size_t>(refusal)].text;
}

}  // namespace texts
