// Jobs through the monitor's port functions, called as the spooler calls them, to a TCP listener
// on this machine and to a simulated present USB printer.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>
#include <winsplp.h>

#include <string>
#include <thread>
#include <vector>

#include "components/portmon/port_description.h"
#include "components/portmon/usb_printer.h"
#include "tests/unit/portmon/opaque_registry.h"
#include "tests/unit/portmon/spooler_steps.h"

namespace {

using namespace portmon_test;

constexpr wchar_t kPort[] = L"Job-Port:";
constexpr wchar_t kUsbId[] = L"vid_1a2b&pid_0001";
constexpr wchar_t kUsbInterfaceClass[] = L"{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
const std::wstring kUsbDevicePath =
    L"\\\\?\\usb#vid_1a2b&pid_0001#sn1#" + std::wstring(kUsbInterfaceClass);

DWORD ErrorAfter(BOOL result) { return result ? ERROR_SUCCESS : GetLastError(); }

// The monitor DLL loaded in this process and initialised as Wine's spooler does it: stub
// registry callbacks and a registry root that is an open key.
class LoadedMonitor {
 public:
  LoadedMonitor() {
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Tillvane tests\\Job Monitor", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &m_root, nullptr);
    m_module = LoadLibraryW(BesideThisProgram(PORTMON_MONITOR_DLL).c_str());
    using Initialize = LPMONITOR2(WINAPI*)(PMONITORINIT, PHANDLE);
    auto initialize = reinterpret_cast<Initialize>(
        reinterpret_cast<void*>(GetProcAddress(m_module, "InitializePrintMonitor2")));
    if (!initialize) return;
    MONITORINIT init{};
    init.cbSize = sizeof(init);
    init.hckRegistryRoot = m_root;
    init.pMonitorReg = const_cast<MONITORREG*>(&StubMonitorReg());
    init.bLocal = TRUE;
    table = initialize(&init, &handle);
  }
  ~LoadedMonitor() {
    if (table) table->pfnShutdown(handle);
    if (m_module) FreeLibrary(m_module);
    RegCloseKey(m_root);
  }
  LPMONITOR2 table = nullptr;
  HANDLE handle = nullptr;

 private:
  HKEY m_root = nullptr;
  HMODULE m_module = nullptr;
};

// An open port of the monitor, closed on every path.
class OpenedPort {
 public:
  OpenedPort(LPMONITOR2 table, HANDLE monitor, const wchar_t* port) : m_table(table) {
    open = ErrorAfter(table->pfnOpenPort(monitor, const_cast<LPWSTR>(port), &m_port));
  }
  ~OpenedPort() {
    if (open == ERROR_SUCCESS) m_table->pfnClosePort(m_port);
  }
  DWORD StartDoc(const std::wstring& printer) {
    SetLastError(ERROR_SUCCESS);
    return ErrorAfter(m_table->pfnStartDocPort(m_port, const_cast<LPWSTR>(printer.c_str()), 1, 1, nullptr));
  }
  DWORD Write(const std::vector<BYTE>& bytes, size_t offset, size_t count) {
    DWORD written = 0;
    const DWORD error = ErrorAfter(m_table->pfnWritePort(m_port, const_cast<BYTE*>(bytes.data() + offset),
                                                         static_cast<DWORD>(count), &written));
    return error == ERROR_SUCCESS && written != count ? ERROR_WRITE_FAULT : error;
  }
  DWORD EndDoc() { return ErrorAfter(m_table->pfnEndDocPort(m_port)); }
  DWORD open = ERROR_INVALID_HANDLE;

 private:
  LPMONITOR2 m_table;
  HANDLE m_port = nullptr;
};

// A TCP listener on 127.0.0.1 that takes one connection on its own thread and keeps what arrives.
class JobReceiver {
 public:
  JobReceiver() {
    m_listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof(address);
    bind(m_listener, reinterpret_cast<sockaddr*>(&address), size);
    listen(m_listener, 1);
    getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &size);
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { Receive(); });
  }
  ~JobReceiver() {
    if (m_thread.joinable()) {
      Knock();  // wakes accept when the monitor never connected
      m_thread.join();
    }
    closesocket(m_listener);
  }
  unsigned short Port() const { return m_port; }
  // Everything the connection carried, once the sender has closed it.
  std::vector<BYTE> Received() {
    m_thread.join();
    return m_bytes;
  }

 private:
  void Receive() {
    SOCKET connection = accept(m_listener, nullptr, nullptr);
    char chunk[4096];
    for (int got; (got = recv(connection, chunk, sizeof(chunk), 0)) > 0;) m_bytes.insert(m_bytes.end(), chunk, chunk + got);
    closesocket(connection);
  }
  void Knock() const {
    SOCKET knock = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(m_port);
    connect(knock, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    closesocket(knock);
  }
  SOCKET m_listener = INVALID_SOCKET;
  unsigned short m_port = 0;
  std::thread m_thread;
  std::vector<BYTE> m_bytes;
};

