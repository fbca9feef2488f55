// What the installation names and shows in the three languages: the Start-menu folder beside the
// printer's name, the uninstaller's shortcut and the status line while the printer is added.
#pragma once

#include "texts/localized_text.h"

namespace texts {

// Follows the printer's name.
inline constexpr LocalizedText kStartMenuFolderSuffix{L" Driver", L" 打印机驱动", L" Драйвер принтера"};
inline constexpr LocalizedText kUninstallShortcutName{L"Uninstall Printer Driver.lnk", L"卸载 打印机驱动.lnk",
                                                      L"Удалите драйвер принтера.lnk"};
inline constexpr LocalizedText kInstallingStatus{L"Installing Printer Driver, Please wait...",
                                                 L"正在安装打印机驱动，请稍候...",
                                                 L"Установка драйвера принтера, подождите"};

}  // namespace texts
