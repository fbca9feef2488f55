// The user's Documents folder, where start-up writes the package's text files and where the
// wizard reads them.
#pragma once

#include <string>

namespace texts {

// The Documents folder (CSIDL_PERSONAL); false when it cannot be found.
bool GetDocumentsFolder(std::wstring& folder);

}  // namespace texts
