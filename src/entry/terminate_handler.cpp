// An error that nothing catches ends the program. The runtime's own way shows its English
// box ("abnormal program termination") or nothing at all; the tool shows its own text in
// Japanese instead, "メモリが足りません" when memory ran out, and ends with the exit code of
// an abort (3).
#include "entry/terminate_handler.h"

#include <windows.h>

#include <exception>
#include <new>

#include "text/error.h"
#include "text/texts.h"
#include "ui/application.h"

namespace qm {

[[noreturn]] void endOnUncaughtError() noexcept {
    // Nothing is allocated here: memory may be what ran out.
    const char16_t* text = texts::kErrEnding;
    try {
        if (const std::exception_ptr error = std::current_exception()) std::rethrow_exception(error);
    } catch (const std::exception& e) {
        if (isLackOfMemory(e)) text = texts::kErrNoMemory;
    } catch (...) {
    }
    const std::u16string& title = Application::title();
    MessageBoxW(Application::handle(), texts::w(text), texts::w(title.empty() ? texts::kCaption : title.c_str()),
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
    TerminateProcess(GetCurrentProcess(), 3);
    ExitProcess(3);
}

}  // namespace qm

// GCC's runtime ends a program on an exception that nobody catches through a handler that
// first prints the exception's type, demangled, to the standard error. Defined here, the
// demangler stays out of the exe; the handler the entry sets is the one that runs.
#if defined(__GNUC__) && !defined(_MSC_VER)
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    qm::endOnUncaughtError();
}
}  // namespace __gnu_cxx
#endif
