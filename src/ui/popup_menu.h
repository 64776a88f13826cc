// The run list's context menu (PopupMenu1): one table of its five items gives the menu its
// entries, hands out their access keys when it opens and answers their shortcuts.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "ui/shortcuts.h"
#include "win/scoped.h"

namespace qm {

class TQuillmoorMW;

// The context menu's items by their names, in menu order: each one's place in the menu's table.
enum TMenuItemName : unsigned { Paste1, Delete1, N3, N1, N2, kMenuItemCount };

// A context-menu item: its command id, caption (with the access key it was given), shortcut
// and the window's handler that the command runs.
struct TMenuItem {
    UINT id = 0;
    std::string caption;
    ShortCut shortCut = 0;
    void (TQuillmoorMW::*handler)(void* sender) = nullptr;
};

class TPopupMenu {
public:
    TPopupMenu();
    // Creates the menu with the items.
    void build();
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
    std::array<TMenuItem, kMenuItemCount> items_;
    MenuOwner menu_;
};

// A context-menu request from the keyboard (both coordinates -1), or one whose screen
// point lies in `w`'s client area.
bool contextMenuInClient(HWND w, LPARAM lParam);

}  // namespace qm
