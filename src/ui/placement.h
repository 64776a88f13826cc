// Where the main window stands on the screen. The settings file keeps its position and size
// in 96-dpi units, the numbers a program that is not DPI-aware sees, so that a file written on
// any screen means the same window; the window converts them by the screen's pixels per inch
// when it reads them and back when it writes them. Every step works on 64-bit values and holds
// its results within int: any value the file can hold is safe.
#pragma once

#include <optional>
#include <vector>

#include "ui/layout.h"

namespace qm {

// A rectangle on the screen by its edges (a monitor's work area, the window's frame).
struct Edges {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// `value` in 96-dpi units as screen pixels: value x dpi / 96, rounded as MulDiv does (a half
// away from zero), held within int. A dpi of 0 or less counts as 96.
int toScreenPixels(int value, int dpi);
// Screen pixels as 96-dpi units: value x 96 / dpi, rounded likewise.
int toStoredUnits(int value, int dpi);

// The sizes the system lets the window take, in screen pixels; a maximum of 0 is none.
struct SizeLimits {
    int minWidth = 0, minHeight = 0, maxWidth = 0, maxHeight = 0;
};

// The window's frame on the screen for the stored position and size (96-dpi units): converted
// by `dpi`, the size held within `limits`. A window that meets no work area is moved onto the
// nearest one, keeping its size unless it is larger than that work area; one that meets a work
// area anywhere stays where it was stored. Without any work area the converted rectangle stands.
Rect placeStored(const Rect& stored, int dpi, const SizeLimits& limits, const std::vector<Edges>& workAreas);

// A rectangle with a width and a height (its far edges beyond its near ones).
bool hasSize(const Edges& r);

// The window's frame when its pixels per inch change from `from` to `to`: the rectangle the
// system suggests when there is one, otherwise the present frame with its top-left kept and its
// size scaled by to/from (held within int).
Rect frameForDpi(const std::optional<Edges>& suggested, const Edges& frame, int from, int to);

// What the settings file keeps for the window's frame on the screen (96-dpi units).
Rect storedFor(const Edges& frame, int dpi);

}  // namespace qm
