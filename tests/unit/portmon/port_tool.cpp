// Runs one installer step in its own process, so that tests can check what a later process sees:
//   port_tool install PRINTER MONITOR PORT   place and register the monitor, add the port
//   port_tool listed PORT MONITOR            exit 0 when EnumPortsW lists the port with that monitor
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/unit/portmon/spooler_steps.h"

namespace {

std::wstring Wide(const char* text) {
  std::wstring wide(MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), static_cast<int>(wide.size()));
  wide.pop_back();
  return wide;
}

int Install(const std::wstring& printer, const std::wstring& monitor, const std::wstring& port) {
  using namespace portmon_test;
  const std::wstring dll = PlaceMonitorPair(printer);
  const DWORD registered = dll.empty() ? ERROR_FILE_NOT_FOUND : RegisterMonitor(monitor, dll);
  if (registered != ERROR_SUCCESS && registered != ERROR_PRINT_MONITOR_ALREADY_INSTALLED) {
    std::printf("registering the monitor failed: %lu\n", registered);
    return 1;
  }
  const DWORD added = AddPortThroughSpooler(port, monitor);
  if (added != ERROR_SUCCESS) std::printf("AddPortExW failed: %lu\n", added);
  return added == ERROR_SUCCESS ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "install" && argc == 5) return Install(Wide(argv[2]), Wide(argv[3]), Wide(argv[4]));
  if (command == "listed" && argc == 4) {
    return portmon_test::IsListed(portmon_test::SpoolerPorts(2), Wide(argv[2]), Wide(argv[3])) ? 0 : 1;
  }
  std::printf("usage: port_tool install PRINTER MONITOR PORT | listed PORT MONITOR\n");
  return 2;
}