// A loopback port where nobody listens: bound once, then released.
unsigned short ClosedLoopbackPort() {
  SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int size = sizeof(address);
  bind(probe, reinterpret_cast<sockaddr*>(&address), size);
  getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
  closesocket(probe);
  return ntohs(address.sin_port);
}

// Every byte value, in an order that shows a dropped or repeated chunk.
std::vector<BYTE> JobBytes(size_t size) {
  std::vector<BYTE> bytes(size);
  for (size_t index = 0; index < size; ++index) bytes[index] = static_cast<BYTE>(index * 7 + index / 256);
  return bytes;
}

DWORD SetRegistryText(const std::wstring& key, const wchar_t* name, const std::wstring& text) {
  return RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, REG_SZ, text.c_str(),
                         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

// The registry entries by which Wine's SetupAPI reports a present USB printer (WINE-NOTES.md, plus
// the device's ClassGUID).
void SimulatePresentUsbPrinter() {
  const std::wstring classes = L"System\\CurrentControlSet\\Control\\DeviceClasses\\" + std::wstring(kUsbInterfaceClass);
  const std::wstring device = classes + L"\\##?#USB#VID_1A2B&PID_0001#SN1#" + kUsbInterfaceClass;
  SetRegistryText(device, L"DeviceInstance", L"USB\\VID_1A2B&PID_0001\\SN1");
  SetRegistryText(device + L"\\#", L"SymbolicLink", kUsbDevicePath);
  const DWORD linked = 1;
  RegSetKeyValueW(HKEY_LOCAL_MACHINE, (device + L"\\#\\Control").c_str(), L"Linked", REG_DWORD, &linked, sizeof(linked));
  const std::wstring usbDevice = L"System\\CurrentControlSet\\Enum\\USB\\vid_1a2b&pid_0001\\sn1";
  SetRegistryText(usbDevice, L"ParentIdPrefix", L"7&1a2b3c4d&0");
  // Wine's SetupAPI skips an interface whose device has no class.
  SetRegistryText(usbDevice, L"ClassGUID", L"{36fc9e60-c465-11cf-8056-444553540000}");
  SetRegistryText(L"System\\CurrentControlSet\\Enum\\USBPRINT\\UnknownPrinter\\7&1a2b3c4d&0&USB001\\Control",
                  L"ActiveService", L"usbprint");
}

class PortJobs : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    SimulatePresentUsbPrinter();
  }
  static void TearDownTestSuite() { WSACleanup(); }
  void SetUp() override {
    ASSERT_NE(m_monitor.table, nullptr) << "InitializePrintMonitor2 failed: " << GetLastError();
    PORT_INFO_1W info{const_cast<LPWSTR>(kPort)};
    m_monitor.table->pfnAddPortEx(m_monitor.handle, nullptr, 1, reinterpret_cast<LPBYTE>(&info),
                                  const_cast<LPWSTR>(L"Job Monitor"));
  }
  // A printer on the port whose data values send jobs to a network address.
  static std::wstring NetworkPrinter(const std::wstring& name, const std::wstring& ip) {
    EXPECT_EQ(AddTestPrinter(name, kPort), static_cast<DWORD>(ERROR_SUCCESS));
    SetPrinterNumber(name, L"PortType", 1);
    SetPrinterText(name, L"IP", ip);
    return name;
  }
  static std::wstring UsbPrinter(const std::wstring& name, const std::wstring& vidAndPid) {
    EXPECT_EQ(AddTestPrinter(name, kPort), static_cast<DWORD>(ERROR_SUCCESS));
    SetPrinterNumber(name, L"PortType", 0);
    if (!vidAndPid.empty()) SetPrinterText(name, L"VidAndPid", vidAndPid);
    return name;
  }
  LoadedMonitor m_monitor;
};

TEST_F(PortJobs, NetworkJobArrivesByteForByte) {
  JobReceiver receiver;
  const std::wstring printer = NetworkPrinter(L"Net Printer", L"127.0.0.1 " + std::to_wstring(receiver.Port()));
  const std::vector<BYTE> job = JobBytes(300000);
  {
    OpenedPort port(m_monitor.table, m_monitor.handle, kPort);
    ASSERT_EQ(port.open, static_cast<DWORD>(ERROR_SUCCESS));
    ASSERT_EQ(port.StartDoc(printer), static_cast<DWORD>(ERROR_SUCCESS));
    size_t offset = 0;
    for (size_t chunk : {size_t{1}, size_t{4095}, size_t{65536}, job.size() - 69632}) {
      ASSERT_EQ(port.Write(job, offset, chunk), static_cast<DWORD>(ERROR_SUCCESS));
      offset += chunk;
    }
    ASSERT_EQ(port.EndDoc(), static_cast<DWORD>(ERROR_SUCCESS));
  }
  const std::vector<BYTE> received = receiver.Received();
  ASSERT_EQ(received.size(), job.size());
  EXPECT_TRUE(received == job);
}

