// The procedures put in front of the main window's controls: the group box passes its
// children's notifications on to the main window and paints its own background; the list box
// runs the window's key binding and hands its context-menu requests to the main window. In
// front of every control, the destroy messages that another program posts or sends go nowhere.
#pragma once

#include <windows.h>

namespace qm {

// Puts the group box's procedure in front of GroupBox1 and the list's in front of ListBox1.
void subclassGroupBox(HWND groupBox);
// The list box's own procedure comes back: the run list sends its requests there.
WNDPROC subclassListBox(HWND listBox);
// Any other control: only the destroy messages are held back.
void subclassOther(HWND control);
// The same for the drop-down's list, which belongs to `mainWindow`.
void subclassDropDownList(HWND dropDown, HWND mainWindow);

}  // namespace qm
