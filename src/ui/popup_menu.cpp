#include "ui/popup_menu.h"

#include <vector>

#include "text/codepage.h"
#include "text/texts.h"
#include "ui/Unit1.h"

namespace qm {

namespace {

// What a menu item shows: its caption, a tab and the text of its shortcut.
std::string menuItemText(const TMenuItem& item) {
    const std::string shortCut = shortCutText(item.shortCut);
    return shortCut.empty() ? item.caption : item.caption + "\t" + shortCut;
}

}  // namespace

TPopupMenu::TPopupMenu() {
    items_[Paste1] = {kIdPaste1, texts::kMenuPaste, kShortCutCtrl | 'V', &TQuillmoorMW::pathpaste};
    items_[Delete1] = {kIdDelete1, texts::kMenuDelete, VK_DELETE, &TQuillmoorMW::DeleteSel};
    items_[N3] = {kIdN3, texts::kMenuClearAll, kShortCutCtrl | 'D', &TQuillmoorMW::allclear};
    items_[N1] = {kIdN1, texts::kMenuSelectAll, kShortCutCtrl | 'A', &TQuillmoorMW::allsel};
    items_[N2] = {kIdN2, texts::kMenuInvert, kShortCutCtrl | 'R', &TQuillmoorMW::selrev};
}

void TPopupMenu::build() {
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
    return id >= kIdPaste1 && id - kIdPaste1 < kMenuItemCount ? &items_[id - kIdPaste1] : nullptr;
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
