#include "runlist/listbox_runlist.h"

#include <string>
#include <utility>
#include <vector>

#include "text/error.h"
#include "text/texts.h"
#include "text/win_ansi_name.h"

namespace qm {

void ListBoxRunList::append(std::string_view text) {
    const std::string entry(text.substr(0, text.find('\0')));
    const LRESULT r = SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    if (r < 0) throw AppError(texts::kErrInsertLine);
}

int ListBoxRunList::count() const {
    return ownProc_ ? count_ : static_cast<int>(SendMessageA(hwnd_, LB_GETCOUNT, 0, 0));
}

// Read with the W messages and converted with the ANSI code page: the list box and the
// drop-down are Unicode windows (common controls 6), and Wine (only Wine) answers an A read
// through a fixed buffer of 512 characters, which cuts a longer item. An ordinary item comes
// back byte for byte as it was added. (LB_ERR and CB_ERR are the same -1.)
std::optional<std::string> itemText(HWND control, UINT lengthMsg, UINT textMsg, int pos) {
    if (pos < 0) return std::nullopt;
    const LRESULT len = SendMessageW(control, lengthMsg, static_cast<WPARAM>(pos), 0);
    if (len < 0) return std::nullopt;
    std::vector<wchar_t> buf(static_cast<std::size_t>(len) + 1, L'\0');
    const LRESULT got = SendMessageW(control, textMsg, static_cast<WPARAM>(pos), reinterpret_cast<LPARAM>(buf.data()));
    if (got < 0) return std::nullopt;
    return narrowText(buf.data(), static_cast<int>(got < len ? got : len));
}

std::string ListBoxRunList::read(int pos) const {
    std::optional<std::string> text = itemText(hwnd_, LB_GETTEXTLEN, LB_GETTEXT, pos);
    if (!text) throwIndexError(pos);
    return std::move(*text);
}

// The list box answers LB_ERR for a position it does not hold; a negative position is
// refused before it is sent, because LB_SETSEL reads -1 as "every entry".
bool ListBoxRunList::isSelected(int pos) const {
    const LRESULT r = pos < 0 ? LB_ERR : request(LB_GETSEL, static_cast<WPARAM>(pos), 0);
    if (r < 0) throwIndexError(pos);
    return r > 0;
}

// Selecting goes through LB_SELITEMRANGEEX on the one entry: LB_SETSEL would also move the
// caret there and scroll the list to it, which makes selecting every entry of a long list
// one by one scroll through all of it. That message
// quietly clips a position outside the list, so the position is checked against the count
// first. Deselecting moves nothing and refuses such a position itself.
void ListBoxRunList::setSelected(int pos, bool selected) {
    LRESULT r = LB_ERR;
    if (pos >= 0 && selected && pos < count()) {
        r = request(LB_SELITEMRANGEEX, static_cast<WPARAM>(pos), static_cast<LPARAM>(pos));
    } else if (pos >= 0 && !selected) {
        r = request(LB_SETSEL, FALSE, static_cast<LPARAM>(pos));
    }
    if (r < 0) throwIndexError(pos);
    if (selected && ownProc_) {
        if (firstSelected_ < 0) firstSelected_ = pos;
        lastSelected_ = pos;
    }
}

void ListBoxRunList::remove(int pos) {
    const LRESULT left = request(LB_DELETESTRING, static_cast<WPARAM>(pos), 0);
    if (ownProc_ && left >= 0) count_ = static_cast<int>(left);
}

void ListBoxRunList::removeAll() { SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0); }

std::vector<bool> ListBoxRunList::selection() const {
    const LRESULT selectedCount = request(LB_GETSELCOUNT, 0, 0);
    if (selectedCount < 0) return RunList::selection();  // a single-selection list box
    std::vector<bool> flags(static_cast<std::size_t>(count()));
    std::vector<int> positions(static_cast<std::size_t>(selectedCount));
    const LRESULT got = positions.empty() ? 0
                                          : request(LB_GETSELITEMS, static_cast<WPARAM>(positions.size()),
                                                    reinterpret_cast<LPARAM>(positions.data()));
    for (LRESULT k = 0; k < got; ++k) {
        const int pos = positions[static_cast<std::size_t>(k)];
        if (pos >= 0 && static_cast<std::size_t>(pos) < flags.size()) flags[static_cast<std::size_t>(pos)] = true;
    }
    return flags;
}

LRESULT ListBoxRunList::request(UINT msg, WPARAM wParam, LPARAM lParam) const {
    if (callDirectly_) return ownProc_(hwnd_, msg, wParam, lParam);
    return ownProc_ ? CallWindowProcW(ownProc_, hwnd_, msg, wParam, lParam) : SendMessageA(hwnd_, msg, wParam, lParam);
}

// A sent message to the list box (a Unicode window under the common-controls manifest) costs
// several times what the list box's own procedure does, so for the thousands of requests of
// one command the list box's class procedure takes them directly. It is called as the
// function it is when it lies in a loaded module: CallWindowProcW alone costs more than the
// list box's work on one entry (about 0.23 against 0.14 microseconds under Wine). Any other
// value is a handle the system gave for a procedure of the other character width, which
// only CallWindowProcW can call.
// A subclass of the list box sees none of them; it handles no list-box message.
void ListBoxRunList::beginCommand() {
    count_ = static_cast<int>(SendMessageA(hwnd_, LB_GETCOUNT, 0, 0));
    firstSelected_ = lastSelected_ = -1;
    ownProc_ = reinterpret_cast<WNDPROC>(GetClassLongPtrW(hwnd_, GCLP_WNDPROC));
    HMODULE module = nullptr;
    callDirectly_ = ownProc_ && GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                                       GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                                   reinterpret_cast<LPCWSTR>(ownProc_), &module);
}

// LB_SETSEL moves the caret and the anchor to the entry it selects and scrolls it fully into
// view, and scrolls nothing when the caret is already there. Entry by entry in ascending
// order that ends with both on the last entry selected, the list scrolled as the first one
// selected and then the last one bring about: those two requests leave the same state.
void ListBoxRunList::endCommand() {
    ownProc_ = nullptr;
    callDirectly_ = false;
    if (lastSelected_ < 0) return;
    if (firstSelected_ != lastSelected_) SendMessageA(hwnd_, LB_SETSEL, TRUE, firstSelected_);
    SendMessageA(hwnd_, LB_SETSEL, TRUE, lastSelected_);
    firstSelected_ = lastSelected_ = -1;
}

// The list box keeps a redraw flag of its own; the window's own one (DefWindowProc's, which
// takes the window's visibility away meanwhile) goes off too. Otherwise turning the list
// box's flag back on paints its scroll bar there and then, themed: about 3 ms under Wine,
// more than the whole batch. Hidden, the scroll bar takes its new place without painting,
// and is painted with the entries at the next paint.
RedrawPause::RedrawPause(HWND hwnd) : hwnd_(hwnd), shown_((GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0) {
    SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
    if (shown_) DefWindowProcW(hwnd_, WM_SETREDRAW, FALSE, 0);
}

RedrawPause::~RedrawPause() {
    SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    if (shown_) DefWindowProcW(hwnd_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

}  // namespace qm
