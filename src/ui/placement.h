// Where the main window stands on the screen. The settings file keeps its position and size
// in 96-dpi units, so that a file written on any screen means the same window; where every
// monitor has 96 pixels per inch they are the screen's very pixels.
//
// Each monitor keeps its top-left corner in both measures, and from there each of its pixels
// is 96/dpi of a unit: a 2880 x 1620 monitor at 144 dpi with its corner at (1920, 0) covers
// (1920, 0)-(3840, 1080) in units, and a window on it at x = 2500 is stored at x = 1920 +
// 580 x 96/144 = 2307. A window belongs to the monitor that holds its top-left corner (as
// MonitorFromPoint decides), in pixels when it is stored and in units when it is placed again,
// and is converted about that monitor's corner by that monitor's density. A corner on no
// monitor is kept in pixels, the size converted for the nearest monitor. The monitors of
// Windows have 96 dpi or more, so no two of them cover the same units and none covers a pixel
// on no monitor: placed again, a stored window is on the same monitor at the same place and
// size, within half a unit (exact at 96 dpi, a pixel at most at 150 % and 200 %), and stored
// once more it gives the same numbers.
//
// A window opens whole: one that would not lie wholly inside the work areas of the monitors
// (past the desktop's edge, over a taskbar, on a monitor that is gone, or grown past the edge
// by a greater density than the one it was stored at) is moved onto the work area of the
// monitor it belongs to, as little as it takes.
//
// Every step works on 64-bit values and holds its results within int: any value the file can
// hold is safe.
#pragma once

#include <optional>
#include <vector>

#include "ui/geometry.h"

namespace qm {

// A monitor as the system describes it: its rectangle and its work area in screen pixels, and
// its pixels per inch (0 or less counts as 96).
struct Monitor {
    Edges area;
    Edges work;
    int dpi = 96;
};

// `value` in 96-dpi units as screen pixels: value x dpi / 96, rounded as MulDiv does (a half
// away from zero), held within int. A dpi of 0 or less counts as 96.
int toScreenPixels(int value, int dpi);
// Screen pixels as 96-dpi units: value x 96 / dpi, rounded likewise.
int toStoredUnits(int value, int dpi);

// The sizes the window may take: the least in 96-dpi units (so in pixels it grows with the
// density of the monitor it goes to), the greatest in screen pixels (0: none).
struct SizeLimits {
    int minWidth = 0, minHeight = 0, maxWidth = 0, maxHeight = 0;
};

// The window's frame on the screen for the stored position and size (96-dpi units): converted
// for the monitor it belongs to, its size held within `limits`. A window that then lies wholly
// inside the work areas of the monitors (across several of them too) stays where it was
// stored; any other is moved onto the work area of the monitor it belongs to, as little as it
// takes, keeping its size unless it is larger than that work area: then it is as large as the
// work area, but never below the least size of `limits`, and starts at the work area's
// top-left. Without a monitor the stored numbers are pixels.
Bounds placeStored(const Bounds& stored, const std::vector<Monitor>& monitors, const SizeLimits& limits);

// What the settings file keeps for the window's frame on the screen (96-dpi units): the frame
// converted for the monitor it belongs to.
Bounds storedFor(const Edges& frame, const std::vector<Monitor>& monitors);

// The window's frame when its pixels per inch change from `from` to `to`: the rectangle the
// system suggests when there is one, otherwise the present frame with its top-left kept and its
// size scaled by to/from (held within int).
Bounds frameForDpi(const std::optional<Edges>& suggested, const Edges& frame, int from, int to);

}  // namespace qm
