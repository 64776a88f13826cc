// A thread of the process's own, started by CreateThread; its owner waits for it to end
// before closing its handle, so what the thread works on need only outlive the owner.
#pragma once

#include <windows.h>

namespace qm {

class ScopedThread {
public:
    // Starts `run(argument)` on a thread of its own; joinable() says whether one was made.
    ScopedThread(LPTHREAD_START_ROUTINE run, void* argument)
        : h_(CreateThread(nullptr, 0, run, argument, 0, nullptr)) {}
    ~ScopedThread() { join(); }
    ScopedThread(const ScopedThread&) = delete;
    ScopedThread& operator=(const ScopedThread&) = delete;

    // A thread was made and not yet joined.
    bool joinable() const { return h_ != nullptr; }
    // Waits for the thread to end and closes its handle; nothing when it is not joinable.
    void join() {
        if (!h_) return;
        WaitForSingleObject(h_, INFINITE);
        CloseHandle(h_);
        h_ = nullptr;
    }

private:
    HANDLE h_;
};

}  // namespace qm
