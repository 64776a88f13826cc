#include "ui/layout.h"

#include <algorithm>
#include <cstdint>

namespace qm {

std::int64_t mulDiv64(std::int64_t number, std::int64_t numerator, std::int64_t denominator) {
    if (denominator == 0) return -1;
    const std::int64_t product = number * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    const std::int64_t p = product < 0 ? -product : product;
    const std::int64_t d = denominator < 0 ? -denominator : denominator;
    const std::int64_t q = (p + d / 2) / d;
    return negative ? -q : q;
}

int mulDiv(int number, int numerator, int denominator) {
    return static_cast<int>(mulDiv64(number, numerator, denominator));
}

namespace {

constexpr Design kDesign = {{{
                                {Ctl::Label1, false, {16, 243, 59, 13}, kLeft | kBottom, 0},
                                {Ctl::GroupBox1, false, {8, 9, 315, 224}, kLeft | kTop | kRight | kBottom, 0},
                                {Ctl::Button1, true, {15, 151, 73, 25}, kBottom, 0},
                                {Ctl::Button2, true, {123, 151, 73, 25}, kBottom, 0},
                                {Ctl::Button3, true, {226, 151, 73, 25}, kBottom, 0},
                                {Ctl::ListBox1, true, {8, 17, 299, 127}, kLeft | kTop | kRight | kBottom, 0},
                                {Ctl::CheckBox1, true, {24, 180, 161, 20}, kLeft | kRight | kBottom, 161},
                                {Ctl::CheckBox2, true, {24, 200, 121, 20}, kLeft | kBottom, 0},
                                {Ctl::Button6, false, {270, 238, 47, 25}, kRight | kBottom, 0},
                                {Ctl::ComboBox1, false, {80, 240, 188, 20}, kLeft | kRight | kBottom, 0},
                            }},
                            332,
                            273,
                            315,
                            224,
                            -13};

// One axis of the rule: `near`/`far` say whether the control follows the parent's near
// (left/top) and far (right/bottom) edge.
void placeAxis(int& pos, int& size, bool nearEdge, bool farEdge, int parentDesign, int parentNow) {
    if (nearEdge && farEdge) {
        size = parentNow - (parentDesign - size);
    } else if (farEdge) {
        pos = parentNow - (parentDesign - pos);
    } else if (!nearEdge) {
        const int half = size / 2;
        pos = mulDiv(pos + half, parentNow, parentDesign) - half;
    }
}

Rect place(const ControlDesign& c, int designW, int designH, int nowW, int nowH) {
    Rect r = c.rect;
    placeAxis(r.left, r.width, c.anchors & kLeft, c.anchors & kRight, designW, nowW);
    placeAxis(r.top, r.height, c.anchors & kTop, c.anchors & kBottom, designH, nowH);
    r.width = std::max(r.width, c.minWidth);
    return r;
}

}  // namespace

Design scaledDesign(int num, int den) {
    Design d = kDesign;
    if (num == den) return d;
    auto s = [&](int v) { return mulDiv(v, num, den); };
    for (ControlDesign& c : d.controls) {
        c.rect = {s(c.rect.left), s(c.rect.top), s(c.rect.width), s(c.rect.height)};
        c.minWidth = s(c.minWidth);
    }
    d.clientWidth = s(d.clientWidth);
    d.clientHeight = s(d.clientHeight);
    d.groupWidth = s(d.groupWidth);
    d.groupHeight = s(d.groupHeight);
    d.labelFontHeight = s(d.labelFontHeight);
    return d;
}

void sizeTo(Design& design, Ctl control, int width, int height) {
    Rect& r = design.controls[static_cast<int>(control)].rect;
    r.width = width;
    r.height = height;
}

Layout layoutFor(const Design& design, int clientWidth, int clientHeight) {
    Layout out{};
    const ControlDesign& group = design.controls[static_cast<int>(Ctl::GroupBox1)];
    const Rect groupNow = place(group, design.clientWidth, design.clientHeight, clientWidth, clientHeight);
    for (const ControlDesign& c : design.controls) {
        out[static_cast<int>(c.id)] =
            c.inGroup ? place(c, design.groupWidth, design.groupHeight, groupNow.width, groupNow.height)
                      : place(c, design.clientWidth, design.clientHeight, clientWidth, clientHeight);
    }
    return out;
}

}  // namespace qm
