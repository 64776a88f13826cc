// Thin wrappers of two standard controls' messages: a combo box's (CB_*) and a button's
// (BM_*). Each call is one message, named after what it does; the window stays the caller's.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>

namespace qm {

// The text of item `pos` of `control`, by the length and text messages given: a list box's
// (LB_GETTEXTLEN, LB_GETTEXT) or a combo box's (CB_GETLBTEXTLEN, CB_GETLBTEXT), sent with
// SendMessageW, so that the text comes in UTF-16 whole; nothing when `pos` is negative or the
// control answers that it holds no such item.
std::optional<std::u16string> itemText(HWND control, UINT lengthMsg, UINT textMsg, int pos);

// A combo box. Texts go in and out with the W messages: under the common-controls manifest
// the control is a Unicode window, which keeps any character.
class ComboBox {
public:
    explicit ComboBox(HWND hwnd) : hwnd_(hwnd) {}

    int count() const { return static_cast<int>(send(CB_GETCOUNT, 0, 0)); }
    // Inserts the NUL-terminated `text` at `pos`.
    void insert(int pos, const wchar_t* text) const {
        send(CB_INSERTSTRING, static_cast<WPARAM>(pos), reinterpret_cast<LPARAM>(text));
    }
    // The selected item's position; -1 (CB_ERR) when none is selected.
    int selection() const { return static_cast<int>(send(CB_GETCURSEL, 0, 0)); }
    void select(int pos) const { send(CB_SETCURSEL, static_cast<WPARAM>(pos), 0); }
    // The text of item `pos`, without its NUL; nothing when the list holds no such item.
    std::optional<std::u16string> itemText(int pos) const {
        return qm::itemText(hwnd_, CB_GETLBTEXTLEN, CB_GETLBTEXT, pos);
    }
    // The height of the rows of its list.
    int itemHeight() const { return static_cast<int>(send(CB_GETITEMHEIGHT, 0, 0)); }
    void setItemHeight(int height) const { send(CB_SETITEMHEIGHT, 0, height); }
    // The most rows its opened list shows (common controls 6).
    void setMinVisible(int rows) const { send(CB_SETMINVISIBLE, static_cast<WPARAM>(rows), 0); }
    // Whether its list is open.
    bool droppedDown() const { return send(CB_GETDROPPEDSTATE, 0, 0) != 0; }

private:
    LRESULT send(UINT msg, WPARAM wParam, LPARAM lParam) const { return SendMessageW(hwnd_, msg, wParam, lParam); }

    HWND hwnd_;
};

// A button: a push button or a check box.
class Button {
public:
    explicit Button(HWND hwnd) : hwnd_(hwnd) {}

    // A check box's state.
    bool checked() const { return SendMessageA(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void setChecked(bool checked) const { SendMessageA(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0); }
    // Its type among the BS_* styles (BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_AUTOCHECKBOX ...).
    LONG type() const { return GetWindowLongA(hwnd_, GWL_STYLE) & BS_TYPEMASK; }
    // Gives it the type `type`, the rest of its style kept, and redraws it.
    void setType(LONG type) const {
        const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
        SendMessageA(hwnd_, BM_SETSTYLE, static_cast<WPARAM>((style & 0xFFFF & ~BS_TYPEMASK) | type), TRUE);
    }

private:
    HWND hwnd_;
};

}  // namespace qm
