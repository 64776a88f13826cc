// A timer message carries in its lParam a function that the message dispatch calls instead
// of the window procedure. The tool sets no timer with such a function, so one that arrives
// was posted by another program, with an address of its choosing (ExitProcess's, say). While
// this object lives, every message loop of the thread (the tool's own, and the modal loops of
// its dialogs, message boxes and menus) takes such a message from its queue as WM_NULL,
// which nothing acts on. Timers without a function (the controls' own) pass as they are.
#pragma once

#include <windows.h>

namespace qm {

class TimerCallbackFilter {
public:
    TimerCallbackFilter() : hook_(SetWindowsHookExA(WH_GETMESSAGE, filter, nullptr, GetCurrentThreadId())) {}
    ~TimerCallbackFilter() {
        if (hook_) UnhookWindowsHookEx(hook_);
    }
    TimerCallbackFilter(const TimerCallbackFilter&) = delete;
    TimerCallbackFilter& operator=(const TimerCallbackFilter&) = delete;

private:
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
