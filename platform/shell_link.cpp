#include "platform/shell_link.h"

#include <shlguid.h>

#include "platform/fault_injection.h"

namespace platform::shell_link {
namespace {

bool TakeComFault(const char* call, HRESULT& result) {
  if (!TakeInjectedFault(call)) return false;
  result = HRESULT_FROM_WIN32(::GetLastError());
  return true;
}

}  // namespace

HRESULT CoInitialize() {
  HRESULT result;
  if (TakeComFault("CoInitialize", result)) return result;
  return ::CoInitialize(nullptr);
}

void CoUninitialize() { ::CoUninitialize(); }

HRESULT CreateShellLink(UniqueComPtr<IShellLinkW>& link) {
  HRESULT result;
  if (TakeComFault("CoCreateInstance", result)) return result;
  return ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.Receive());
}

HRESULT QueryPersistFile(IShellLinkW* link, UniqueComPtr<IPersistFile>& file) {
  HRESULT result;
  if (TakeComFault("QueryInterface", result)) return result;
  return link->QueryInterface(IID_IPersistFile, file.Receive());
}

HRESULT SetPath(IShellLinkW* link, const wchar_t* path) {
  HRESULT result;
  if (TakeComFault("IShellLinkW::SetPath", result)) return result;
  return link->SetPath(path);
}

HRESULT SetWorkingDirectory(IShellLinkW* link, const wchar_t* folder) {
  HRESULT result;
  if (TakeComFault("IShellLinkW::SetWorkingDirectory", result)) return result;
  return link->SetWorkingDirectory(folder);
}

HRESULT Save(IPersistFile* file, const wchar_t* path, BOOL remember) {
  HRESULT result;
  if (TakeComFault("IPersistFile::Save", result)) return result;
  return file->Save(path, remember);
}

}  // namespace platform::shell_link
