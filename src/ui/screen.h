// The screen as the main window sees it: the pixels per inch of a window and of each monitor,
// the table of monitors its place is reckoned on (ui/placement.h), and a window's frame.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "ui/placement.h"

namespace qm {

// The window's pixels per inch as the system gives it (GetDpiForWindow): under per-monitor
// awareness, that of the monitor it is on, and the density the last WM_DPICHANGED named.
int windowDpi(HWND hwnd);

// Every monitor: its rectangle, its work area and its pixels per inch. The one `window` is on
// has the window's (GetDpiForWindow gives the density of the monitor where the window is); the
// others GetDpiForMonitor's, so that a start on one monitor does not load shcore.dll for it.
std::vector<Monitor> monitors(HWND window);

// From now on every window and monitor has `dpi` pixels per inch, in place of what the system
// says; 0 gives the system's answers back. Wine has one density for all, the one it started
// with: a window test stands for a monitor of another scale with this.
void assumeDensity(int dpi);

// A rectangle of the system's as its four edges.
Edges edgesOf(const RECT& r);
// The frame a WM_DPICHANGED suggests (its lParam), read without trusting the pointer: nothing
// when it cannot be read, has no size or lies on no monitor.
std::optional<Edges> suggestedFrame(LPARAM lParam);
// A window's frame as it stands (GetWindowRect).
Bounds windowFrame(HWND hwnd);
// A window's frame; while minimized, the frame it is restored to, in screen coordinates.
Edges restoredFrame(HWND hwnd);

}  // namespace qm
