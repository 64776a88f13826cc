#include "ui/main_window_base.h"

namespace qm {

namespace {

// The object waiting for its window while createWindow makes it; the window's first message
// takes it. Only the user-interface thread makes the main window.
MainWindowBase* g_waiting = nullptr;
// The object of the main window, once its window has taken it.
MainWindowBase* g_current = nullptr;

}  // namespace

MainWindowBase* MainWindowBase::fromHandle(HWND hwnd) {
    return g_current && hwnd && g_current->handle() == hwnd ? g_current : nullptr;
}

MainWindowBase::~MainWindowBase() {
    const HWND hwnd = hwnd_;
    const bool attached = fromHandle(hwnd) == this;
    phase_ = Phase::ending;
    detach();
    if (attached && IsWindow(hwnd)) DestroyWindow(hwnd);
}

bool MainWindowBase::createWindow(DWORD exStyle, const wchar_t* className, const wchar_t* caption, DWORD style, int x,
                                  int y, int width, int height, HWND owner, HINSTANCE instance) {
    // The window takes its object with its first message; its creation data carry nothing.
    g_waiting = this;
    const HWND made =
        CreateWindowExW(exStyle, className, caption, style, x, y, width, height, owner, nullptr, instance, nullptr);
    if (g_waiting == this) g_waiting = nullptr;
    if (made && fromHandle(made) == this) return true;
    // Not made (or destroyed again on its way): nothing is attached.
    detach();
    return false;
}

void MainWindowBase::created() {
    if (phase_ == Phase::creating) phase_ = Phase::idle;
}

void MainWindowBase::end() {
    if (phase_ == Phase::ending) return;
    phase_ = Phase::ending;
    // The window's WM_DESTROY ends the message loop.
    if (!hwnd_ || !DestroyWindow(hwnd_)) PostQuitMessage(0);
}

void MainWindowBase::detach() {
    if (g_current == this) {
        g_current = nullptr;
        hwnd_.hwnd_ = nullptr;
    }
    if (g_waiting == this) g_waiting = nullptr;
}

void MainWindowBase::showError(const std::u16string& text) {
    // An error box opened outside a command (a hand-off or a drop that failed) holds the
    // window as a command does.
    struct Restore {
        Phase& phase;
        bool wasIdle;
        ~Restore() {
            if (wasIdle && phase == Phase::command) phase = Phase::idle;
        }
    } restore{phase_, phase_ == Phase::idle};
    if (restore.wasIdle) phase_ = Phase::command;
    Application::showError(text);
}

// The window takes its object once, with the first message it gets while createWindow makes
// it; no message names the object, so a WM_NCCREATE that anyone sends later (its creation
// data are the sender's to fill) is only a message for the default procedure.
LRESULT CALLBACK MainWindowBase::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (g_waiting && !fromHandle(hwnd)) {
        g_current = g_waiting;
        g_waiting = nullptr;
        g_current->hwnd_.hwnd_ = hwnd;
    }
    MainWindowBase* w = fromHandle(hwnd);
    if (!w) return DefWindowProcW(hwnd, msg, wParam, lParam);
    return w->message(msg, wParam, lParam);
}

LRESULT MainWindowBase::message(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    switch (msg) {
        case WM_CLOSE:
            if (phase_ == Phase::creating) {
                // Asked while the creation sequence waits on its missing-file notice: the tool
                // ends as after the notice, without the close sequence, so nothing is written.
                end();
            } else {
                runCommand([&] { close(); });
            }
            return 0;
        // The window acts on its destruction only while the tool destroys it: posted or sent by
        // another program, these two change nothing (and reach no default procedure either).
        case WM_DESTROY:
            if (phase_ == Phase::ending) PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY: {
            if (phase_ != Phase::ending) return 0;
            const HWND hwnd = hwnd_;
            detach();
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        }
        default:
            break;
    }
    LRESULT result = 0;
    guard([&] { result = handleMessage(msg, wParam, lParam); });
    return result;
}

}  // namespace qm
