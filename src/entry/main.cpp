// Program entry: one instance holds the window; every later start hands its arguments to
// it (or only raises it) and ends.
#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "args/handoff.h"
#include "args/system_arguments.h"
#include "settings/start_settings.h"
#include "text/codepage.h"
#include "text/texts.h"
#include "ui/Unit1.h"
#include "ui/application.h"
#include "win/scoped.h"
#include "win/timer_filter.h"

namespace {

// How long a later start waits for the first instance's window to appear.
constexpr DWORD kWindowWaitMs = 10000;
constexpr DWORD kPollMs = 50;

// In the code page form when the code page holds every argument, so that any build of the
// tool reads it; otherwise in UTF-16 (args/handoff.h).
void sendHandoff(HWND target, const std::vector<std::u16string>& args) {
    qm::HandoffBlock block = qm::buildHandoff(qm::joinArguments(args), qm::systemCodePage());
    COPYDATASTRUCT cds{};
    cds.dwData = block.tag;
    cds.cbData = static_cast<DWORD>(block.bytes.size());
    cds.lpData = block.bytes.data();
    SendMessageA(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
}

// A forwarding start: pass the arguments on, or only raise the window. Returns false when
// the first instance ended before its window appeared, so this start must take its place.
bool forward(qm::ScopedHandle mutex, const std::vector<std::u16string>& args) {
    HWND target = FindWindowA(qm::texts::kWindowClass, nullptr);
    if (!target) {
        // The first instance may still be starting: wait for its window rather than lose
        // the arguments, as long as it still holds the mutex (our own handle would keep
        // the mutex alive, so it goes first).
        mutex.reset();
        const DWORD start = GetTickCount();
        while (!target && GetTickCount() - start < kWindowWaitMs) {
            Sleep(kPollMs);
            if (!qm::ScopedHandle(OpenMutexA(MUTEX_ALL_ACCESS, FALSE, qm::texts::kMutexName))) return false;
            target = FindWindowA(qm::texts::kWindowClass, nullptr);
        }
    }
    if (target) {
        if (args.empty()) {
            SetForegroundWindow(target);
        } else {
            sendHandoff(target, args);
        }
    }
    return true;
}

int runFirstInstance(HINSTANCE instance) {
    // Read on a thread of their own while this one starts the window system (a start's
    // longest step) and makes the windows.
    qm::StartSettingsReader settings(qm::Application::settingsPath(), qm::systemCodePage());
    // Before any window: no loop of this thread ever dispatches a timer message's function
    // that no timer was set with.
    const qm::TimerCallbackFilter timerFilter;
    qm::Application::create(instance);
    // The window object lives until the message loop has ended; the window goes with it.
    const std::unique_ptr<qm::TQuillmoorMW> window = qm::TQuillmoorMW::create(settings);
    if (!window) return 0;  // no window, nothing that could ever end a message loop
    if (window->phase() != qm::TQuillmoorMW::Phase::ending) {
        ShowWindow(window->handle(), SW_SHOWNORMAL);
        UpdateWindow(window->handle());
    }
    MSG msg;
    // -1 is a message the system could not hand over (Wine does so when a message's data do
    // not fit on this thread's stack): that message is lost to its sender, and the window
    // goes on with the next one.
    for (;;) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == -1) continue;
        if (got == 0) {
            // The tool posts WM_QUIT only once its window has gone. One that finds the window
            // still there was posted by another program: it closes the window as the close
            // box does, settings written, and the loop ends at the quit that follows.
            if (!IsWindow(window->handle()) || window->phase() == qm::TQuillmoorMW::Phase::ending) return 0;
            SendMessageA(window->handle(), WM_CLOSE, 0, 0);
            continue;
        }
        if (IsWindow(window->handle()) && window->preTranslate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Exactly as the system names them, in UTF-16.
    const std::vector<std::u16string> args = qm::commandLineArguments();
    for (;;) {
        if (qm::ScopedHandle held{OpenMutexA(MUTEX_ALL_ACCESS, FALSE, qm::texts::kMutexName)}) {
            if (forward(std::move(held), args)) return 0;
            continue;  // the first instance is gone: try again to be the first
        }
        // Held until the process ends; never closed. The failed open above left its own
        // error code: clear it, so that only this call can say the name already exists.
        SetLastError(ERROR_SUCCESS);
        HANDLE mutex = CreateMutexA(nullptr, FALSE, qm::texts::kMutexName);
        if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
            // Another start created it a moment earlier: forward to it instead.
            if (forward(qm::ScopedHandle(mutex), args)) return 0;
            continue;
        }
        const int code = runFirstInstance(instance);
        if (mutex) ReleaseMutex(mutex);
        return code;
    }
}
