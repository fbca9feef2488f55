// What each wizard page says and in which fonts, by language: the configured page texts with
// built-in fallbacks, the page titles and the folder-frame label.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "texts/wizard_config.h"
#include "ui/paint_tools.h"

namespace ui {

struct PageFontSpecs {
  FontSpec heading;  // the welcome page's first line
  FontSpec body;
  FontSpec title;
};

// The fonts of a LanguageId (0 English, 1 Chinese, 2 Russian; others as English).
const PageFontSpecs& PageFontsFor(int languageId);

// The header title of pages 1-6 and 8, empty for any other page. Russian titles come from the
// package's "Text.ini"; pages 5 and 6 follow `chinese` alone.
std::wstring PageTitle(int32_t page, int languageId, bool chinese);

// The label of the folder page's frame.
std::wstring FolderFrameLabel(int languageId);

// The page's text from `config`, or the built-in Chinese or English one when that is empty;
// empty for pages without text (2, 7 and above 8).
std::wstring PageBodyText(int32_t page, bool chinese, const texts::WizardConfigTable& config);

}  // namespace ui
