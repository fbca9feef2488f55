#include "system/printer_service.h"

#include <windows.h>

#include "platform/services.h"
#include "system/install_record.h"

namespace sys {
namespace {

namespace services = platform::services;

// SERVICE_WIN32_OWN_PROCESS | SERVICE_INTERACTIVE_PROCESS
constexpr DWORD kServiceType = 0x110;

void SetDescription(SC_HANDLE service) {
  SERVICE_DESCRIPTIONW description = {const_cast<wchar_t*>(kServiceDescription)};
  services::ChangeServiceConfig2W(service, SERVICE_CONFIG_DESCRIPTION, &description);
}

}  // namespace

std::wstring ServiceBinaryPath(std::wstring_view installFolder) {
  return L"\"" + JoinPath(installFolder, kServiceProgramName) + L"\"";
}

void InstallPrinterService(const wchar_t* installFolder) {
  services::UniqueServiceHandle manager(services::OpenSCManagerW(SC_MANAGER_ALL_ACCESS));
  if (!manager) return;
  const std::wstring binaryPath = ServiceBinaryPath(installFolder);
  // An empty dependency list is a double terminator.
  services::UniqueServiceHandle service(services::CreateServiceW(
      manager.Get(), kServiceName, kServiceName, SERVICE_ALL_ACCESS, kServiceType, SERVICE_AUTO_START,
      SERVICE_ERROR_NORMAL, binaryPath.c_str(), nullptr, nullptr, L"\0", nullptr, nullptr));
  if (!service) return;
  SetDescription(service.Get());
  services::StartServiceW(service.Get(), 0, nullptr);
}

}  // namespace sys
