// Which window holds the foreground: the previous foreground window and the give-back flag,
// and what is done with them: the topmost switch, the forced foreground sequence after a
// hand-off, and handing the foreground back at the first activation.
#pragma once

#include <windows.h>

namespace qm {

class ForegroundState {
public:
    // Stores GetForegroundWindow (none when nothing is in front).
    void recordPreviousForeground();

    // Never cleared once set.
    void setGiveBack() { giveBack_ = true; }
    bool giveBack() const { return giveBack_; }

    // HWND_TOPMOST without moving, sizing or activating (flags 0x0013).
    static void makeTopmost(HWND window);

    // Pushes `window` to the foreground although another program holds it: attach to the
    // previous foreground window's input, lift the foreground lock timeout for one
    // SetForegroundWindow, put the timeout back, detach.
    void forceForeground(HWND window) const;

    // The box or dialog of the tool that is open over `window` (owned by it or by `app`, the
    // application window): the last active popup of either owner that is shown and takes
    // input; null when none is open. While one is, `window` is disabled, and a hand-off
    // brings that box forward instead.
    static HWND openPopup(HWND window, HWND app);

    // At the main window's first activation: hands the foreground back to the previous
    // foreground window when the flag is set.
    void handBackIfAsked() const;

private:
    HWND previous_ = nullptr;
    bool giveBack_ = false;
};

}  // namespace qm