TEST_F(PortJobs, TwoJobsOnOnePortEachArriveWhole) {
  OpenedPort port(m_monitor.table, m_monitor.handle, kPort);
  ASSERT_EQ(port.open, static_cast<DWORD>(ERROR_SUCCESS));
  for (size_t size : {size_t{10}, size_t{5000}}) {
    JobReceiver receiver;
    const std::wstring printer = NetworkPrinter(L"Net Printer " + std::to_wstring(size),
                                                L"127.0.0.1 " + std::to_wstring(receiver.Port()));
    const std::vector<BYTE> job = JobBytes(size);
    ASSERT_EQ(port.StartDoc(printer), static_cast<DWORD>(ERROR_SUCCESS));
    ASSERT_EQ(port.Write(job, 0, job.size()), static_cast<DWORD>(ERROR_SUCCESS));
    ASSERT_EQ(port.EndDoc(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_TRUE(receiver.Received() == job);
  }
}

TEST_F(PortJobs, NetworkPrinterNobodyListensAtFailsStartDoc) {
  const std::wstring printer =
      NetworkPrinter(L"Silent Printer", L"127.0.0.1 " + std::to_wstring(ClosedLoopbackPort()));
  OpenedPort port(m_monitor.table, m_monitor.handle, kPort);
  EXPECT_EQ(port.StartDoc(printer), static_cast<DWORD>(WSAECONNREFUSED));
  EXPECT_EQ(port.Write(JobBytes(4), 0, 4), static_cast<DWORD>(ERROR_NOT_READY));
  EXPECT_EQ(port.EndDoc(), static_cast<DWORD>(ERROR_NOT_READY));
}

TEST_F(PortJobs, UnusableSettingsOrPrinterFailStartDoc) {
  OpenedPort port(m_monitor.table, m_monitor.handle, kPort);
  EXPECT_EQ(port.StartDoc(NetworkPrinter(L"No Tcp Port", L"127.0.0.1")), static_cast<DWORD>(ERROR_INVALID_DATA));
  EXPECT_EQ(port.StartDoc(UsbPrinter(L"No Usb Id", L"")), static_cast<DWORD>(ERROR_INVALID_DATA));
  EXPECT_NE(port.StartDoc(L"No Such Printer"), static_cast<DWORD>(ERROR_SUCCESS));
}

TEST_F(PortJobs, OnlyTheMonitorsOwnPortsOpen) {
  OpenedPort port(m_monitor.table, m_monitor.handle, L"Never-Added:");
  EXPECT_EQ(port.open, static_cast<DWORD>(ERROR_UNKNOWN_PORT));
}

TEST_F(PortJobs, PresentUsbPrinterIsFoundByItsId) {
  const std::vector<std::wstring> paths = portmon::ListPresentUsbPrinterPaths();
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_EQ(paths[0], kUsbDevicePath);
}

// Wine has no device behind the simulated interface, so opening it fails: the monitor must report
// the very error of opening that path, distinct from "no such printer".
TEST_F(PortJobs, UsbPrinterThatCannotBeOpenedFailsStartDocWithTheOpenError) {
  HANDLE device = CreateFileW(kUsbDevicePath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_EQ(device, INVALID_HANDLE_VALUE) << "this Wine opens the simulated device";
  const DWORD openError = GetLastError();
  ASSERT_NE(openError, static_cast<DWORD>(ERROR_DEV_NOT_EXIST));
  OpenedPort port(m_monitor.table, m_monitor.handle, kPort);
  EXPECT_EQ(port.StartDoc(UsbPrinter(L"Usb Printer", L"VID_1A2B&PID_0001")), openError);
}

TEST_F(PortJobs, UsbPrinterWithoutAPresentInterfaceFailsStartDoc) {
  OpenedPort port(m_monitor.table, m_monitor.handle, kPort);
  EXPECT_EQ(port.StartDoc(UsbPrinter(L"Absent Usb Printer", L"vid_ffff&pid_ffff")),
            static_cast<DWORD>(ERROR_DEV_NOT_EXIST));
}

TEST_F(PortJobs, PortDescriptionNamesEachPrinterAndItsTarget) {
  NetworkPrinter(L"Described Net", L"10.0.0.5 9100");
  UsbPrinter(L"Described Usb", kUsbId);
  std::wstring text;
  ASSERT_EQ(portmon::DescribePort(kPort, text), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_NE(text.find(L"Described Net: " + portmon::DescribeTarget({1, L"10.0.0.5 9100", L""})), std::wstring::npos);
  EXPECT_NE(text.find(L"Described Usb: " + portmon::DescribeTarget({0, L"", kUsbId})), std::wstring::npos);
  ASSERT_EQ(portmon::DescribePort(L"Unused-Port:", text), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(text.find(L"Described"), std::wstring::npos);
}

}  // namespace
