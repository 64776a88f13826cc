// Rectangles as the layout and the window's place on the screen reckon with them, and the
// rounding that scales them. Two forms, told apart by name: Bounds, a top-left corner and a
// size (a control in its parent, the position and size the settings file keeps); Edges, the
// four edges, as the system's RECT gives a monitor, its work area or a window's frame.
#pragma once

#include <cstdint>

namespace qm {

// A rectangle by its top-left corner, its width and its height.
struct Bounds {
    int left = 0, top = 0, width = 0, height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const Bounds& o) const {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};

// A rectangle by its edges: right and bottom lie just past its last pixel.
struct Edges {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// A rectangle with a width and a height (its far edges beyond its near ones).
bool hasSize(const Edges& r);

// Multiply and divide, giving the nearest integer with a half going away from zero
// (Win32 MulDiv); -1 when dividing by 0. The 64-bit form is for factors whose product fits
// 64 bits and results that may not fit int.
std::int64_t mulDiv64(std::int64_t number, std::int64_t numerator, std::int64_t denominator);
int mulDiv(int number, int numerator, int denominator);

}  // namespace qm
