// A context menu: the items it is given make its entries; it hands out their access keys when
// it opens and answers their shortcuts. What an item does is its owner's: the menu knows only
// the item's command id, which it sends as WM_COMMAND when the item is chosen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/shortcuts.h"
#include "win/scoped.h"

namespace qm {

// A context-menu item: its command id, caption (with the access key it was given) and shortcut.
struct TMenuItem {
    UINT id = 0;
    std::u16string caption;
    ShortCut shortCut = 0;
};

class TPopupMenu {
public:
    // Creates the menu with `items`, in menu order.
    void build(std::vector<TMenuItem> items);
    HMENU handle() const { return menu_.get(); }
    // Each opening gives every item without an access key one; the captions keep them.
    void assignAccessKeys();
    // The item with the command id `id`, or null.
    TMenuItem* itemWithId(UINT id);
    // The item whose shortcut is `value`, or null (always for 0).
    const TMenuItem* itemWithShortCut(ShortCut value) const;
    // Whether the item can be chosen now (neither disabled nor grayed).
    bool enabled(const TMenuItem& item) const;

private:
    std::vector<TMenuItem> items_;
    ScopedMenu menu_;
};

// A context-menu request from the keyboard (both coordinates -1), or one whose screen
// point lies in `w`'s client area.
bool contextMenuInClient(HWND w, LPARAM lParam);

}  // namespace qm
