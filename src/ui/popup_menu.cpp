#include "ui/popup_menu.h"

#include <utility>

#include "text/codepage.h"
#include "text/utf16.h"

namespace qm {

namespace {

// What a menu item shows: its caption, a tab and the text of its shortcut, in UTF-16 for the
// W functions.
WideText menuItemText(const TMenuItem& item) {
    const std::u16string shortCut = shortCutText(item.shortCut);
    return nulTerminated(shortCut.empty() ? item.caption : item.caption + u"\t" + shortCut);
}

}  // namespace

void TPopupMenu::build(std::vector<TMenuItem> items) {
    items_ = std::move(items);
    menu_.reset(CreatePopupMenu());
    for (const TMenuItem& item : items_) {
        AppendMenuW(menu_.get(), MF_STRING, item.id, menuItemText(item).data());
    }
}

void TPopupMenu::assignAccessKeys() {
    std::vector<std::u16string> captions;
    for (const TMenuItem& item : items_) captions.push_back(item.caption);
    const std::vector<std::u16string> assigned = qm::assignAccessKeys(captions, systemCodePage());
    for (std::size_t i = 0; i < assigned.size(); ++i) {
        if (assigned[i] == items_[i].caption) continue;
        items_[i].caption = assigned[i];
        ModifyMenuW(menu_.get(), items_[i].id, MF_BYCOMMAND | MF_STRING, items_[i].id, menuItemText(items_[i]).data());
    }
}

TMenuItem* TPopupMenu::itemWithId(UINT id) {
    for (TMenuItem& item : items_) {
        if (item.id == id) return &item;
    }
    return nullptr;
}

const TMenuItem* TPopupMenu::itemWithShortCut(ShortCut value) const {
    for (const TMenuItem& item : items_) {
        if (value != 0 && item.shortCut == value) return &item;
    }
    return nullptr;
}

bool TPopupMenu::enabled(const TMenuItem& item) const {
    return !(GetMenuState(menu_.get(), item.id, MF_BYCOMMAND) & (MF_DISABLED | MF_GRAYED));
}

bool contextMenuInClient(HWND w, LPARAM lParam) {
    POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (pt.x == -1 && pt.y == -1) return true;
    RECT client{};
    GetClientRect(w, &client);
    ScreenToClient(w, &pt);
    return PtInRect(&client, pt) != FALSE;
}

}  // namespace qm
