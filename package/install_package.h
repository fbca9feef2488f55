// The package the installer carries as resource "INSTALL" / 142, and its own file,
// where a package may instead be appended.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

#include "package/package_walk.h"
#include "platform/handle.h"

namespace package {

constexpr WORD kPackageResourceId = 142;
inline constexpr wchar_t kPackageResourceType[] = L"INSTALL";

// The resource-form package where it lies: the resource, mapped with the module's image for the
// life of the module and never written, needs no copy. Empty (null, 0) when the installer carries none.
struct InstallPackage {
  const uint8_t* bytes = nullptr;
  uint32_t size = 0;

  bool IsEmpty() const { return bytes == nullptr; }
  std::span<const uint8_t> Bytes() const { return {bytes, size}; }
};

// The module must stay loaded while the package is used (the installer's own module does).
InstallPackage LoadInstallPackage(HMODULE module);

// The installer's own file, opened for shared reading, as a source of an appended package.
class InstallerFile : public ByteSource {
 public:
  // False when the file cannot be opened or its size read.
  bool Open(const wchar_t* path);
  bool OpenOwnModule();
  HANDLE Handle() const { return m_file.Get(); }

  uint64_t Size() const override { return m_size; }
  bool SeekTo(uint64_t position) override;
  bool ReadExact(void* buffer, uint32_t size) override;

 private:
  platform::UniqueFileHandle m_file;
  uint64_t m_size = 0;
};

}  // namespace package
