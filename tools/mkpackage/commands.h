// The mkpackage command line: create, append, list, extract, verify.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace mkpackage {

extern const char kUsage[];

// Exit status: 0 success, 1 bad input or failed I/O (one line on err), 2 usage error.
int RunMkpackage(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace mkpackage
