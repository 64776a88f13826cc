// A timer message carries in its lParam a function that the message dispatch calls instead
// of the window procedure. The tool sets no timer with such a function, so one that arrives
// at its windows was posted by another program, with an address of its choosing
// (ExitProcess's, say). Windows' DispatchMessage calls such a function only when a timer of
// the thread was set with it, so a posted address calls nothing there, while the timers the
// system's own components set on the thread (in the file dialog, the folder browser) keep
// working. Wine calls any address it is given. Where the platform does, and only there, this
// object keeps every message loop of the thread (the tool's own, and the modal loops of its
// dialogs, message boxes and menus) from calling one: such a message is taken from the
// queue as WM_NULL, which nothing acts on. Timers without a function pass as they are.
#pragma once

#include <windows.h>

namespace qm {

class ScopedTimerFilter {
public:
    // Asks the platform (callsUnsetTimerFunctions) and filters where it must.
    ScopedTimerFilter()
        : hook_(callsUnsetTimerFunctions() ? SetWindowsHookExA(WH_GETMESSAGE, filter, nullptr, GetCurrentThreadId())
                                           : nullptr) {}
    ~ScopedTimerFilter() {
        if (hook_) UnhookWindowsHookEx(hook_);
    }
    ScopedTimerFilter(const ScopedTimerFilter&) = delete;
    ScopedTimerFilter& operator=(const ScopedTimerFilter&) = delete;

    bool filters() const { return hook_ != nullptr; }

    // Whether this thread's DispatchMessage calls the function of a timer message that no timer
    // of the thread was set with. A timer message carrying a function of the tool's own, which
    // only notes that it ran, is posted to the thread and dispatched; any other timer message
    // posted to the thread itself (not to a window) is taken and dropped on the way, every other
    // message stays queued. Where the message cannot be posted, the answer is yes.
    static bool callsUnsetTimerFunctions() {
        MSG msg;
        // The thread's message queue, made here if it has none yet.
        PeekMessageA(&msg, nullptr, WM_NULL, WM_NULL, PM_NOREMOVE);
        probeRan_ = false;
        const auto probe = reinterpret_cast<LPARAM>(&noteProbe);
        if (!PostThreadMessageA(GetCurrentThreadId(), WM_TIMER, kProbeId, probe)) return true;
        // HWND -1: only the messages posted to the thread itself.
        while (PeekMessageA(&msg, reinterpret_cast<HWND>(-1), WM_TIMER, WM_TIMER, PM_REMOVE)) {
            if (msg.message == WM_TIMER && msg.wParam == kProbeId && msg.lParam == probe) {
                DispatchMessageA(&msg);
                break;
            }
        }
        return probeRan_;
    }

private:
    static constexpr UINT_PTR kProbeId = 0x514D;
    static inline bool probeRan_ = false;

    static void CALLBACK noteProbe(HWND, UINT, UINT_PTR, DWORD) { probeRan_ = true; }

    // A WH_GETMESSAGE hook may change the message before GetMessage or PeekMessage returns it.
    static LRESULT CALLBACK filter(int code, WPARAM removal, LPARAM lParam) {
        if (code == HC_ACTION) {
            MSG& msg = *reinterpret_cast<MSG*>(lParam);
            if (msg.message == WM_TIMER && msg.lParam != 0) {
                msg.message = WM_NULL;
                msg.wParam = 0;
                msg.lParam = 0;
            }
        }
        return CallNextHookEx(nullptr, code, removal, lParam);
    }

    HHOOK hook_;
};

}  // namespace qm
