#include "components/uninstaller/messages.h"

namespace uninstaller {
namespace {

struct Texts {
  const wchar_t* caption;       // + printer name
  const wchar_t* confirmation;  // + printer name + confirmation end
  const wchar_t* confirmationEnd;
  const wchar_t* removed;       // printer name + this
  const wchar_t* afterRestart;
  const wchar_t* notRemoved;
  const wchar_t* retry;
  const wchar_t* error;
  const wchar_t* kinds[10];     // by ItemKind
};

static_assert(static_cast<int>(ItemKind::kRegistryKey) == 9, "one kind text per ItemKind");

constexpr Texts kEnglish = {
    L"Uninstall ",
    L"Remove the printer ",
    L" with its driver, port, printer service and Start-menu shortcut?",
    L" has been removed.",
    L"The remaining files are removed after the next restart.",
    L"These could not be removed:",
    L"Close what is using them and run the uninstaller again.",
    L"error ",
    {L"Printer", L"Port", L"Driver", L"Driver file", L"Service", L"Shortcut", L"Start-menu folder", L"File",
     L"Folder", L"Registry key"},
};

constexpr Texts kChinese = {
    L"卸载 ",
    L"是否删除打印机 ",
    L" 及其驱动程序、端口、打印机服务和开始菜单快捷方式？",
    L" 已删除。",
    L"其余文件将在下次重新启动后删除。",
    L"以下项目无法删除：",
    L"请关闭正在使用它们的程序，然后再次运行卸载程序。",
    L"错误 ",
    {L"打印机", L"端口", L"驱动程序", L"驱动程序文件", L"服务", L"快捷方式", L"开始菜单文件夹", L"文件", L"文件夹",
     L"注册表项"},
};

const Texts& TextsFor(const InstalledRecord& record) { return record.IsChinese() ? kChinese : kEnglish; }

std::wstring ItemLine(const Texts& texts, const NotRemoved& item) {
  return std::wstring(texts.kinds[static_cast<int>(item.kind)]) + L": " + item.name + L" (" + texts.error +
         std::to_wstring(item.error) + L")";
}

}  // namespace

std::wstring CaptionText(const InstalledRecord& record) { return TextsFor(record).caption + record.PrinterName; }

std::wstring ConfirmationText(const InstalledRecord& record) {
  const Texts& texts = TextsFor(record);
  return texts.confirmation + record.PrinterName + texts.confirmationEnd;
}

std::wstring ResultText(const InstalledRecord& record, const RemovalReport& report) {
  const Texts& texts = TextsFor(record);
  if (report.AllRemoved()) {
    std::wstring text = record.PrinterName + texts.removed;
    if (!report.afterRestart.empty()) text += std::wstring(L"\n") + texts.afterRestart;
    return text;
  }
  std::wstring text = texts.notRemoved;
  for (const NotRemoved& item : report.notRemoved) text += L"\n" + ItemLine(texts, item);
  return text + L"\n\n" + texts.retry;
}

std::wstring NothingRecordedText(const std::wstring& folder) {
  return L"No printer installation is recorded in " + folder + L".";
}

std::wstring AnotherInstallationText() {
  return L"A printer installation or removal is running on this computer. Wait until it has finished, then try "
         L"again.";
}

}  // namespace uninstaller
