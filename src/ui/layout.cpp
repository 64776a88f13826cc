#include "ui/layout.h"

#include <algorithm>

namespace qm {

namespace {

// One axis of the rule: `nearEdge` and `farEdge` say whether the control follows the parent's
// near (left or top) and far (right or bottom) edge. A control that follows both, in a parent
// that shrank by more than the control's design size, is left with no size, never less.
void placeAxis(int& pos, int& size, bool nearEdge, bool farEdge, int parentDesign, int parentNow) {
    if (nearEdge && farEdge) {
        size = std::max(0, parentNow - (parentDesign - size));
    } else if (farEdge) {
        pos = parentNow - (parentDesign - pos);
    } else if (!nearEdge) {
        const int half = size / 2;
        pos = mulDiv(pos + half, parentNow, parentDesign) - half;
    }
}

Bounds place(const ControlDesign& c, int designW, int designH, int nowW, int nowH) {
    Bounds r = c.bounds;
    placeAxis(r.left, r.width, c.anchors & kLeft, c.anchors & kRight, designW, nowW);
    placeAxis(r.top, r.height, c.anchors & kTop, c.anchors & kBottom, designH, nowH);
    r.width = std::max(r.width, c.minWidth);
    return r;
}

struct Size {
    int width, height;
};

bool sameRows(const Bounds& a, const Bounds& b) {
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
    const Bounds& r = at(l, c.id);
    Reach reach{gap, parent.width - gap};
    for (const ControlDesign& o : design.controls) {
        const Bounds& q = at(l, o.id);
        if (o.id == c.id || o.inGroup != c.inGroup || !sameRows(r, q)) continue;
        if (q.left + q.width / 2 < r.left + r.width / 2) {
            reach.left = std::max(reach.left, q.right() + gap);
        } else {
            reach.right = std::min(reach.right, q.left - gap);
        }
    }
    return reach;
}

// Makes room for a label's text: the control next right of it in its row (the one it labels)
// starts kClearance after the text, keeping its right edge. The text has room up to kClearance
// before that control's right edge, which leaves the control no width (never less), and before
// the parent's edge; a longer label is cut there. Nothing further right moves.
void pushNextRight(const Design& design, Layout& l, const ControlDesign& c, Size parent) {
    const int gap = scaled(design, kClearance);
    Bounds& r = at(l, c.id);
    Bounds* next = nullptr;
    for (const ControlDesign& o : design.controls) {
        Bounds& q = at(l, o.id);
        if (o.id == c.id || o.inGroup != c.inGroup || !sameRows(r, q) || q.left < r.left) continue;
        if (!next || q.left < next->left) next = &q;
    }
    const int reach = std::min(parent.width, next ? next->right() : parent.width) - gap;
    const int room = std::max(0, reach - r.left);
    r.width = std::min(r.width, room);
    const int start = r.left + std::min(c.captionWidth, room) + gap;
    if (!next || next->left >= start) return;
    const int right = next->right();
    next->left = std::min(start, right);
    next->width = right - next->left;
}

// Gives each caption the room it needs, where its control is narrower (ControlEntry's Grow).
void fitCaptions(const Design& design, Layout& l, Size client, Size group) {
    for (const ControlDesign& c : design.controls) {
        if (c.captionWidth <= 0 || c.grow == Grow::None) continue;
        Bounds& r = at(l, c.id);
        const Size parent = c.inGroup ? group : client;
        if (c.grow == Grow::PushesRight) {
            pushNextRight(design, l, c, parent);
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
        d.controls[i] = {e.ctl, e.inGroup, e.bounds, e.anchors, e.minWidth, e.grow, 0};
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
        c.bounds = {s(c.bounds.left), s(c.bounds.top), s(c.bounds.width), s(c.bounds.height)};
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
    Bounds& r = design.controls[static_cast<std::size_t>(indexOf(control))].bounds;
    r.width = width;
    r.height = height;
}

void setCaptionWidth(Design& design, Ctl control, int width) {
    design.controls[static_cast<std::size_t>(indexOf(control))].captionWidth = width;
}

std::u16string withoutAccessMarks(std::u16string_view caption) {
    std::u16string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && ++i == caption.size()) break;
        out += caption[i];
    }
    return out;
}

Layout layoutFor(const Design& design, int clientWidth, int clientHeight) {
    Layout out{};
    const ControlDesign& group = design.controls[static_cast<std::size_t>(indexOf(Ctl::GroupBox1))];
    const Bounds groupNow = place(group, design.clientWidth, design.clientHeight, clientWidth, clientHeight);
    for (const ControlDesign& c : design.controls) {
        at(out, c.id) = c.inGroup ? place(c, design.groupWidth, design.groupHeight, groupNow.width, groupNow.height)
                                  : place(c, design.clientWidth, design.clientHeight, clientWidth, clientHeight);
    }
    fitCaptions(design, out, {clientWidth, clientHeight}, {groupNow.width, groupNow.height});
    return out;
}

}  // namespace qm
