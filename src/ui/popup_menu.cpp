#include "ui/popup_menu.h"

#include <utility>

#include "text/codepage.h"

namespace qm {

namespace {

// What a menu item shows: its caption, a tab and the text of its shortcut.
std::string menuItemText(const TMenuItem& item) {
    const std::string shortCut = shortCutText(item.shortCut);
    return shortCut.empty() ? item.caption : item.caption + "\t" + shortCut;
}

}  // namespace

void TPopupMenu::build(std::vector<TMenuItem> items) {
    items_ = std::move(items);
    menu_.reset(CreatePopupMenu());
    for (const TMenuItem& item : items_) {
        AppendMenuA(menu_.get(), MF_STRING, item.id, menuItemText(item).c_str());
    }
}

void TPopupMenu::assignAccessKeys() {
    std::vector<std::string> captions;
    for (const TMenuItem& item : items_) captions.push_back(item.caption);
    const std::vector<std::string> assigned = qm::assignAccessKeys(captions, systemCodePage());
    for (std::size_t i = 0; i < assigned.size(); ++i) {
        if (assigned[i] == items_[i].caption) continue;
        items_[i].caption = assigned[i];
        ModifyMenuA(menu_.get(), items_[i].id, MF_BYCOMMAND | MF_STRING, items_[i].id, menuItemText(items_[i]).c_str());
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
