// Linked into every shipped C++ program in place of libstdc++'s verbose terminate handler, which
// prints an uncaught exception's demangled type to a console our programs do not have; its
// demangler alone weighs about 46 KB. Ending the process is all that is left to do.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
