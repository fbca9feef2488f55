#include "system/native_programs.h"

#include <windows.h>

#include "platform/files.h"
#include "platform/wow64.h"
#include "system/install_record.h"

namespace integration {

bool PlaceNativePrograms(const std::wstring& installFolder) {
  if constexpr (!platform::wow64::kIs64BitBuild) return true;
  bool placed = true;
  for (const wchar_t* name : {kUninstallerFileName, kServiceProgramName}) {
    const std::wstring plain = JoinPath(installFolder, name);
    const std::wstring native = plain + L".x64";
    if (!platform::files::PathExists(native.c_str())) continue;
    placed = platform::files::MoveFileExW(native.c_str(), plain.c_str(), MOVEFILE_REPLACE_EXISTING) && placed;
  }
  return placed;
}

}  // namespace integration
