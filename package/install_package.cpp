#include "package/install_package.h"

#include "platform/files.h"
#include "platform/module_resources.h"

namespace package {
namespace {

constexpr DWORD kModulePathCapacity = 512;

}  // namespace

InstallPackage LoadInstallPackage(HMODULE module) {
  InstallPackage package;
  const std::span<const BYTE> resource =
      platform::module_resources::FindResourceBytes(module, kPackageResourceType, kPackageResourceId);
  if (resource.empty()) return package;
  package.bytes = resource.data();
  package.size = static_cast<uint32_t>(resource.size());
  return package;
}

bool InstallerFile::Open(const wchar_t* path) {
  m_file = platform::UniqueFileHandle(
      platform::files::CreateFileW(path, FILE_READ_DATA, FILE_SHARE_READ, OPEN_EXISTING, 0));
  WIN32_FILE_ATTRIBUTE_DATA attributes;
  if (!m_file || !platform::files::GetFileAttributesExW(path, &attributes)) return false;
  m_size = (uint64_t(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
  return true;
}

bool InstallerFile::OpenOwnModule() {
  wchar_t path[kModulePathCapacity] = {};
  const DWORD length = platform::files::GetModuleFileNameW(nullptr, path, kModulePathCapacity);
  if (length == 0 || length >= kModulePathCapacity) return false;
  return Open(path);
}

bool InstallerFile::SeekTo(uint64_t position) {
  return platform::files::SetFilePointerEx(m_file.Get(), static_cast<LONGLONG>(position), FILE_BEGIN);
}

bool InstallerFile::ReadExact(void* buffer, uint32_t size) {
  DWORD read = 0;
  return platform::files::ReadFile(m_file.Get(), buffer, size, &read) && read == size;
}

}  // namespace package
