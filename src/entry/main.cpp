// Program entry: one instance holds the window; every later start hands its arguments to
// it (or only raises it) and ends.
#include <windows.h>

#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "args/handoff.h"
#include "args/system_arguments.h"
#include "entry/terminate_handler.h"
#include "text/codepage.h"
#include "text/texts.h"
#include "ui/Unit1.h"
#include "win/scoped.h"

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
    HWND target = FindWindowW(qm::texts::w(qm::texts::kWindowClass), nullptr);
    if (!target) {
        // The first instance may still be starting: wait for its window rather than lose
        // the arguments, as long as it still holds the mutex (our own handle would keep
        // the mutex alive, so it goes first).
        mutex.reset();
        const DWORD start = GetTickCount();
        while (!target && GetTickCount() - start < kWindowWaitMs) {
            Sleep(kPollMs);
            if (!qm::ScopedHandle(OpenMutexW(MUTEX_ALL_ACCESS, FALSE, qm::texts::w(qm::texts::kMutexName))))
                return false;
            target = FindWindowW(qm::texts::w(qm::texts::kWindowClass), nullptr);
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

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    std::set_terminate(qm::endOnUncaughtError);
    // Exactly as the system names them, in UTF-16.
    const std::vector<std::u16string> args = qm::commandLineArguments();
    for (;;) {
        if (qm::ScopedHandle held{OpenMutexW(MUTEX_ALL_ACCESS, FALSE, qm::texts::w(qm::texts::kMutexName))}) {
            if (forward(std::move(held), args)) return 0;
            continue;  // the first instance is gone: try again to be the first
        }
        // Held until the process ends; never closed. The failed open above left its own
        // error code: clear it, so that only this call can say the name already exists.
        SetLastError(ERROR_SUCCESS);
        HANDLE mutex = CreateMutexW(nullptr, FALSE, qm::texts::w(qm::texts::kMutexName));
        if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
            // Another start created it a moment earlier: forward to it instead.
            if (forward(qm::ScopedHandle(mutex), args)) return 0;
            continue;
        }
        // The first instance: the window's whole life (ui/lifecycle.cpp).
        const int code = qm::TQuillmoorMW::run(instance);
        if (mutex) ReleaseMutex(mutex);
        return code;
    }
}
