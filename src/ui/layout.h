// Where the main window's controls stand: their design rectangles and the resize rules,
// as pure functions of the client size (and the group box's size).
#pragma once

#include <array>
#include <cstdint>

namespace qm {

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};

// Multiply and divide, giving the nearest integer with a half going away from zero
// (Win32 MulDiv); -1 when dividing by 0. The 64-bit form is for factors whose product fits
// 64 bits and results that may not fit int.
std::int64_t mulDiv64(std::int64_t number, std::int64_t numerator, std::int64_t denominator);
int mulDiv(int number, int numerator, int denominator);

enum class Ctl { Label1, GroupBox1, Button1, Button2, Button3, ListBox1, CheckBox1, CheckBox2, Button6, ComboBox1 };
inline constexpr int kControlCount = 10;

// Which parent edges a control keeps its distance to.
enum Anchor : unsigned { kLeft = 1, kTop = 2, kRight = 4, kBottom = 8 };

struct ControlDesign {
    Ctl id;
    bool inGroup;  // placed in GroupBox1's client area (its whole size), not the window's
    Rect rect;     // design position and size in its parent
    unsigned anchors;
    int minWidth;  // 0: none
};

// The window's design position and size, where it stands until the settings place it, and
// its smallest frame, in 96-dpi units.
inline constexpr int kDesignLeft = 884, kDesignTop = 111, kDesignWidth = 340, kDesignHeight = 300;
inline constexpr int kMinWidth = 300, kMinHeight = 200;

// The design, scaled by num/den (the measured height of "0" over the design's 12).
struct Design {
    std::array<ControlDesign, kControlCount> controls;
    int clientWidth, clientHeight;  // 332 x 273 at design
    int groupWidth, groupHeight;    // 315 x 224 at design
    int labelFontHeight;            // -13 at design
};
Design scaledDesign(int num, int den);

// Gives a control that is sized to its content (Label1 to its text) that size, its left and
// top kept; the resize rules then carry the new size.
void sizeTo(Design& design, Ctl control, int width, int height);

using Layout = std::array<Rect, kControlCount>;

// Every control's rectangle (relative to its parent) for the window's client size.
Layout layoutFor(const Design& design, int clientWidth, int clientHeight);

inline const Rect& at(const Layout& l, Ctl c) { return l[static_cast<int>(c)]; }
inline Rect& at(Layout& l, Ctl c) { return l[static_cast<int>(c)]; }

}  // namespace qm
