// An error raised inside a function the system calls back (an enumeration's, a dialog's)
// must not unwind through the system's own frames, which know nothing of C++ exceptions. The
// callback runs its work through here: the first error is kept, the callback tells the system
// to stop, and the caller raises the error again once the system call has returned, so that
// it reaches the error box as any other.
#pragma once

#include <exception>

namespace qm {

class CallbackError {
public:
    // Runs `work` (which answers whether the system should go on); false once it raised an error.
    template <typename Work>
    bool run(Work&& work) noexcept {
        if (error_) return false;
        try {
            return work();
        } catch (...) {
            error_ = std::current_exception();
            return false;
        }
    }
    // Raises the kept error, if there is one.
    void rethrow() const {
        if (error_) std::rethrow_exception(error_);
    }

private:
    std::exception_ptr error_;
};

// The state an enumeration callback works on: what it collects, and its error.
template <typename Out>
struct Enumeration {
    Out& out;
    CallbackError error;
};

}  // namespace qm
