// Where the monitor keeps its ports: below the registry root the spooler gives it, reached
// through the spooler's MONITORREG callbacks or, where those are stubs (Wine), the Win32 registry.
#pragma once

#include <windows.h>
#include <winspool.h>
#include <winsplp.h>

#include <string>

#include "platform/handle.h"

namespace portmon {

using platform::UniqueRegistryKey;

struct RegistryView {
  const MONITORREG* functions = nullptr;
  HANDLE root = nullptr;
  HANDLE spooler = nullptr;
};

// MONITORREG callbacks that go straight to the Win32 registry; keys are HKEYs, hSpooler is unused.
const MONITORREG& Win32MonitorReg();

// Chooses the view for a monitor: the spooler's callbacks when they work, else the root as an
// HKEY (Wine opens it on Monitors\<name>) through a handle of our own, kept in ownedRoot.
DWORD OpenRegistryView(const MONITORINIT& init, RegistryView& view, UniqueRegistryKey& ownedRoot);

// A key opened through a view and closed through it; the view must outlive the key.
class ViewKey {
 public:
  ViewKey() = default;
  ViewKey(const RegistryView& view, HANDLE key) : m_view(&view), m_key(key) {}
  ~ViewKey() { Close(); }
  ViewKey(const ViewKey&) = delete;
  ViewKey& operator=(const ViewKey&) = delete;
  HANDLE Get() const { return m_key; }
  void Attach(const RegistryView& view, HANDLE key);
  void Close();

 private:
  const RegistryView* m_view = nullptr;
  HANDLE m_key = nullptr;
};

// Thin calls through a view, each returning the callback's own error code.
LONG CreateViewKey(const RegistryView& view, HANDLE parent, const wchar_t* name, ViewKey& key,
                   DWORD* disposition = nullptr);
LONG OpenViewKey(const RegistryView& view, HANDLE parent, const wchar_t* name, ViewKey& key);
LONG DeleteViewKey(const RegistryView& view, HANDLE parent, const wchar_t* name);
LONG SetViewText(const RegistryView& view, HANDLE key, const wchar_t* name, const std::wstring& text);
LONG QueryViewText(const RegistryView& view, HANDLE key, const wchar_t* name, std::wstring& text);

}  // namespace portmon
