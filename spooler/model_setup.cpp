#include "spooler/model_setup.h"

#include <windows.h>

#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/handle.h"
#include "platform/printers.h"
#include "spooler/characterization_file.h"
#include "texts/utf16_text.h"

namespace spooler {
namespace {

void SetDefaultPrinter(const std::wstring& printerName) {
  std::string ansi;
  if (platform::WideToAnsi(printerName, ansi)) platform::printers::SetDefaultPrinterA(ansi.c_str());
}

}  // namespace

std::wstring CharacterizationFilePath(const wchar_t* configuredPrinterName, const platform::TargetWindows& target) {
  if (target.driverDirectory.empty()) return {};
  return target.driverDirectory + L"\\" + configuredPrinterName + L"GPC.pcd";
}

bool WriteCharacterizationFile(const std::wstring& path, const texts::ModelRecord& model) {
  platform::UniqueCrtFile file(platform::files::_wfopen(path.c_str(), L"wb"));
  if (!file) return false;
  const std::vector<uint8_t> bytes =
      BuildCharacterizationData({model.ModelFamily, model.Resolution, model.PaperWidth, model.PaperHeight});
  platform::files::fwrite(bytes.data(), bytes.size(), file.Get());
  return true;
}

int InstallPrinterForModel(const PrinterRequest& request, bool setDefaultPrinter, PortChooser& ports,
                           texts::WizardConfigTable& names, const platform::TargetWindows& target) {
  const std::wstring dataFile = CharacterizationFilePath(names.PrinterName, target);
  if (dataFile.empty()) return 0;
  // A file that cannot be written leaves the driver with a missing or older one.
  WriteCharacterizationFile(dataFile, *request.model);
  texts::CopyBounded(names.DriverName, request.printerName + L" Driver");

  std::wstring addedPrinterName;
  const int result = InstallDriverAndPrinter(request, ports, names, target, addedPrinterName);
  // The printer actually added: a numbered name when the entered one was taken.
  if (setDefaultPrinter && result) SetDefaultPrinter(addedPrinterName);
  return result;
}

}  // namespace spooler
