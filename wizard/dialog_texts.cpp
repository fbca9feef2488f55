#include "wizard/dialog_texts.h"

#include "resources/resource.h"
#include "texts/documents_folder.h"
#include "texts/language.h"
#include "texts/wizard_config.h"

namespace wizard {
namespace {

using texts::CurrentLanguageId;
namespace caption = texts::caption;

constexpr texts::CaptionKey kNoKey{nullptr, nullptr};

// By language: English, Chinese, Russian.
struct Texts {
  const wchar_t* english;
  const wchar_t* chinese;
  const wchar_t* russian;
};

const wchar_t* Pick(const Texts& texts) {
  switch (CurrentLanguageId()) {
    case texts::kChinese: return texts.chinese;
    case texts::kRussian: return texts.russian;
    default: return texts.english;
  }
}

constexpr wchar_t kChineseCaption[] = L"打印机驱动安装";
constexpr wchar_t kEnglishCaption[] = L"Printer Driver Installation";
constexpr wchar_t kFolderCaption[] = L"Driver Installation";

// No Russian text exists for the network checks; English is clearer than silence.
Message PickMessage(const Texts& text, const Texts& caption) { return {Pick(text), Pick(caption)}; }

constexpr ControlCaption kCaptions[] = {
    {IDC_BACK, L"Back", L"<<上一步", caption::kBack, nullptr},
    {IDC_NEXT, L"Next", L"下一步>>", caption::kNext, nullptr},
    {IDC_CANCEL_BUTTON, L"Cancel", L"取消", kNoKey, caption::kRussianCancel},
    {IDC_BROWSE, L"Browse", L"浏览...", caption::kBrowse, nullptr},
    {IDC_SETTINGS_GROUP, L"Select Port", L"设置端口", kNoKey, caption::kRussianPortGroup},
    {IDC_MODEL_LABEL, L"Model:", L"型号：", caption::kDriverTitle, nullptr},
    {IDC_NAME_LABEL, L"Printer Name:", L"打印机名称：", caption::kPrintTitle, nullptr},
    {IDC_DEFAULT_PRINTER, L"Set as default printer", L"设置为默认打印机", caption::kDefaultPrinter, nullptr},
    {IDC_PORT_LABEL, L"Port:", L"端口：", kNoKey, L"Port:"},
    {IDC_BAUD_LABEL, L"Baudrate:", L"波特率：", kNoKey, L"Baudrate:"},
    {IDC_PARITY_LABEL, L"Parity bit:", nullptr, kNoKey, nullptr},
    {IDC_STOP_BITS_LABEL, L"Stop bits:", nullptr, kNoKey, nullptr},
    {IDC_FLOW_LABEL, L"Flow control:", nullptr, kNoKey, nullptr},
    {IDC_DATA_BITS_LABEL, L"Data bits:", nullptr, kNoKey, nullptr},
    {IDC_USE_MONITOR, nullptr, nullptr, kNoKey, L"Use Printer Monitor"},
    // The template's captions of the network fields are Chinese; English and Russian users
    // read them in English, as the other fixed Russian captions.
    {IDC_IP_LABEL, L"Printer IP:", nullptr, kNoKey, L"Printer IP:"},
    {IDC_TCP_PORT_LABEL, L"Port:", nullptr, kNoKey, L"Port:"},
};

}  // namespace

std::wstring LookUpRussian(const texts::CaptionKey& key) { return texts::LookUpCaption(key); }

Message CheckMessage(Check check) {
  const Texts folderCaption{kFolderCaption, kChineseCaption, kFolderCaption};
  const Texts caption{kEnglishCaption, kChineseCaption, kEnglishCaption};
  switch (check) {
    case Check::FolderEmpty:
      return PickMessage({L"The folder is empty!", L"安装文件夹不能为空", L"The folder is empty!"}, folderCaption);
    case Check::FolderInvalid:
      return PickMessage({L"The folder is invalid", L"安装文件夹不是有效文件夹", L"The folder is invalid"},
                         folderCaption);
    case Check::NoModel:
      if (CurrentLanguageId() == texts::kRussian) {
        return {LookUpRussian(caption::kNoSelectPrinter), LookUpRussian(caption::kMsgBoxTitle)};
      }
      return PickMessage({L"Please Select a Printer Driver", L"您没有选择打印机型号，请先选择打印机型号", nullptr},
                         caption);
    case Check::NoUsbPrinter: {
      constexpr wchar_t kEnglish[] = L"No matching label printer detected, please connect and try again.";
      return PickMessage({kEnglish, L"没有检测到打印机连接到电脑上，请先连接打印机并上电。 ", kEnglish}, caption);
    }
    case Check::IpEmpty: {
      constexpr wchar_t kEnglish[] = L"IP address cannot be empty, please enter the IP address first";
      return PickMessage({kEnglish, L"IP地址不能为空，请先输入IP地址", kEnglish}, caption);
    }
    case Check::TcpPortEmpty: {
      constexpr wchar_t kEnglish[] = L"Port cannot be empty, please enter the port first";
      return PickMessage({kEnglish, L"端口不能为空，请先输入端口", kEnglish}, caption);
    }
    case Check::PrinterNameInvalid: {
      constexpr wchar_t kEnglish[] =
          L"The printer name cannot be used. Use at most 100 characters, none of \\ / : * ? \" < > | or a comma, "
          L"no space or dot at its start or end, and not a device name such as CON, PRN, AUX, NUL, COM1 or LPT1.";
      return PickMessage({kEnglish,
                          L"打印机名称无法使用。最多 100 个字符，不能包含 \\ / : * ? \" < > | 或逗号，"
                          L"首尾不能是空格或句点，也不能是 CON、PRN、AUX、NUL、COM1、LPT1 等设备名。",
                          kEnglish},
                         caption);
    }
    case Check::IpInvalid: {
      constexpr wchar_t kEnglish[] =
          L"The IP address is not valid. Enter four numbers from 0 to 255 separated by dots (192.168.1.50) "
          L"or a host name of letters, digits, '-' and '.'.";
      return PickMessage(
          {kEnglish, L"IP 地址无效。请输入以句点分隔的四个 0 到 255 的数字（如 192.168.1.50），或由字母、数字、'-' 和 '.' 组成的主机名。",
           kEnglish},
          caption);
    }
    case Check::TcpPortInvalid: {
      constexpr wchar_t kEnglish[] = L"The port is not valid. Enter a number from 1 to 65535 (usually 9100).";
      return PickMessage({kEnglish, L"端口无效。请输入 1 到 65535 之间的数字（通常为 9100）。", kEnglish}, caption);
    }
    case Check::PortMissing: {
      constexpr wchar_t kEnglish[] = L"This port does not exist on this computer. Choose one of the listed ports.";
      return PickMessage({kEnglish, L"此电脑上没有这个端口。请选择列表中的端口。", kEnglish}, caption);
    }
    case Check::FolderTooLong: {
      constexpr wchar_t kEnglish[] =
          L"The folder is too long: with the printer's folder and the driver files below it, a path may have at most "
          L"255 bytes. Choose a shorter folder.";
      return PickMessage({kEnglish, L"文件夹太长：加上打印机文件夹和其中的驱动文件，路径最多 255 个字节。请选择较短的文件夹。",
                          kEnglish},
                         folderCaption);
    }
    case Check::PathTooLong: {
      constexpr wchar_t kEnglish[] =
          L"The folder and the printer name are too long together: the driver files' paths may have at most 255 bytes. "
          L"Choose a shorter printer name or go Back to a shorter folder.";
      return PickMessage({kEnglish, L"文件夹和打印机名称合起来太长：驱动文件的路径最多 255 个字节。请缩短打印机名称，或返回选择较短的文件夹。",
                          kEnglish},
                         caption);
    }
    case Check::NotInCodePage: {
      constexpr wchar_t kEnglish[] =
          L"The folder or printer name holds characters that this Windows cannot use in file names. Use letters and "
          L"digits of the system's language.";
      return PickMessage({kEnglish, L"文件夹或打印机名称中含有此 Windows 不能用于文件名的字符。请使用系统语言的字母和数字。",
                          kEnglish},
                         caption);
    }
    case Check::FolderIsLink: {
      constexpr wchar_t kEnglish[] =
          L"The install folder, or a folder on its way, is a link to another place (a junction or a symbolic link). "
          L"Choose a folder that is not a link.";
      return PickMessage({kEnglish, L"安装文件夹或其上级文件夹是指向其他位置的链接（联接或符号链接）。请选择不是链接的文件夹。",
                          kEnglish},
                         folderCaption);
    }
  }
  return {};
}

Message UsageMessage() {
  constexpr wchar_t kEnglish[] =
      L"Usage: PrinterSetup.exe [/S] [/D=folder] [/MODEL=name] [/NAME=printer name]\n"
      L"    [/PORT=USB|COMn|LPTn|IP:address[:port]] [/SERIAL=baud,parity,data,stop,flow]\n"
      L"    [/DEFAULT=yes|no] [/LANG=en|zh] [/LOG=file]\n\n"
      L"/S installs without a window. Exit codes: 0 installed, 1602 cancelled, 1603 failed,\n"
      L"1618 another installation is running, 1639 invalid command line.";
  constexpr wchar_t kChinese[] =
      L"用法：PrinterSetup.exe [/S] [/D=文件夹] [/MODEL=型号] [/NAME=打印机名称]\n"
      L"    [/PORT=USB|COMn|LPTn|IP:地址[:端口]] [/SERIAL=波特率,校验,数据位,停止位,流控]\n"
      L"    [/DEFAULT=yes|no] [/LANG=en|zh] [/LOG=文件]\n\n"
      L"/S 表示无界面安装。退出码：0 已安装，1602 已取消，1603 失败，1618 另一个安装正在运行，1639 命令行无效。";
  return {Pick({kEnglish, kChinese, kEnglish}), Pick({kEnglishCaption, kChineseCaption, kEnglishCaption})};
}

Message AnotherInstallationMessage() {
  constexpr wchar_t kEnglish[] =
      L"Another printer installation is running on this computer. Wait until it has finished, then try again.";
  return PickMessage({kEnglish, L"此电脑上正在进行另一个打印机安装。请等它完成后再试。", kEnglish},
                     {kEnglishCaption, kChineseCaption, kEnglishCaption});
}

Message InvalidCommandLineMessage(const std::wstring& reason) {
  const Message heading = PickMessage({L"The command line cannot be used: ", L"命令行无法使用：", L"The command line cannot be used: "},
                                      {kEnglishCaption, kChineseCaption, kEnglishCaption});
  const std::wstring help = Pick({L"\n\nRun PrinterSetup.exe /? for the switches.", L"\n\n运行 PrinterSetup.exe /? 查看可用开关。",
                                  L"\n\nRun PrinterSetup.exe /? for the switches."});
  return {heading.text + reason + help, heading.caption};
}

std::span<const ControlCaption> DialogCaptions() { return kCaptions; }

std::optional<std::wstring> CaptionText(const ControlCaption& caption) {
  const wchar_t* text = nullptr;
  switch (CurrentLanguageId()) {
    case texts::kChinese: text = caption.chinese; break;
    case texts::kRussian:
      if (caption.russianKey.key != nullptr) return LookUpRussian(caption.russianKey);
      text = caption.russian;
      break;
    default: text = caption.english; break;
  }
  if (text == nullptr) return std::nullopt;
  return std::wstring(text);
}

std::wstring DialogTitle() {
  if (texts::WizardConfig.Title[0] != L'\0') return texts::WizardConfig.Title;
  return Pick({L"USB printer driver installation Wizard", L"USB打印机驱动安装", L""});
}

std::wstring FinishCaption(bool failurePage) {
  if (CurrentLanguageId() == texts::kChinese) return L"完成";
  if (CurrentLanguageId() == texts::kRussian && !failurePage) return LookUpRussian(caption::kFinish);
  return L"Finish";
}

std::wstring StartMenuFolderName(const std::wstring& printerName) {
  return printerName + Pick({L" Driver", L" 打印机驱动", L" Драйвер принтера"});
}

std::wstring UninstallShortcutName() {
  return Pick({L"Uninstall Printer Driver.lnk", L"卸载 打印机驱动.lnk", L"Удалите драйвер принтера.lnk"});
}

std::wstring InstallingStatus() {
  return Pick({L"Installing Printer Driver, Please wait...", L"正在安装打印机驱动，请稍候...",
               L"Установка драйвера принтера, подождите"});
}

std::wstring ModelPlaceholder() {
  if (CurrentLanguageId() == texts::kRussian) return LookUpRussian(caption::kPleaseSelectModel);
  return Pick({L"Please select model", L"请选择打印机型号", nullptr});
}

std::optional<std::wstring> NetworkPortItem() {
  const wchar_t* item = Pick({L"Net Port(TCP/IP)", L"网络端口（TCP/IP）", nullptr});
  if (item == nullptr) return std::nullopt;
  return std::wstring(item);
}

}  // namespace wizard
