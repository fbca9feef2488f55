// COM on the calling thread and the shell link object. Each wrapper returns what the wrapped
// call returns; one made to fail by name (fault injection) returns the HRESULT of the injected
// error.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <shobjidl.h>

#include "platform/com_ptr.h"

namespace platform::shell_link {

HRESULT CoInitialize();
// Not injectable: it only balances a CoInitialize that returned S_OK or S_FALSE.
void CoUninitialize();
// A new shell link object (CLSID_ShellLink, in-process) through IShellLinkW.
HRESULT CreateShellLink(UniqueComPtr<IShellLinkW>& link);
HRESULT QueryPersistFile(IShellLinkW* link, UniqueComPtr<IPersistFile>& file);
HRESULT SetPath(IShellLinkW* link, const wchar_t* path);
HRESULT SetWorkingDirectory(IShellLinkW* link, const wchar_t* folder);
HRESULT Save(IPersistFile* file, const wchar_t* path, BOOL remember);

}  // namespace platform::shell_link
