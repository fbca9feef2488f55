// The wizard's texts and configured names, read at start-up from the wizard text file of the
// chosen language, so that one build serves several printer brands.
#pragma once

#include <cstdint>
#include <vector>

#include "texts/wizard_text_parser.h"

namespace texts {

// Process-wide; zero-filled at process start.
extern WizardConfigTable WizardConfig;

// Replaces `table` with the texts of the UTF-16 wizard text file at `path` (ParseWizardTexts),
// then deletes the file. A file that cannot be opened (or no path) gives the four default names
// and nothing else.
void LoadWizardTexts(WizardConfigTable& table, const wchar_t* path);
// Replaces `table` with the texts of a wizard text file's bytes, or with the four default names
// when there are none.
void TakeWizardTexts(WizardConfigTable& table, const std::vector<uint8_t>* fileBytes);
// The same into WizardConfig.
void LoadWizardTexts(const wchar_t* path);

}  // namespace texts
