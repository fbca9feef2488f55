// Registry keys and values. Each wrapper returns what the wrapped call returns and can be made
// to fail by name (fault injection), returning the injected error as its LSTATUS.
#pragma once

#include <windows.h>

#include <string_view>

#include "platform/handle.h"

namespace platform::registry {

// Opens the key, or creates it when missing (no class, default options).
LSTATUS RegCreateKeyExW(HKEY root, const wchar_t* subKey, REGSAM access, HKEY* key);
LSTATUS RegCreateKeyExA(HKEY root, const char* subKey, REGSAM access, HKEY* key);
LSTATUS RegSetValueExW(HKEY key, const wchar_t* name, DWORD type, const BYTE* data, DWORD size);
LSTATUS RegQueryValueExA(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size);
// The name of subkey `index`; `nameLength` is the room in characters with the terminator on the
// way in, the length without it on the way out.
LSTATUS RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameLength);
// Not injectable: a close made to fail would only leak the key.
LSTATUS RegCloseKey(HKEY key);

// Keys opened or created through these wrappers and not closed yet; lets tests check that every
// path closes what it opens.
int OpenKeyCount();

// Closes through RegCloseKey above, so that OpenKeyCount sees it.
struct CountedKeyTraits : NullIsInvalid<HKEY> {
  static void Close(HKEY key) { registry::RegCloseKey(key); }
};
// An opened or created key; never one of the predefined root keys.
using UniqueKey = UniqueOwner<CountedKeyTraits>;

// Opens an existing key only.
LSTATUS RegOpenKeyExW(HKEY root, const wchar_t* subKey, REGSAM access, HKEY* key);
LSTATUS RegQueryValueExW(HKEY key, const wchar_t* name, DWORD* type, BYTE* data, DWORD* size);
LSTATUS RegDeleteValueW(HKEY key, const wchar_t* name);
// Deletes a key without subkeys; `access` chooses the registry view (KEY_WOW64_64KEY or 0).
LSTATUS RegDeleteKeyExW(HKEY root, const wchar_t* subKey, REGSAM access);

// Over the wrappers above, so that their faults and counts hold: a key handed back in its
// owner, values written by type.

// The key opened, or created when missing; an empty owner when that fails.
UniqueKey CreateKey(HKEY root, const wchar_t* subKey, REGSAM access);
UniqueKey CreateKey(HKEY root, const char* subKey, REGSAM access);
// An existing key only; an empty owner when it is missing or cannot be opened.
UniqueKey OpenKey(HKEY root, const wchar_t* subKey, REGSAM access);
// REG_SZ, stored with its terminator.
LSTATUS SetStringValue(HKEY key, const wchar_t* name, std::wstring_view text);
LSTATUS SetDwordValue(HKEY key, const wchar_t* name, DWORD number);

}  // namespace platform::registry
