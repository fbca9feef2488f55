// What each wizard page says and in which fonts, by language: the configured page texts with
// built-in fallbacks, the page titles and the folder-frame label (the words are texts/'s).
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

// The fonts of a LanguageId.
const PageFontSpecs& PageFontsFor(int languageId);

// The header title of pages 1-6 and 8, empty for any other page. Russian titles come from the
// package's "Text.ini", but for the cancelled and failed pages (5 and 6).
std::wstring PageTitle(int32_t page, int languageId);

// The label of the folder page's frame.
std::wstring FolderFrameLabel(int languageId);

// The page's text from `config`, or the built-in one of the language when that is empty; empty
// for pages without text (2, 7 and above 8).
std::wstring PageBodyText(int32_t page, int languageId, const texts::WizardConfigTable& config);

// The status line until the installation reports.
std::wstring StatusPlaceholder(int languageId);

}  // namespace ui
