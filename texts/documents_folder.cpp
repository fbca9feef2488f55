#include "texts/documents_folder.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/shell.h"

namespace texts {

bool GetDocumentsFolder(std::wstring& folder) {
  return platform::shell::GetSpecialFolderPathW(CSIDL_PERSONAL, folder);
}

}  // namespace texts
