#include "ui/subclass.h"

#include "ui/main_window_base.h"
#include "ui/popup_menu.h"

namespace qm {

namespace {

// Subclassing the plain way: the main window is the control's root, and the control's own
// procedure is kept in the tool's own memory, since another program can write a control's
// user data. A control that is a Unicode window (every one, made with the W call; the list
// box also under the common-controls manifest) gets a W procedure: with an A procedure in
// front of it the system would convert every text message between A and W through the code
// page, which loses every character the code page lacks (a caption under code page 1252),
// and an entry longer than that conversion's buffer would not come through whole.
struct Subclass {
    WNDPROC own = nullptr;  // the control's own procedure, the same for every control of its class
    bool unicode = false;
};
Subclass g_groupBox;
Subclass g_listBox{nullptr, true};
ListKeyBinding g_listKeys = nullptr;

void subclass(HWND control, WNDPROC proc, Subclass& s) {
    s.own = reinterpret_cast<WNDPROC>((s.unicode ? GetWindowLongPtrW : GetWindowLongPtrA)(control, GWLP_WNDPROC));
    (s.unicode ? SetWindowLongPtrW : SetWindowLongPtrA)(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
}

LRESULT controlsOwnProc(const Subclass& s, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return (s.unicode ? CallWindowProcW : CallWindowProcA)(s.own, hwnd, msg, wParam, lParam);
}

// The drop-down's list is a pop-up window of its own (under Wine with neither parent nor
// owner): the main window it belongs to is kept here.
HWND g_dropDownList = nullptr;
HWND g_dropDownMain = nullptr;

// A control is destroyed only with the main window, while the tool destroys that: posted or
// sent by another program, the destroy messages change nothing (the list box would drop its
// entries and stop working, the drop-down its names).
bool destroyedByAnotherProgram(HWND control, UINT msg) {
    if (msg != WM_DESTROY && msg != WM_NCDESTROY) return false;
    HWND root = GetAncestor(control, GA_ROOT);
    if (root == g_dropDownList) root = g_dropDownMain;
    const MainWindowBase* mw = MainWindowBase::fromHandle(root);
    return mw && mw->phase() != MainWindowBase::Phase::ending;
}

// The group box holds six controls; their notifications go on to the main window. Unlike a
// bare BUTTON group box it paints its own background, as the window's face behind it is
// clipped away.
LRESULT CALLBACK groupBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (destroyedByAnotherProgram(hwnd, msg)) return 0;
    switch (msg) {
        case WM_ERASEBKGND: {
            RECT r{};
            GetClientRect(hwnd, &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        case WM_COMMAND:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
            return SendMessageA(GetAncestor(hwnd, GA_ROOT), msg, wParam, lParam);
        default:
            return controlsOwnProc(g_groupBox, hwnd, msg, wParam, lParam);
    }
}

// The list box's key-down binding runs before the list's own keyboard handling.
LRESULT listBoxMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (destroyedByAnotherProgram(hwnd, msg)) return 0;
    // The list's context menu opens from the main window, which must learn that the request
    // came from the list (passed on by the system it would name the group box). A request
    // from the list's scroll bars is left to the system.
    if (msg == WM_CONTEXTMENU && contextMenuInClient(hwnd, lParam)) {
        return SendMessageA(GetAncestor(hwnd, GA_ROOT), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), lParam);
    }
    if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
        WORD key = static_cast<WORD>(wParam);
        // Only while the main window's object holds its window: the binding is that object's.
        MainWindowBase* window = MainWindowBase::fromHandle(GetAncestor(hwnd, GA_ROOT));
        if (g_listKeys && window) g_listKeys(*window, key, currentShiftState(lParam));
        if (key == 0) return 0;
        wParam = key;
    }
    return controlsOwnProc(g_listBox, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK listBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    guarded([&] { result = listBoxMessage(hwnd, msg, wParam, lParam); });
    return result;
}

// The other windows come in four classes (buttons and check boxes, the drop-down, its list,
// the label): one slot and one procedure for each own procedure met.
constexpr int kOtherSlots = 4;
Subclass g_others[kOtherSlots];

template <int Slot>
LRESULT CALLBACK otherProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (destroyedByAnotherProgram(hwnd, msg)) return 0;
    return controlsOwnProc(g_others[Slot], hwnd, msg, wParam, lParam);
}

constexpr WNDPROC kOtherProcs[kOtherSlots] = {otherProc<0>, otherProc<1>, otherProc<2>, otherProc<3>};

}  // namespace

void subclassGroupBox(HWND groupBox) {
    g_groupBox.unicode = IsWindowUnicode(groupBox) != FALSE;
    subclass(groupBox, groupBoxProc, g_groupBox);
}

WNDPROC subclassListBox(HWND listBox, ListKeyBinding binding) {
    g_listKeys = binding;
    subclass(listBox, listBoxProc, g_listBox);
    return g_listBox.own;
}

void subclassDropDownList(HWND dropDown, HWND mainWindow) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!GetComboBoxInfo(dropDown, &info) || !info.hwndList) return;
    g_dropDownList = info.hwndList;
    g_dropDownMain = mainWindow;
    subclassOther(info.hwndList);
}

void subclassOther(HWND control) {
    const bool unicode = IsWindowUnicode(control) != FALSE;
    const auto own =
        reinterpret_cast<WNDPROC>((unicode ? GetWindowLongPtrW : GetWindowLongPtrA)(control, GWLP_WNDPROC));
    for (int i = 0; i < kOtherSlots; ++i) {
        Subclass& s = g_others[i];
        if (!s.own) s = {own, unicode};
        if (s.own == own && s.unicode == unicode) {
            subclass(control, kOtherProcs[i], s);
            return;
        }
    }
}

}  // namespace qm
