// The main window's messages: what each one does, and the order in which a key press is
// offered to the window's bindings (the commands: ui/commands.cpp).
#include "ui/Unit1.h"
#include "ui/keys.h"
#include "win/controls.h"

namespace qm {

bool TQuillmoorMW::preTranslate(MSG& msg) {
    bool consumed = false;
    // A press whose handling raised an error counts as consumed.
    return !guard([&] { consumed = dispatchKey(msg); }) || consumed;
}

// The order of dispatch of a key press while the window or one of its controls has the
// focus; true when the press was consumed (it then makes no character and reaches no control).
bool TQuillmoorMW::dispatchKey(MSG& msg) {
    showActiveButton(hwnd_, Button6);
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)) return false;
    HWND focus = GetFocus();
    const WORD key = LOWORD(msg.wParam);
    const TShiftState s = currentShiftState(msg.lParam);
    // While the drop-down's list is open, Enter and Escape only close that list.
    if (focus == ComboBox1 && (key == VK_RETURN || key == VK_ESCAPE) && ComboBox(ComboBox1).droppedDown()) {
        return false;
    }
    {
        // 1. The context-menu shortcuts of the focused control and its containers; only the
        // list has a menu. A match is consumed whether or not its item ran. The item runs as
        // when it is chosen from the menu, so an error it raises shows in the error box.
        if (focus == ListBox1) {
            if (const TMenuItem* item = PopupMenu1.itemWithShortCut(shortCutOf(key, s.shift, s.ctrl, s.alt))) {
                if (PopupMenu1.enabled(*item)) SendMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(item->id, 0), 0);
                return true;
            }
        }
        // 2. Window-level bindings.
        bool handled = false;
        Mianshortcut(msg, handled);
        if (handled) return true;
    }
    // 3. Navigation and dialog keys; 4. (not consumed) the control's own key handling.
    return navigationKey(hwnd_, Button6, msg, s.shift, s.ctrl, s.alt);
}

LRESULT TQuillmoorMW::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) applyLayout();
            return 0;
        case WM_DPICHANGED:
            dpiChanged(wParam, lParam);
            return 0;
        case WM_GETMINMAXINFO: {
            auto* mmi = reinterpret_cast<MINMAXINFO*>(lParam);
            const SIZE minimum = minimumSize();
            mmi->ptMinTrackSize.x = minimum.cx;
            mmi->ptMinTrackSize.y = minimum.cy;
            return 0;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND f = GetFocus();
                if (f && IsChild(hwnd_, f)) lastFocus_ = f;
            } else if (!activatedOnce_) {
                activatedOnce_ = true;
                SetFocus(Button6);
                active(nullptr);
            } else {
                SetFocus(lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : Button6);
            }
            return 0;
        case WM_COMMAND:
            onCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_INITMENUPOPUP:
            if (reinterpret_cast<HMENU>(wParam) != PopupMenu1.handle()) break;
            PopupMenu1.assignAccessKeys();
            return 0;
        case WM_CONTEXTMENU: {
            // From the list: at the pointer, or from the keyboard at the list's client top-left.
            if (reinterpret_cast<HWND>(wParam) != ListBox1 || !contextMenuInClient(ListBox1, lParam)) break;
            POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            if (pt.x == -1 && pt.y == -1) {
                pt = {0, 0};
                ClientToScreen(ListBox1, &pt);
            }
            TrackPopupMenu(PopupMenu1.handle(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd_,
                           nullptr);
            return 0;
        }
        case WM_DROPFILES:
            WMDropFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_COPYDATA:
            WMCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

}  // namespace qm
