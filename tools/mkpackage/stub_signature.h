// A stub signed with Authenticode ends with its certificate table: a package appended after it
// would be found by no reader and covered by no signature, so append removes the signature and
// the appended installer is signed afterwards.
#pragma once

#include <cstdint>
#include <vector>

namespace mkpackage {

enum class StubSignature {
  None,       // no PE image, or no certificate table
  Removed,    // the table and its directory entry are gone
  Misplaced,  // a certificate table that does not end the file: the stub is left as it was
};

StubSignature RemoveStubSignature(std::vector<uint8_t>& stub);

}  // namespace mkpackage
