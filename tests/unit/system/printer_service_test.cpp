#include "system/printer_service.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/fault_injection.h"
#include "platform/install_log.h"
#include "platform/services.h"
#include "tests/unit/system/system_test_support.h"

namespace {

constexpr wchar_t kService[] = L"Quellon Service";
const std::wstring kFolder = L"C:\\Program Files\\Demo80";
const std::wstring kOtherFolder = L"C:\\Other Place\\Demo80";

struct ServiceConfig {
  DWORD type = 0;
  DWORD startType = 0;
  DWORD errorControl = 0;
  std::wstring binaryPath;
  std::wstring loadOrderGroup;
  std::wstring dependencies;
  std::wstring account;
  std::wstring displayName;
  DWORD tagId = 0;
};

std::optional<ServiceConfig> QueryConfig() {
  SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
  SC_HANDLE service = OpenServiceW(manager, kService, SERVICE_QUERY_CONFIG);
  std::vector<BYTE> buffer(8192);
  DWORD needed = 0;
  const auto* raw = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(buffer.data());
  const bool queried = service != nullptr && QueryServiceConfigW(service, const_cast<QUERY_SERVICE_CONFIGW*>(raw),
                                                                 static_cast<DWORD>(buffer.size()), &needed);
  if (service != nullptr) CloseServiceHandle(service);
  CloseServiceHandle(manager);
  if (!queried) return std::nullopt;
  const auto text = [](const wchar_t* value) { return std::wstring(value != nullptr ? value : L""); };
  return ServiceConfig{raw->dwServiceType,           raw->dwStartType,           raw->dwErrorControl,
                       text(raw->lpBinaryPathName),  text(raw->lpLoadOrderGroup), text(raw->lpDependencies),
                       text(raw->lpServiceStartName), text(raw->lpDisplayName),  raw->dwTagId};
}

std::wstring QueryDescription() {
  SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
  SC_HANDLE service = OpenServiceW(manager, kService, SERVICE_QUERY_CONFIG);
  std::vector<BYTE> buffer(1024);
  DWORD needed = 0;
  std::wstring description;
  if (service != nullptr && QueryServiceConfig2W(service, SERVICE_CONFIG_DESCRIPTION, buffer.data(),
                                                 static_cast<DWORD>(buffer.size()), &needed)) {
    const auto* info = reinterpret_cast<const SERVICE_DESCRIPTIONW*>(buffer.data());
    if (info->lpDescription != nullptr) description = info->lpDescription;
  }
  if (service != nullptr) CloseServiceHandle(service);
  CloseServiceHandle(manager);
  return description;
}

bool StopService() {
  SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
  SC_HANDLE service = OpenServiceW(manager, kService, SERVICE_STOP);
  SERVICE_STATUS status = {};
  const bool stopping = service != nullptr && ControlService(service, SERVICE_CONTROL_STOP, &status);
  if (service != nullptr) CloseServiceHandle(service);
  CloseServiceHandle(manager);
  return stopping && test::WaitForServiceState(kService, SERVICE_STOPPED);
}

class PrinterServiceTest : public testing::Test {
 protected:
  void SetUp() override {
    Clean();
    for (const std::wstring& folder : {kFolder, kOtherFolder}) {
      test::MakeFolders(folder);
      CopyFileW(test::WindowsPath(SERVICE_PROGRAM).c_str(), (folder + L"\\MerrowPrinterService.exe").c_str(), FALSE);
    }
  }
  void TearDown() override { Clean(); }
  static void Clean() {
    test::StopAndDeleteService(kService);
    test::RemoveTree(kFolder);
    test::RemoveTree(L"C:\\Other Place");
    DeleteFileA(platform::kInstallLogPath);
  }

  platform::ScopedFaults m_faults;
};

TEST_F(PrinterServiceTest, BinaryPathIsQuotedSoSpacesCannotStartAnotherProgram) {
  EXPECT_EQ(sys::ServiceBinaryPath(L"C:\\Program Files\\Demo80"),
            L"\"C:\\Program Files\\Demo80\\MerrowPrinterService.exe\"");
}

TEST_F(PrinterServiceTest, ServiceIsCreatedWithTheDefinitionAndDescription) {
  sys::InstallPrinterService(kFolder.c_str());
  const auto config = QueryConfig();
  ASSERT_TRUE(config.has_value());
  EXPECT_EQ(config->type, static_cast<DWORD>(SERVICE_WIN32_OWN_PROCESS | SERVICE_INTERACTIVE_PROCESS));
  EXPECT_EQ(config->startType, static_cast<DWORD>(SERVICE_AUTO_START));
  EXPECT_EQ(config->errorControl, static_cast<DWORD>(SERVICE_ERROR_NORMAL));
  EXPECT_EQ(config->binaryPath, L"\"" + kFolder + L"\\MerrowPrinterService.exe\"");
  EXPECT_EQ(config->displayName, kService);
  EXPECT_EQ(config->loadOrderGroup, L"");
  EXPECT_EQ(config->dependencies, L"");
  EXPECT_EQ(config->account, L"LocalSystem");
  EXPECT_EQ(config->tagId, 0u);
  EXPECT_EQ(QueryDescription(), L"Quellon Printer Monitor");
}

TEST_F(PrinterServiceTest, ServiceRunsUnderTheManagerAndStopsCleanly) {
  sys::InstallPrinterService(kFolder.c_str());
  ASSERT_TRUE(test::WaitForServiceState(kService, SERVICE_RUNNING));
  EXPECT_TRUE(StopService());
}

TEST_F(PrinterServiceTest, SecondInstallationLeavesTheServiceUntouched) {
  sys::InstallPrinterService(kFolder.c_str());
  ASSERT_TRUE(test::WaitForServiceState(kService, SERVICE_RUNNING));
  ASSERT_TRUE(StopService());

  sys::InstallPrinterService(kOtherFolder.c_str());
  EXPECT_EQ(QueryConfig()->binaryPath, L"\"" + kFolder + L"\\MerrowPrinterService.exe\"");
  EXPECT_EQ(test::ServiceState(kService), static_cast<DWORD>(SERVICE_STOPPED));
}

TEST_F(PrinterServiceTest, WithoutTheManagerNothingHappensAndNothingIsReported) {
  platform::InjectFault("OpenSCManagerW", ERROR_ACCESS_DENIED);
  sys::InstallPrinterService(kFolder.c_str());
  EXPECT_FALSE(test::ServiceState(kService).has_value());
  EXPECT_FALSE(test::Exists(L"C:\\InstallPrinter.txt"));
}

TEST_F(PrinterServiceTest, FailedStartLeavesTheCreatedServiceStopped) {
  platform::InjectFault("StartServiceW", ERROR_SERVICE_REQUEST_TIMEOUT);
  sys::InstallPrinterService(kFolder.c_str());
  EXPECT_EQ(test::ServiceState(kService), static_cast<DWORD>(SERVICE_STOPPED));
  EXPECT_EQ(QueryDescription(), L"Quellon Printer Monitor");
}

TEST_F(PrinterServiceTest, EveryPathClosesItsHandles) {
  const int before = platform::services::OpenHandleCount();
  sys::InstallPrinterService(kFolder.c_str());
  sys::InstallPrinterService(kFolder.c_str());  // creation fails: the service exists
  platform::InjectFault("CreateServiceW", ERROR_ACCESS_DENIED, 0, 1);
  sys::InstallPrinterService(kFolder.c_str());
  EXPECT_EQ(platform::services::OpenHandleCount(), before);
}

}  // namespace
