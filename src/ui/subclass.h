// The procedures put in front of the main window's controls: the group box passes its
// children's notifications on to the main window and paints its own background; the list box
// runs the main window's key binding of the list and hands its context-menu requests to the
// main window. In front of every control, the destroy messages that another program posts or
// sends go nowhere.
#pragma once

#include <windows.h>

#include "ui/keys.h"

namespace qm {

class MainWindowBase;

// The main window's key binding of its list, run on each key pressed in the list before the
// list's own keyboard handling, with the main window's object; a key it sets to 0 goes no
// further.
using ListKeyBinding = void (*)(MainWindowBase& window, WORD& key, TShiftState shift);

// Puts the group box's procedure in front of GroupBox1.
void subclassGroupBox(HWND groupBox);
// Puts the list's procedure in front of ListBox1, with the main window's `binding`; the list
// box's own procedure comes back: the run list sends its requests there.
WNDPROC subclassListBox(HWND listBox, ListKeyBinding binding);
// Any other control: only the destroy messages are held back.
void subclassOther(HWND control);
// The same for the drop-down's list, which belongs to `mainWindow`.
void subclassDropDownList(HWND dropDown, HWND mainWindow);

}  // namespace qm
