// GCC's runtime ends a program on an exception that nobody catches through a handler that
// first prints the exception's type, demangled, to the standard error. This window program
// has no standard error to print to, and the demangler would only make the exe larger; it
// ends the same way without it.
#if defined(__GNUC__) && !defined(_MSC_VER)
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx
#endif
