// The window's own focus navigation and default-button handling (the main window is no
// dialog, so nothing of the system's dialog manager is used): Tab over the tab order,
// arrows within a container, Enter pressing the active push button, and the default-button
// frame following the active push button.
#pragma once

#include <windows.h>

namespace qm {

// Whether `control` wants the key of `msg` for itself (WM_GETDLGCODE): Tab, the arrows,
// or every key (as the opened drop-down list does for Enter and Escape).
bool controlClaims(HWND control, const MSG& msg);

// Whether `w` can take the focus: visible, enabled, and neither a static text nor a group box.
bool canTakeFocus(HWND w);

// The control before or after `from` among the children of its parent that can take the
// focus, Tab stop or not, in tab order and wrapping; `from` itself when it is alone.
HWND nextInContainer(HWND from, bool previous);

bool isPushButton(HWND w);

// The push button Enter presses: the focused one when a push button of `main` has the
// focus, `defaultButton` otherwise.
HWND activeButton(HWND main, HWND defaultButton);

// Draws the active push button with the default-button frame and every other push button
// of `main` without it.
void showActiveButton(HWND main, HWND defaultButton);

// The navigation keys, offered after the context-menu shortcuts and the window's own
// bindings: Tab and Shift+Tab, the arrows, Enter. True when the key press was used (Enter
// also when the active button could not take the focus).
bool navigationKey(HWND main, HWND defaultButton, const MSG& msg, bool shift, bool ctrl, bool alt);

}  // namespace qm
