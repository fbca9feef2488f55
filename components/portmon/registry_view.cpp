#include "components/portmon/registry_view.h"

#include <vector>

#include "components/portmon/text.h"

namespace portmon {
namespace {

HKEY AsKey(HANDLE key) { return static_cast<HKEY>(key); }

LONG WINAPI CreateKey(HANDLE parent, LPCWSTR name, DWORD options, REGSAM access,
                      PSECURITY_ATTRIBUTES security, PHANDLE key, PDWORD disposition, HANDLE) {
  return RegCreateKeyExW(AsKey(parent), name, 0, nullptr, options, access, security,
                         reinterpret_cast<PHKEY>(key), disposition);
}

LONG WINAPI OpenKey(HANDLE parent, LPCWSTR name, REGSAM access, PHANDLE key, HANDLE) {
  return RegOpenKeyExW(AsKey(parent), name, 0, access, reinterpret_cast<PHKEY>(key));
}

LONG WINAPI CloseKey(HANDLE key, HANDLE) { return RegCloseKey(AsKey(key)); }

LONG WINAPI DeleteKey(HANDLE parent, LPCWSTR name, HANDLE) { return RegDeleteKeyW(AsKey(parent), name); }

LONG WINAPI EnumKey(HANDLE key, DWORD index, LPWSTR name, PDWORD length, PFILETIME written, HANDLE) {
  return RegEnumKeyExW(AsKey(key), index, name, length, nullptr, nullptr, nullptr, written);
}

LONG WINAPI SetValue(HANDLE key, LPCWSTR name, DWORD type, const BYTE* data, DWORD size, HANDLE) {
  return RegSetValueExW(AsKey(key), name, 0, type, data, size);
}

LONG WINAPI QueryValue(HANDLE key, LPCWSTR name, PDWORD type, PBYTE data, PDWORD size, HANDLE) {
  return RegQueryValueExW(AsKey(key), name, nullptr, type, data, size);
}

// Only the callbacks the port store uses are filled.
MONITORREG MakeWin32MonitorReg() {
  MONITORREG functions{};
  functions.cbSize = sizeof(functions);
  functions.fpCreateKey = CreateKey;
  functions.fpOpenKey = OpenKey;
  functions.fpCloseKey = CloseKey;
  functions.fpDeleteKey = DeleteKey;
  functions.fpEnumKey = EnumKey;
  functions.fpSetValue = SetValue;
  functions.fpQueryValue = QueryValue;
  return functions;
}

// A side-effect-free call tells working callbacks from Wine's stubs.
bool SpoolerCallbacksWork(const MONITORINIT& init) {
  const MONITORREG* functions = init.pMonitorReg;
  if (!functions || !functions->fpQueryValue) return false;
  DWORD size = 0;
  const LONG probe = functions->fpQueryValue(init.hckRegistryRoot, L"Driver", nullptr, nullptr, &size,
                                             init.hSpooler);
  return probe != ERROR_CALL_NOT_IMPLEMENTED;
}

}  // namespace

const MONITORREG& Win32MonitorReg() {
  static const MONITORREG functions = MakeWin32MonitorReg();
  return functions;
}

DWORD OpenRegistryView(const MONITORINIT& init, RegistryView& view, UniqueRegistryKey& ownedRoot) {
  if (SpoolerCallbacksWork(init)) {
    view = {init.pMonitorReg, init.hckRegistryRoot, init.hSpooler};
    return ERROR_SUCCESS;
  }
  // The spooler may close its handle once initialisation is over, so the view gets its own.
  HKEY root = nullptr;
  const LONG error = RegOpenKeyExW(AsKey(init.hckRegistryRoot), nullptr, 0, KEY_ALL_ACCESS, &root);
  if (error != ERROR_SUCCESS) return error;
  ownedRoot.Attach(root);
  view = {&Win32MonitorReg(), root, nullptr};
  return ERROR_SUCCESS;
}

void ViewKey::Attach(const RegistryView& view, HANDLE key) {
  Close();
  m_view = &view;
  m_key = key;
}

void ViewKey::Close() {
  if (m_key) m_view->functions->fpCloseKey(m_key, m_view->spooler);
  m_key = nullptr;
}

LONG CreateViewKey(const RegistryView& view, HANDLE parent, const wchar_t* name, ViewKey& key,
                   DWORD* disposition) {
  HANDLE created = nullptr;
  DWORD ignored = 0;
  const LONG error = view.functions->fpCreateKey(parent, name, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                                 &created, disposition ? disposition : &ignored, view.spooler);
  if (error == ERROR_SUCCESS) key.Attach(view, created);
  return error;
}

LONG OpenViewKey(const RegistryView& view, HANDLE parent, const wchar_t* name, ViewKey& key) {
  HANDLE opened = nullptr;
  const LONG error = view.functions->fpOpenKey(parent, name, KEY_ALL_ACCESS, &opened, view.spooler);
  if (error == ERROR_SUCCESS) key.Attach(view, opened);
  return error;
}

LONG DeleteViewKey(const RegistryView& view, HANDLE parent, const wchar_t* name) {
  return view.functions->fpDeleteKey(parent, name, view.spooler);
}

LONG SetViewText(const RegistryView& view, HANDLE key, const wchar_t* name, const std::wstring& text) {
  const DWORD size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  return view.functions->fpSetValue(key, name, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), size,
                                    view.spooler);
}

LONG QueryViewText(const RegistryView& view, HANDLE key, const wchar_t* name, std::wstring& text) {
  DWORD type = 0;
  DWORD size = 0;
  LONG error = view.functions->fpQueryValue(key, name, &type, nullptr, &size, view.spooler);
  if (error != ERROR_SUCCESS) return error;
  std::vector<BYTE> data(size);
  error = view.functions->fpQueryValue(key, name, &type, data.data(), &size, view.spooler);
  if (error != ERROR_SUCCESS) return error;
  if (type != REG_SZ) return ERROR_INVALID_DATA;
  text = TextFromBytes(data.data(), size);
  return ERROR_SUCCESS;
}

}  // namespace portmon
