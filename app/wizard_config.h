// The wizard's texts and configured names, read at start-up from the wizard text file of the
// chosen language, so that one build serves several printer brands.
#pragma once

#include <cstddef>

namespace app {

inline constexpr size_t kPageCount = 6;
inline constexpr size_t kPageTextCapacity = 512;  // 511 characters and the terminator
inline constexpr size_t kConfigValueCapacity = 256;

struct WizardConfigTable {
  wchar_t PageText[kPageCount][kPageTextCapacity];  // welcome, folder, installing, completed,
                                                    // cancelled, failed
  wchar_t Title[kConfigValueCapacity];
  wchar_t PrinterName[kConfigValueCapacity];
  wchar_t DriverName[kConfigValueCapacity];
  wchar_t MonitorName[kConfigValueCapacity];
  wchar_t PortName[kConfigValueCapacity];
  wchar_t FolderName[kConfigValueCapacity];
  wchar_t LanguageDll[kConfigValueCapacity];
};

// Process-wide; zero-filled at process start.
extern WizardConfigTable WizardConfig;

// Replaces `table` with the texts of the UTF-16 wizard text file at `path` (six page sections,
// each closed by a line holding twenty '=', then the value lines), then closes and deletes the
// file. A file that cannot be opened (or no path) gives the four default names and nothing else.
// Lines longer than 255 characters (with their line end) keep their first 253 characters and
// count as ending in CR LF; page texts and values are cut at their capacity.
void LoadWizardTexts(WizardConfigTable& table, const wchar_t* path);
// The same into WizardConfig.
void LoadWizardTexts(const wchar_t* path);

}  // namespace app
