// The uninstaller's few texts, in English or in Chinese as the installation recorded.
#pragma once

#include <string>

#include "components/uninstaller/installed_record.h"
#include "components/uninstaller/removal_report.h"

namespace uninstaller {

std::wstring CaptionText(const InstalledRecord& record);
std::wstring ConfirmationText(const InstalledRecord& record);
// Success, what goes after the restart, or the list of what stayed.
std::wstring ResultText(const InstalledRecord& record, const RemovalReport& report);
std::wstring NothingRecordedText(const std::wstring& folder);
std::wstring AnotherInstallationText();

}  // namespace uninstaller
