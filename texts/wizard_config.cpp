#include "texts/wizard_config.h"

#include "platform/files.h"
#include "texts/file_bytes.h"

namespace texts {

WizardConfigTable WizardConfig{};

namespace {

void StoreDefaultNames(WizardConfigTable& table) {
  CopyBounded(table.PrinterName, L"USB Printer");
  CopyBounded(table.DriverName, L"USB Printer Driver");
  CopyBounded(table.MonitorName, L"USB Printer Monitor");
  CopyBounded(table.PortName, L"USB PRINTER PORT:");
}

}  // namespace

void TakeWizardTexts(WizardConfigTable& table, const std::vector<uint8_t>* fileBytes) {
  if (fileBytes == nullptr) {
    table = {};
    StoreDefaultNames(table);
    return;
  }
  ParseWizardTexts(table, *fileBytes);
}

void LoadWizardTexts(WizardConfigTable& table, const wchar_t* path) {
  const std::optional<std::vector<uint8_t>> bytes = path == nullptr ? std::nullopt : ReadFileBytes(path);
  TakeWizardTexts(table, bytes ? &*bytes : nullptr);
  if (bytes) platform::files::DeleteFileW(path);
}

void LoadWizardTexts(const wchar_t* path) { LoadWizardTexts(WizardConfig, path); }

}  // namespace texts
