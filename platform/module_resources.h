// Resources of a loaded module.
#pragma once

#include <windows.h>

#include <span>

namespace platform::module_resources {

// The bytes of the resource (type by name, numeric id) in any language; empty when absent.
std::span<const BYTE> FindResourceBytes(HMODULE module, const wchar_t* type, WORD id);

}  // namespace platform::module_resources
