// The one edge where errors stop, and the way from a window handle to the main window.
#pragma once

#include <windows.h>

#include <exception>

#include "ui/application.h"

namespace qm {

class TQuillmoorMW;

// The one edge where errors stop: every entry from the system into the window's code (the
// window procedure, the key dispatch before it, the list box's procedure, the creation)
// runs its work through here. An error it raises is shown in the error box (the program's
// own texts as they are, any other as its what()), and the tool goes on. True when the work
// ran to its end.
template <typename Work>
bool guarded(Work&& work) noexcept {
    try {
        work();
        return true;
    } catch (const std::exception& e) {
        try {
            Application::showError(e.what());
        } catch (const std::exception&) {
            // Not even the error box could be shown (no memory left): the tool goes on.
        }
    }
    return false;
}

// The main window object of the main window `hwnd`; null for any other window, before the
// window has taken its object and once the object has let the window go. Kept in the tool's
// own memory: another program can write a window's user data, but not this.
TQuillmoorMW* fromHandle(HWND hwnd);

}  // namespace qm
