// The window's own focus navigation and default-button handling: Tab over the tab order,
// arrows within a container, Enter pressing the active push button, and the default-button
// frame following the active push button. The main window is no dialog and no key goes
// through IsDialogMessage; of the dialog manager only GetNextDlgTabItem is called, which
// finds the next control in the tab order of any window's children.
#pragma once

#include <windows.h>

namespace qm {

// Shift state of a key press.
struct TShiftState {
    bool shift = false, ctrl = false, alt = false;
};

// The shift state of the key press whose key data (lParam) is `keyData`.
TShiftState currentShiftState(LPARAM keyData);

// Draws the active push button with the default-button frame and every other push button
// of `main` without it.
void showActiveButton(HWND main, HWND defaultButton);

// The navigation keys, offered after the context-menu shortcuts and the window's own
// bindings: Tab and Shift+Tab, the arrows, Enter. True when the key press was used (Enter
// also when the active button could not take the focus).
bool navigationKey(HWND main, HWND defaultButton, const MSG& msg, bool shift, bool ctrl, bool alt);

}  // namespace qm
