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

struct Size {
    int width, height;
};

bool sameRows(const Rect& a, const Rect& b) {
    return a.top < b.bottom() && b.top < a.bottom();
}

// How far a control of `design` may reach to the left and to the right in its row: up to
// kClearance before the nearest other control of its parent that shares a row with it and
// stands on that side (by its centre), and before the parent's edges.
struct Reach {
    int left, right;
};
Reach reachOf(const Design& design, const Layout& l, const ControlDesign& c, Size parent) {
    const int gap = scaled(design, kClearance);
    const Rect& r = at(l, c.id);
    Reach reach{gap, parent.width - gap};
    for (const ControlDesign& o : design.controls) {
        const Rect& q = at(l, o.id);
        if (o.id == c.id || o.inGroup != c.inGroup || !sameRows(r, q)) continue;
        if (q.left + q.width / 2 < r.left + r.width / 2) {
            reach.left = std::max(reach.left, q.right() + gap);
        } else {
            reach.right = std::min(reach.right, q.left - gap);
        }
    }
    return reach;
}

// Gives each caption the room it needs, where its control is narrower (ControlEntry's Grow).
void fitCaptions(const Design& design, Layout& l, Size client, Size group) {
    for (const ControlDesign& c : design.controls) {
        if (c.captionWidth <= 0 || c.grow == Grow::None) continue;
        Rect& r = at(l, c.id);
        const Size parent = c.inGroup ? group : client;
        if (c.grow == Grow::PushesRight) {
            // The controls right of it in its row start after its text and the gap.
            const int start = r.left + c.captionWidth + scaled(design, kClearance);
            for (const ControlDesign& o : design.controls) {
                Rect& q = at(l, o.id);
                if (o.id == c.id || o.inGroup != c.inGroup || !sameRows(r, q) || q.left < r.left) continue;
                if (q.left >= start) continue;
                const int right = q.right();
                q.left = std::min(start, right);
                q.width = right - q.left;
            }
            continue;
        }
        const int need = c.grow == Grow::Right ? c.captionWidth + scaled(design, kCheckBoxRoom)
                                               : c.captionWidth + 2 * scaled(design, kButtonSideRoom);
        const int extra = need - r.width;
        if (extra <= 0) continue;
        const Reach reach = reachOf(design, l, c, parent);
        const int roomLeft = std::max(0, r.left - reach.left);
        const int roomRight = std::max(0, reach.right - r.right());
        int left = 0, right = 0;
        if (c.grow == Grow::Right) {
            right = std::min(extra, roomRight);
        } else {
            // Evenly about the centre; what one side has no room for goes to the other.
            left = std::min(extra / 2, roomLeft);
            right = std::min(extra - left, roomRight);
            left = std::min(extra - right, roomLeft);
        }
        r.left -= left;
        r.width += left + right;
    }
}

}  // namespace

Design scaledDesign(int num, int den) {
    Design d{};
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const ControlEntry& e = kControls[i];
        d.controls[i] = {e.ctl, e.inGroup, e.rect, e.anchors, e.minWidth, e.grow, 0};
    }
    d.clientWidth = 332;
    d.clientHeight = 273;
    d.groupWidth = 315;
    d.groupHeight = 224;
    d.labelFontHeight = -13;
    d.num = num;
    d.den = den;
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
    Rect& r = design.controls[static_cast<std::size_t>(indexOf(control))].rect;
    r.width = width;
    r.height = height;
}

void setCaptionWidth(Design& design, Ctl control, int width) {
    design.controls[static_cast<std::size_t>(indexOf(control))].captionWidth = width;
}

std::string withoutAccessMarks(const std::string& caption) {
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && ++i == caption.size()) break;
        out += caption[i];
    }
    return out;
}

Layout layoutFor(const Design& design, int clientWidth, int clientHeight) {
    Layout out{};
    const ControlDesign& group = design.controls[static_cast<std::size_t>(indexOf(Ctl::GroupBox1))];
    const Rect groupNow = place(group, design.clientWidth, design.clientHeight, clientWidth, clientHeight);
    for (const ControlDesign& c : design.controls) {
        at(out, c.id) = c.inGroup ? place(c, design.groupWidth, design.groupHeight, groupNow.width, groupNow.height)
                                  : place(c, design.clientWidth, design.clientHeight, clientWidth, clientHeight);
    }
    fitCaptions(design, out, {clientWidth, clientHeight}, {groupNow.width, groupNow.height});
    return out;
}

}  // namespace qm
