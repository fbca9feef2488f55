// The monitor's pure decisions: names, addresses, device paths and the texts it returns.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "components/portmon/module_names.h"
#include "components/portmon/port_description.h"
#include "components/portmon/text.h"
#include "components/portmon/usb_printer.h"
#include "components/portmon/xcv_client.h"

namespace {

using namespace portmon;

TEST(NetworkAddress, AddressBlankAndTcpPort) {
  const auto address = ParseNetworkAddress(L"10.0.0.5 9100");
  ASSERT_TRUE(address);
  EXPECT_EQ(address->host, L"10.0.0.5");
  EXPECT_EQ(address->port, L"9100");

  const auto spaced = ParseNetworkAddress(L"  printer.example\t 515 ");
  ASSERT_TRUE(spaced);
  EXPECT_EQ(spaced->host, L"printer.example");
  EXPECT_EQ(spaced->port, L"515");

  EXPECT_TRUE(ParseNetworkAddress(L"10.0.0.5 65535"));
  EXPECT_TRUE(ParseNetworkAddress(L"10.0.0.5 1"));
}

TEST(NetworkAddress, AnythingElseIsRefused) {
  const std::vector<std::wstring> refused = {L"",           L"   ",           L"10.0.0.5",      L"10.0.0.5 ",
                                             L" 9100",      L"10.0.0.5 0",    L"10.0.0.5 65536", L"10.0.0.5 91a0",
                                             L"10.0.0.5 -9100", L"10.0.0.5 9100 1", L"10.0.0.5 123456"};
  for (size_t index = 0; index < refused.size(); ++index) {
    EXPECT_FALSE(ParseNetworkAddress(refused[index])) << "accepted case " << index;
  }
}

const std::wstring kPrinterA = L"\\\\?\\usb#vid_1a2b&pid_0001#sn1#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
const std::wstring kPrinterB = L"\\\\?\\usb#vid_1a2b&pid_0002#sn2#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
const std::wstring kPrinterA2 = L"\\\\?\\USB#VID_1A2B&PID_0001#SN9#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";

TEST(DevicePath, TheFirstPathHoldingTheUsbIdInAnyCase) {
  EXPECT_EQ(SelectDevicePath({kPrinterB, kPrinterA}, L"vid_1a2b&pid_0001"), kPrinterA);
  EXPECT_EQ(SelectDevicePath({kPrinterB, kPrinterA}, L"VID_1A2B&PID_0002"), kPrinterB);
  EXPECT_EQ(SelectDevicePath({kPrinterA2, kPrinterA}, L"vid_1a2b&pid_0001"), kPrinterA2);
  EXPECT_EQ(SelectDevicePath({kPrinterA, kPrinterA2}, L"Vid_1a2b&Pid_0001"), kPrinterA);
}

TEST(DevicePath, NoMatchOrNoIdSelectsNothing) {
  EXPECT_FALSE(SelectDevicePath({kPrinterA, kPrinterB}, L"vid_1a2b&pid_0003"));
  EXPECT_FALSE(SelectDevicePath({}, L"vid_1a2b&pid_0001"));
  EXPECT_FALSE(SelectDevicePath({kPrinterA}, L""));
}

TEST(ModuleNames, UiDllSitsBesideTheMonitorWithUiBeforeDll) {
  EXPECT_EQ(UiDllNameFor(L"Demo80Mon.dll"), L"Demo80MonUI.dll");
  EXPECT_EQ(UiDllNameFor(L"Demo 80Mon.DLL"), L"Demo 80MonUI.DLL");
  EXPECT_EQ(UiDllNameFor(L"Tillvane.dll.x64"), L"TillvaneUI.dll.x64");
  EXPECT_EQ(UiDllNameFor(L"monitor"), L"monitorUI");
}

TEST(PortNames, APrinterPortListNamesEachOfItsPorts) {
  EXPECT_TRUE(PortListNames(L"Demo80-Port:", L"Demo80-Port:"));
  EXPECT_TRUE(PortListNames(L"COM1:,demo80-port:", L"Demo80-Port:"));
  EXPECT_TRUE(PortListNames(L"Demo80-Port:,COM1:", L"COM1:"));
  EXPECT_FALSE(PortListNames(L"Demo80-Port:2,COM1:", L"Demo80-Port:"));
  EXPECT_FALSE(PortListNames(L"", L"Demo80-Port:"));
}

TEST(XcvClient, ObjectNameNamesTheServerOnlyWhenGiven) {
  EXPECT_EQ(XcvPortObjectName(nullptr, L"Demo80-Port:"), L",XcvPort Demo80-Port:");
  EXPECT_EQ(XcvPortObjectName(L"", L"Demo80-Port:"), L",XcvPort Demo80-Port:");
  EXPECT_EQ(XcvPortObjectName(L"\\\\office", L"Demo80-Port:"), L"\\\\office\\,XcvPort Demo80-Port:");
}

TEST(TextBytes, ReadStopsAtNulOrBufferEnd) {
  const wchar_t withNul[] = L"Port:\0tail";
  EXPECT_EQ(TextFromBytes(reinterpret_cast<const BYTE*>(withNul), sizeof(withNul)), L"Port:");
  const wchar_t noNul[] = {L'A', L'B', L'C'};
  EXPECT_EQ(TextFromBytes(reinterpret_cast<const BYTE*>(noNul), 5), L"AB");  // an odd byte is dropped
  EXPECT_EQ(TextFromBytes(nullptr, 8), L"");
}

}  // namespace
