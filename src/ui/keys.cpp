#include "ui/keys.h"

#include <vector>

#include "win/callback_error.h"
#include "win/controls.h"

namespace qm {

namespace {

UINT dialogCode(HWND control, const MSG* msg) {
    return static_cast<UINT>(
        SendMessageA(control, WM_GETDLGCODE, msg ? msg->wParam : 0, reinterpret_cast<LPARAM>(msg)));
}

bool isArrow(WPARAM key) {
    return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

// Whether `control` wants the key of `msg` for itself (WM_GETDLGCODE): Tab, the arrows,
// or every key (as the opened drop-down list does for Enter and Escape).
bool controlClaims(HWND control, const MSG& msg) {
    if (!control) return false;
    const UINT code = dialogCode(control, &msg);
    if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return true;
    if (msg.wParam == VK_TAB) return (code & DLGC_WANTTAB) != 0;
    if (isArrow(msg.wParam)) return (code & DLGC_WANTARROWS) != 0;
    return false;
}

// Whether `w` can take the focus: visible, enabled, and neither a static text nor a group box.
bool canTakeFocus(HWND w) {
    return w && IsWindowVisible(w) && IsWindowEnabled(w) && !(dialogCode(w, nullptr) & DLGC_STATIC);
}

// The control before or after `from` among the children of its parent that can take the
// focus, Tab stop or not, in tab order and wrapping; `from` itself when it is alone.
HWND nextInContainer(HWND from, bool previous) {
    HWND container = GetParent(from);
    if (!container) return from;
    std::vector<HWND> order;
    std::size_t at = 0;
    for (HWND w = GetWindow(container, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == from) at = order.size();
        if (w == from || canTakeFocus(w)) order.push_back(w);
    }
    if (order.size() < 2) return from;
    const std::size_t n = order.size();
    return order[previous ? (at + n - 1) % n : (at + 1) % n];
}

bool isPushButton(HWND w) {
    char cls[16] = "";
    if (!w || !GetClassNameA(w, cls, sizeof cls) || lstrcmpiA(cls, "Button") != 0) return false;
    const LONG type = Button(w).type();
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

// The push button Enter presses: the focused one when a push button of `main` has the
// focus, `defaultButton` otherwise.
HWND activeButton(HWND main, HWND defaultButton) {
    HWND focus = GetFocus();
    return focus && IsChild(main, focus) && isPushButton(focus) ? focus : defaultButton;
}

BOOL CALLBACK collectPushButton(HWND w, LPARAM p) {
    auto& buttons = *reinterpret_cast<Enumeration<std::vector<HWND>>*>(p);
    return buttons.error.run([&] {
        if (isPushButton(w)) buttons.out.push_back(w);
        return true;
    });
}

void setButtonType(HWND w, LONG type) {
    const Button button(w);
    if (button.type() != type) button.setType(type);
}

}  // namespace

TShiftState currentShiftState(LPARAM keyData) {
    TShiftState s;
    s.shift = GetKeyState(VK_SHIFT) < 0;
    s.ctrl = GetKeyState(VK_CONTROL) < 0;
    s.alt = (keyData & (1 << 29)) != 0;
    return s;
}

void showActiveButton(HWND main, HWND defaultButton) {
    HWND focus = GetFocus();
    if (!focus || (focus != main && !IsChild(main, focus))) return;  // keep the frame while inactive
    HWND active = activeButton(main, defaultButton);
    if (Button(active).type() == BS_DEFPUSHBUTTON) return;
    std::vector<HWND> buttons;
    Enumeration<std::vector<HWND>> found{buttons, {}};
    EnumChildWindows(main, collectPushButton, reinterpret_cast<LPARAM>(&found));
    found.error.rethrow();
    for (HWND b : buttons) {
        if (b != active) setButtonType(b, BS_PUSHBUTTON);
    }
    setButtonType(active, BS_DEFPUSHBUTTON);
}

bool navigationKey(HWND main, HWND defaultButton, const MSG& msg, bool shift, bool ctrl, bool alt) {
    HWND focus = GetFocus();
    if (focus && focus != main && controlClaims(focus, msg)) return false;
    HWND next = nullptr;
    if (msg.wParam == VK_TAB) {
        if (alt || ctrl) return false;
        next = GetNextDlgTabItem(main, focus == main ? nullptr : focus, shift);
    } else if (isArrow(msg.wParam)) {
        if (alt || !focus || focus == main) return false;
        next = nextInContainer(focus, msg.wParam == VK_LEFT || msg.wParam == VK_UP);
    } else if (msg.wParam == VK_RETURN) {
        if (shift || ctrl || alt) return false;
        HWND button = activeButton(main, defaultButton);
        if (canTakeFocus(button)) {
            SendMessageA(main, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
        }
        return true;
    } else {
        return false;
    }
    if (next && next != focus) SetFocus(next);
    showActiveButton(main, defaultButton);
    return true;
}

}  // namespace qm
