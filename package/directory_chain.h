#pragma once

namespace package {

// Creates every missing folder of a drive-letter path (at most 255 characters).
// True when all of them exist afterwards; false for UNC, relative or missing-drive paths.
bool CreateDirectoryChain(const wchar_t* path);

}  // namespace package
