#include "system/native_programs.h"

#include <windows.h>

#include "platform/files.h"
#include "system/install_record.h"

namespace sys {

bool PlaceNativePrograms(const std::wstring& installFolder, const platform::TargetWindows& target) {
  // A 32-bit installer's own programs run wherever it runs.
  if (!target.Is64BitProcess()) return true;
  bool placed = true;
  for (const wchar_t* name : {kUninstallerFileName, kServiceProgramName}) {
    const std::wstring plain = JoinPath(installFolder, name);
    const std::wstring native = target.BuildOf(plain);
    if (!platform::files::PathExists(native.c_str())) continue;
    placed = platform::files::MoveFileExW(native.c_str(), plain.c_str(), MOVEFILE_REPLACE_EXISTING) && placed;
  }
  return placed;
}

}  // namespace sys
