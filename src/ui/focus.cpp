#include "ui/focus.h"

#include <initializer_list>

namespace qm {

void ForegroundState::recordPreviousForeground() {
    previous_ = GetForegroundWindow();
}

void ForegroundState::makeTopmost(HWND window) {
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void ForegroundState::forceForeground(HWND window) const {
    const DWORD foregroundThread = GetWindowThreadProcessId(previous_, nullptr);
    const DWORD ownThread = GetWindowThreadProcessId(window, nullptr);
    AttachThreadInput(ownThread, foregroundThread, TRUE);
    DWORD savedTimeout = 0;
    SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &savedTimeout, 0);
    SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, 0);
    SetForegroundWindow(window);
    SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                          reinterpret_cast<PVOID>(static_cast<ULONG_PTR>(savedTimeout)), 0);
    AttachThreadInput(ownThread, foregroundThread, FALSE);
}

HWND ForegroundState::openPopup(HWND window, HWND app) {
    // The folder browser is owned by the main window; the error box, the file dialog and the
    // missing-file notice by the application window. Over a dialog an error box takes the
    // input, and the dialog stays disabled until it closes.
    for (HWND owner : {window, app}) {
        if (!owner) continue;
        const HWND popup = GetLastActivePopup(owner);
        if (popup && popup != window && popup != app && IsWindowVisible(popup) && IsWindowEnabled(popup)) return popup;
    }
    return nullptr;
}

void ForegroundState::handBackIfAsked() const {
    if (giveBack_) SetForegroundWindow(previous_);
}

}  // namespace qm
