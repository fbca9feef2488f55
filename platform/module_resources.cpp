#include "platform/module_resources.h"

#include "platform/fault_injection.h"

namespace platform::module_resources {

std::span<const BYTE> FindResourceBytes(HMODULE module, const wchar_t* type, WORD id) {
  if (TakeInjectedFault("FindResourceW")) return {};
  HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
  if (resource == nullptr) return {};
  if (TakeInjectedFault("LoadResource")) return {};
  HGLOBAL loaded = ::LoadResource(module, resource);
  const DWORD size = ::SizeofResource(module, resource);
  const auto* bytes = loaded != nullptr ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
  if (bytes == nullptr) return {};
  return {bytes, size};
}

}  // namespace platform::module_resources
