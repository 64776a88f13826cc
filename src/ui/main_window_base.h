// The base of the tool's one main window: the one edge where errors stop, the window's
// attachment to its object, its handle, its procedure and the phase it is in. The window
// class derived from it has only its handlers, its building and its run.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

#include "text/error.h"
#include "text/utf16.h"
#include "ui/application.h"

namespace qm {

// The one edge where errors stop: every entry from the system into the window's code (the
// window procedure, the key dispatch before it, the list box's procedure, the creation)
// runs its work through here. An error it raises is shown by `show` (its text by errorText:
// a lack of memory in Japanese, as every text of the tool), and the tool goes on. True when
// the work ran to its end.
template <typename Work, typename Show>
bool guarded(Work&& work, Show&& show) noexcept {
    try {
        work();
        return true;
    } catch (const std::exception& e) {
        try {
            show(errorText(e));
        } catch (const std::exception&) {
            // Not even the error box could be shown (no memory left): the tool goes on.
        }
    }
    return false;
}

// The same, the error shown in the tool's error box.
template <typename Work>
bool guarded(Work&& work) noexcept {
    return guarded(work, [](const std::u16string& text) { Application::showError(text); });
}

// The handle of the main window, which only MainWindowBase writes; everyone else reads it as
// an HWND.
class WindowHandle {
public:
    operator HWND() const { return hwnd_; }

private:
    friend class MainWindowBase;
    HWND hwnd_ = nullptr;
};

// The tool's main window, of which there is one at a time: the ending of its window ends the
// tool. Its object alone attaches the window, and knows the phase that the command gate, the
// close and the destroy messages read.
class MainWindowBase {
public:
    enum class Phase {
        creating,  // the window is being made and its creation sequence runs
        idle,      // nothing runs: a command may start
        command,   // a command runs (a dialog, its error box), or an error box is open
        ending,    // the tool destroys the window (or has destroyed it); the message loop ends with it
    };

    MainWindowBase(const MainWindowBase&) = delete;
    MainWindowBase& operator=(const MainWindowBase&) = delete;

    HWND handle() const { return hwnd_; }
    Phase phase() const { return phase_; }

    // The main window's object when `hwnd` is the main window; null for any other window,
    // before the window has taken its object and once the object has let the window go. Kept
    // in the tool's own memory: another program can write a window's user data, but not this.
    static MainWindowBase* fromHandle(HWND hwnd);

    // Runs a command: the handler of a button, a menu item, a key binding or the close. A
    // command that runs a modal loop (a dialog, its error box) still sees, in that loop,
    // whatever another program posts; so a command starts only while the window is idle:
    // not while another one runs, while an error box is open, while the window is being
    // made nor once the tool is ending. An error the command raises is shown while it still
    // counts as running.
    template <typename Work>
    void runCommand(Work&& work) {
        if (phase_ != Phase::idle) return;
        phase_ = Phase::command;
        guarded(work);
        if (phase_ == Phase::command) phase_ = Phase::idle;
    }

protected:
    MainWindowBase() = default;
    // A window still standing when its object goes (the tool ends without closing it) first
    // lets go of the object, so that nothing it is sent meanwhile can reach it.
    virtual ~MainWindowBase();

    // Makes the window; it takes this object with its first message. False when it could
    // not be made.
    bool createWindow(DWORD exStyle, const wchar_t* className, const wchar_t* caption, DWORD style, int x, int y,
                      int width, int height, HWND owner, HINSTANCE instance);
    // The creation sequence has ended: the window is idle, unless the tool is ending.
    void created();
    // Ends the tool: destroys the window, and the message loop ends with it.
    void end();
    // Runs `work` at the one edge; an error it raises is shown in the error box, while which
    // no command starts.
    template <typename Work>
    bool guard(Work&& work) noexcept {
        return guarded(work, [this](const std::u16string& text) { showError(text); });
    }
    // The window's own messages, but those that MainWindowBase answers itself: WM_CLOSE (which
    // runs close() as a command when it may) and WM_DESTROY and WM_NCDESTROY.
    virtual LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    // The close sequence, run as a command; it ends the tool when the close went through.
    virtual void close() = 0;

    // Read by the derived window as an HWND; written only here.
    WindowHandle hwnd_;

    // The window class's procedure: every message goes through the one guarded edge.
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

private:
    LRESULT message(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    void showError(const std::u16string& text);
    // From here on no message reaches the object.
    void detach();

    Phase phase_ = Phase::creating;
};

}  // namespace qm
