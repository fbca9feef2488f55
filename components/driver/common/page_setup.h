// The driver's DEVMODE: which of the characterization file's forms is selected, the copies, and
// the one resolution the device has. Shared by the rendering and the configuration DLL.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "components/driver/common/characterization.h"

namespace plotter {

// The forms of the characterization file, in order, are driver-defined papers from DMPAPER_USER on.
inline constexpr short kFirstPaperId = DMPAPER_USER;
inline constexpr WORD kDriverVersion = 0x0100;
inline constexpr DWORD kSupportedFields = DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH |
                                          DM_COPIES | DM_PRINTQUALITY | DM_YRESOLUTION | DM_FORMNAME;
// A DEVMODE must at least reach its dmFields member to be read at all.
inline constexpr size_t kMinDevModeSize = offsetof(DEVMODEW, dmFields) + sizeof(DWORD);

short PaperIdOfForm(size_t index);
// Index of the form a paper id or a form name selects; forms.size() when none does.
size_t FormOfPaperId(const Characterization& device, short paperId);
size_t FormOfName(const Characterization& device, const std::wstring& name);
std::wstring WideFormName(const Form& form);
uint16_t MaxCopies(const Characterization& device);

// First form, portrait, one copy, the device resolution; no private part.
DEVMODEW DefaultDevMode(const Characterization& device, const wchar_t* printerName);

// Takes what the device supports from `requested`, reading no further than its dmSize.
// Resolution and orientation are the device's own whatever is asked.
void MergeDevMode(DEVMODEW& devmode, const DEVMODEW& requested, const Characterization& device);

// The form a merged DEVMODE selects.
const Form& SelectedForm(const Characterization& device, const DEVMODEW& devmode);

}  // namespace plotter
