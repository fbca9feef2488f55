// An installation as the installer leaves it, made with the system integration steps and, for
// the spooler objects, with the spooler API directly: install folder with the uninstaller and
// the service program, Start-menu shortcut, monitor port (a "Local Port" one), driver, printer,
// registration and running service. Tear-down removes whatever is left.
#pragma once

#include <string>

#include "system/uninstall_registration.h"

namespace test {

inline constexpr wchar_t kDemoPrinter[] = L"Demo80";
inline constexpr wchar_t kDemoDriver[] = L"Demo80 Driver";
inline constexpr wchar_t kDemoPort[] = L"Demo80-Port:";
inline constexpr wchar_t kDemoService[] = L"Quellon Service";

class SimulatedInstallation {
 public:
  SimulatedInstallation();
  ~SimulatedInstallation();
  SimulatedInstallation(const SimulatedInstallation&) = delete;
  SimulatedInstallation& operator=(const SimulatedInstallation&) = delete;

  // Everything, with the printer on its own monitor port; false when a spooler step failed.
  bool Install();

  const std::wstring& Folder() const { return m_registration.InstallFolder; }
  std::wstring InFolder(const wchar_t* name) const { return Folder() + L"\\" + name; }
  const sys::UninstallRegistration& Registration() const { return m_registration; }
  sys::UninstallRegistration& Registration() { return m_registration; }

  // Spooler objects, also for printers that are not of the installation.
  static bool CreateLocalPort(const wchar_t* port);
  static bool CreateDriver(const wchar_t* driver);
  static bool CreatePrinter(const wchar_t* printer, const wchar_t* port, const wchar_t* driver);
  static bool PrinterExists(const wchar_t* printer);
  static bool PortExists(const wchar_t* port);
  static bool DriverExists(const wchar_t* driver);
  // The driver directory files named after the printer that CreateDriver places.
  static std::wstring DriverFile(const wchar_t* name);

 private:
  void RemoveLeftovers();

  sys::UninstallRegistration m_registration;
};

}  // namespace test
