// Translated captions of the Russian interface, from the package's "Text.ini": read once at
// start-up from the package in memory, never back from Documents, where anyone could change it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>
#include <cstdint>

namespace texts {

inline constexpr size_t kCaptionCapacity = 256;  // 255 characters and the terminator

struct CaptionKey {
  const wchar_t* key;
  const wchar_t* fallback;
};

// The keys of section "Text" and what each yields without the file; most keys are the English
// caption they replace.
namespace caption {
inline constexpr CaptionKey kBack{L"Back", L"Back"};
inline constexpr CaptionKey kNext{L"Next", L"Next"};
inline constexpr CaptionKey kBrowse{L"Browse", L"Browse"};
inline constexpr CaptionKey kDriverTitle{L"DriverTitle", L"Model:"};
inline constexpr CaptionKey kPrintTitle{L"PrintTitle", L"Printer Name:"};
inline constexpr CaptionKey kDefaultPrinter{L"DefaultPrinter", L"Set as default printer"};
inline constexpr CaptionKey kPleaseSelectModel{L"Please select model", L"Please select model"};
inline constexpr CaptionKey kNoSelectPrinter{L"NoSelectPrinter", L"Please Select a Printer Driver"};
inline constexpr CaptionKey kMsgBoxTitle{L"MsgBoxTitle", L"Printer Driver Installation"};
inline constexpr CaptionKey kFinish{L"Finish", L"Finish"};
inline constexpr CaptionKey kChooseInstallationFolder{L"Choose installation folder", L"Choose installation folder"};
inline constexpr CaptionKey kInstallPath{L"InstallPath", L"Path"};
inline constexpr CaptionKey kPrinterSetting{L"Printer Setting", L"Printer Setting"};
inline constexpr CaptionKey kInstalling{L"Installing", L"Installing"};
inline constexpr CaptionKey kSetupComplete{L"Setup Complete", L"Setup Complete"};
inline constexpr CaptionKey kSetupFailed{L"Setup Failed", L"Setup Failed"};
}  // namespace caption

// Replaces the captions with those of section "Text" of a Text.ini file's bytes (UTF-16 LE with
// its byte-order mark as shipped; UTF-8 with one, or the ANSI code page, as Windows reads them
// too), or with none. Keys and the section name match without regard to letter case; a value is
// trimmed, loses one pair of surrounding quotes and keeps at most 255 characters. On the
// user-interface thread, before the dialog exists.
void TakeTextIni(const std::vector<uint8_t>* fileBytes);

// The caption of `key`, or `fallback` when the file or the key is missing.
std::wstring LookUpCaption(const wchar_t* key, const wchar_t* fallback);
std::wstring LookUpCaption(const CaptionKey& caption);

}  // namespace texts
