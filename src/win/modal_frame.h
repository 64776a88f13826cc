// A modal frame around a system dialog or message box: the tool's visible, enabled
// top-level windows are disabled for its life; afterwards they are enabled again and the
// window that was active and the control that had the focus get them back, however the
// dialog ended.
#pragma once

#include <windows.h>

#include <vector>

#include "win/callback_error.h"

namespace qm {

class ScopedModalFrame {
public:
    ScopedModalFrame() : active_(GetActiveWindow()), focus_(GetFocus()) {
        Enumeration<std::vector<HWND>> windows{disabled_, {}};
        EnumThreadWindows(GetCurrentThreadId(), collect, reinterpret_cast<LPARAM>(&windows));
        windows.error.rethrow();  // before any window was disabled
        for (HWND w : disabled_) EnableWindow(w, FALSE);
    }
    ~ScopedModalFrame() {
        for (HWND w : disabled_) EnableWindow(w, TRUE);
        if (active_ && IsWindow(active_)) SetActiveWindow(active_);
        if (focus_ && IsWindow(focus_)) SetFocus(focus_);
    }
    ScopedModalFrame(const ScopedModalFrame&) = delete;
    ScopedModalFrame& operator=(const ScopedModalFrame&) = delete;

private:
    static BOOL CALLBACK collect(HWND w, LPARAM p) {
        auto& windows = *reinterpret_cast<Enumeration<std::vector<HWND>>*>(p);
        return windows.error.run([&] {
            if (IsWindowVisible(w) && IsWindowEnabled(w)) windows.out.push_back(w);
            return true;
        });
    }
    HWND active_;
    HWND focus_;
    std::vector<HWND> disabled_;
};

}  // namespace qm
