// The main window's commands, in one table: each command's id (ui/resource.h), the button or
// the context-menu item that gives it, the item's caption and shortcut, and the handler it
// runs. The buttons' clicks and the menu's items are bound from here and nowhere else.
#include <optional>
#include <vector>

#include "text/texts.h"
#include "ui/Unit1.h"
#include "ui/resource.h"
#include "ui/shortcuts.h"

namespace qm {

namespace {

struct TCommand {
    const char* name;  // the component that gives it: a button, or a context-menu item
    UINT id;
    std::optional<Ctl> button;  // the button that gives it; none for a context-menu item
    const char16_t* caption;    // a menu item's caption (a button's stands in the table of controls)
    ShortCut shortCut;          // a menu item's shortcut; 0 for none
    void (TQuillmoorMW::*handler)(void* sender);
};

// clang-format off
constexpr TCommand kCommands[] = {
    // The buttons.
    {"Button6", kIdButton6, Ctl::Button6, nullptr,               0,                   &TQuillmoorMW::Button6Click},
    {"Button1", kIdButton1, Ctl::Button1, nullptr,               0,                   &TQuillmoorMW::Button1Click},
    {"Button2", kIdButton2, Ctl::Button2, nullptr,               0,                   &TQuillmoorMW::Button2Click},
    {"Button3", kIdButton3, Ctl::Button3, nullptr,               0,                   &TQuillmoorMW::Button3Click},
    // PopupMenu1's items, in menu order.
    {"Paste1",  kIdPaste1,  std::nullopt, texts::kMenuPaste,     kShortCutCtrl | 'V', &TQuillmoorMW::pathpaste},
    {"Delete1", kIdDelete1, std::nullopt, texts::kMenuDelete,    VK_DELETE,           &TQuillmoorMW::DeleteSel},
    {"N3",      kIdN3,      std::nullopt, texts::kMenuClearAll,  kShortCutCtrl | 'D', &TQuillmoorMW::allclear},
    {"N1",      kIdN1,      std::nullopt, texts::kMenuSelectAll, kShortCutCtrl | 'A', &TQuillmoorMW::allsel},
    {"N2",      kIdN2,      std::nullopt, texts::kMenuInvert,    kShortCutCtrl | 'R', &TQuillmoorMW::selrev},
};
// clang-format on

// A button's command id is the id the window gives the button.
constexpr bool buttonIdsMatch() {
    for (const TCommand& c : kCommands) {
        if (c.button && idOf(*c.button) != c.id) return false;
    }
    return true;
}
static_assert(buttonIdsMatch(), "a button's command must have the button's id");
static_assert(idOf(Ctl::Button6) == kIdButton6 && idOf(Ctl::GroupBox1) == kIdGroupBox1 &&
                  idOf(Ctl::Button1) == kIdButton1 && idOf(Ctl::Button2) == kIdButton2 &&
                  idOf(Ctl::Button3) == kIdButton3 && idOf(Ctl::ListBox1) == kIdListBox1 &&
                  idOf(Ctl::CheckBox1) == kIdCheckBox1 && idOf(Ctl::CheckBox2) == kIdCheckBox2 &&
                  idOf(Ctl::ComboBox1) == kIdComboBox1 && idOf(Ctl::Label1) == kIdLabel1,
              "the resource header must give each control the id the window gives it");

const TCommand* commandWithId(UINT id) {
    for (const TCommand& c : kCommands) {
        if (c.id == id) return &c;
    }
    return nullptr;
}

}  // namespace

std::vector<TMenuItem> TQuillmoorMW::menuItems() {
    std::vector<TMenuItem> items;
    for (const TCommand& c : kCommands) {
        if (!c.button) items.push_back({c.id, c.caption, c.shortCut});
    }
    return items;
}

void TQuillmoorMW::onCommand(UINT id, UINT code) {
    if (id == kIdComboBox1) {
        if (code == CBN_DROPDOWN) fitDropDown();
        return;
    }
    const TCommand* command = commandWithId(id);
    if (!command) return;
    if (command->button) {
        // A button gives its command when it is clicked.
        HWND button = control(*command->button);
        if (code == BN_CLICKED) runCommand([&] { (this->*command->handler)(button); });
    } else if (TMenuItem* item = PopupMenu1.itemWithId(id)) {
        // A menu item's, chosen from the menu or reached by its shortcut.
        runCommand([&] { (this->*command->handler)(item); });
    }
}

}  // namespace qm
