// The one page both property sheets add: the device's resolution and paper forms, with its
// image. On the document sheet the selected form becomes the job's paper.
#pragma once

#include <string>
#include <vector>

#include "components/driver/common/characterization.h"
#include "components/driver/ui/printer_interface.h"
#include "components/driver/ui/ui_text.h"

namespace plotter {

enum class SheetKind { kDocument, kDevice };

struct PageTexts {
  std::wstring title;
  std::wstring resolutionLabel;
  std::wstring resolution;
  std::wstring formsLabel;
  std::vector<std::wstring> forms;  // one line per form, in file order
};

PageTexts ComposePageTexts(const Characterization& device, const ResourceModule& strings, SheetKind kind);

// One PROPSHEETUI event of either sheet, with the lParam the sheet function was given.
LONG HandleSheetEvent(PROPSHEETUI_INFO& info, LPARAM lParam, SheetKind kind);

}  // namespace plotter
