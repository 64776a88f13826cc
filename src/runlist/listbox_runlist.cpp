#include "runlist/listbox_runlist.h"

#include <string>
#include <utility>
#include <vector>

#include "text/error.h"
#include "text/texts.h"
#include "text/utf16.h"
#include "win/controls.h"

namespace qm {

// The requests that carry no text go straight to the list box's own procedure: sent, each
// would also pass the subclass in front of it, which handles none of them, and under Wine
// that path costs several times the list box's own work, thousands of times per command.
// The procedure is called through CallWindowProcW, which also calls one the system handed
// out as a handle for the other character width.
LRESULT ListBoxRunList::request(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return CallWindowProcW(ownProc_, hwnd_, msg, wParam, lParam);
}

void ListBoxRunList::append(std::u16string_view text) {
    const WideText entry = nulTerminated(text.substr(0, text.find(u'\0')));
    const LRESULT r = SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.data()));
    // The position the entry took says whether the list had room: asking for the count first
    // would cost a request more for every entry of a long batch.
    if (r >= kMostRunListEntries) request(LB_DELETESTRING, static_cast<WPARAM>(r), 0);
    if (r < 0 || r >= kMostRunListEntries) throw AppError(texts::kErrInsertLine);
}

int ListBoxRunList::count() const {
    return static_cast<int>(request(LB_GETCOUNT, 0, 0));
}

// Read with the W messages: the list box and the drop-down are Unicode windows (common
// controls 6) that keep any character, and Wine (only Wine) answers an A read through a
// fixed buffer of 512 characters, which cuts a longer item. (LB_ERR and CB_ERR are the same
// -1.)
std::u16string ListBoxRunList::read(int pos) const {
    std::optional<std::u16string> text = itemText(hwnd_, LB_GETTEXTLEN, LB_GETTEXT, pos);
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
// caret there and scroll the list to it, so that selecting every entry of a long list one by
// one would scroll through all of it. That message quietly clips a position outside the list,
// so the position is checked against the count first. Deselecting moves nothing and refuses
// such a position itself.
void ListBoxRunList::setSelected(int pos, bool selected) {
    LRESULT r = LB_ERR;
    if (pos >= 0 && selected && pos < count()) {
        r = request(LB_SELITEMRANGEEX, static_cast<WPARAM>(pos), static_cast<LPARAM>(pos));
    } else if (pos >= 0 && !selected) {
        r = request(LB_SETSEL, FALSE, static_cast<LPARAM>(pos));
    }
    if (r < 0) throwIndexError(pos);
}

void ListBoxRunList::remove(int pos) {
    request(LB_DELETESTRING, static_cast<WPARAM>(pos), 0);
}

void ListBoxRunList::removeAll() {
    request(LB_RESETCONTENT, 0, 0);
}

// LB_SETSEL moves the caret and the anchor to the entry it selects and scrolls it fully into
// view, and scrolls nothing when the caret is already there. Entry by entry in ascending
// order that ends with both on the last entry selected, the list scrolled as the first one
// selected and then the last one bring about: those two requests leave the same state. They
// are sent, so that whatever watches the list box sees where the caret goes.
void ListBoxRunList::settleSelection(int first, int last) {
    if (first < 0) return;
    if (first != last) SendMessageW(hwnd_, LB_SETSEL, TRUE, first);
    SendMessageW(hwnd_, LB_SETSEL, TRUE, last);
}

}  // namespace qm
