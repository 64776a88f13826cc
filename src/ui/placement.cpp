#include "ui/placement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace qm {

namespace {

using i64 = std::int64_t;

constexpr i64 kIntMin = std::numeric_limits<int>::min();
constexpr i64 kIntMax = std::numeric_limits<int>::max();

int clampToInt(i64 v) {
    return static_cast<int>(std::clamp(v, kIntMin, kIntMax));
}

// Densities beyond 100 times 96 count as none: every product below stays within 64 bits.
int validDpi(int dpi) {
    return dpi > 0 && dpi <= 9600 ? dpi : 96;
}

// One axis of a rectangle: where it starts and how long it is.
struct Span {
    i64 start, length;
    i64 end() const { return start + length; }
};

// A rectangle as its two axes.
struct Box {
    Span x, y;
};

Box boxOf(const Edges& e) {
    return {{e.left, static_cast<i64>(e.right) - e.left}, {e.top, static_cast<i64>(e.bottom) - e.top}};
}

i64 gap(i64 v, const Span& area) {
    if (v < area.start) return area.start - v;
    if (v >= area.end()) return v - area.end() + 1;
    return 0;
}

// The monitor whose area (measured by `areaOf`) holds the point (x, y), of those that have a
// size; null when none does.
const Monitor* holding(i64 x, i64 y, const std::vector<Monitor>& monitors, Box (*areaOf)(const Monitor&)) {
    for (const Monitor& m : monitors) {
        const Box a = areaOf(m);
        if (hasSize(m.area) && gap(x, a.x) == 0 && gap(y, a.y) == 0) return &m;
    }
    return nullptr;
}

// The monitor nearest to the point (x, y) in pixels, of those that have a size (as
// MonitorFromPoint decides); null when none has. Squared distances reach 2^65: doubles compare
// them well enough.
const Monitor* nearest(i64 x, i64 y, const std::vector<Monitor>& monitors) {
    const Monitor* best = nullptr;
    double bestDistance = 0;
    for (const Monitor& m : monitors) {
        if (!hasSize(m.area)) continue;
        const Box a = boxOf(m.area);
        const double dx = static_cast<double>(gap(x, a.x)), dy = static_cast<double>(gap(y, a.y));
        const double distance = dx * dx + dy * dy;
        if (!best || distance < bestDistance) {
            best = &m;
            bestDistance = distance;
        }
    }
    return best;
}

Box pixelsOf(const Monitor& m) {
    return boxOf(m.area);
}

// Where the window may stand on a monitor: its work area, or all of it when the work area has
// no size.
const Edges& workOf(const Monitor& m) {
    return hasSize(m.work) ? m.work : m.area;
}

// A monitor's pixels in 96-dpi units: from its corner to where its last pixel goes.
Box unitsOf(const Monitor& m) {
    const Box b = boxOf(m.area);
    const int dpi = validDpi(m.dpi);
    return {{b.x.start, mulDiv64(b.x.length - 1, 96, dpi) + 1}, {b.y.start, mulDiv64(b.y.length - 1, 96, dpi) + 1}};
}

// A position about `corner`, from one density to the other.
i64 convert(i64 v, i64 corner, int from, int to) {
    return corner + mulDiv64(v - corner, to, from);
}

// Onto `area`: shrunk to it only when longer (never below `minLength`), then moved in as
// little as it takes; one longer than the area starts at its start.
Span moveInto(Span s, const Span& area, i64 minLength) {
    s.length = std::max(std::min(s.length, area.length), minLength);
    s.start = std::max(area.start, std::min(s.start, area.end() - s.length));
    return s;
}

// The length within the limits at `dpi`; the least wins over a smaller greatest.
i64 limited(i64 length, int minUnits, int maxPixels, int dpi) {
    const i64 least = mulDiv64(minUnits, dpi, 96);
    if (maxPixels > 0) length = std::min<i64>(length, maxPixels);
    return std::max(length, least);
}

// Whether the rectangle lies wholly inside the work areas of the monitors from `m` to `end`,
// taken together: a window across two monitors side by side is inside; one that reaches past
// the edge of the desktop, over a taskbar or into a corner that no monitor covers is not. The
// first work area that meets the rectangle covers that part of it; what is left (up to four
// strips around it, which meet none of the work areas before it) must lie inside the work
// areas after it. An empty rectangle is inside.
bool insideWorkAreas(const Box& r, const Monitor* m, const Monitor* end) {
    if (r.x.length <= 0 || r.y.length <= 0) return true;
    for (; m != end; ++m) {
        if (!hasSize(m->area)) continue;
        const Box w = boxOf(workOf(*m));
        const i64 left = std::max(r.x.start, w.x.start), right = std::min(r.x.end(), w.x.end());
        const i64 top = std::max(r.y.start, w.y.start), bottom = std::min(r.y.end(), w.y.end());
        if (left >= right || top >= bottom) continue;
        const Box strips[] = {{r.x, {r.y.start, top - r.y.start}},
                              {r.x, {bottom, r.y.end() - bottom}},
                              {{r.x.start, left - r.x.start}, {top, bottom - top}},
                              {{right, r.x.end() - right}, {top, bottom - top}}};
        for (const Box& strip : strips) {
            if (!insideWorkAreas(strip, m + 1, end)) return false;
        }
        return true;
    }
    return false;
}

// The rectangle as the system takes it: its far edge within int.
int lengthWithinInt(const Span& s) {
    return static_cast<int>(std::min(s.length, kIntMax - s.start));
}

}  // namespace

int toScreenPixels(int value, int dpi) {
    return clampToInt(mulDiv64(value, validDpi(dpi), 96));
}

int toStoredUnits(int value, int dpi) {
    return clampToInt(mulDiv64(value, 96, validDpi(dpi)));
}

Bounds placeStored(const Bounds& stored, const std::vector<Monitor>& monitors, const SizeLimits& limits) {
    const Monitor* on = holding(stored.left, stored.top, monitors, unitsOf);
    const Monitor* home = on ? on : nearest(stored.left, stored.top, monitors);
    const int dpi = home ? validDpi(home->dpi) : 96;
    // Off every monitor the position is in pixels.
    const int from = on ? 96 : dpi;
    const i64 cornerX = home ? home->area.left : 0, cornerY = home ? home->area.top : 0;
    Span x{convert(stored.left, cornerX, from, dpi),
           limited(mulDiv64(stored.width, dpi, 96), limits.minWidth, limits.maxWidth, dpi)};
    Span y{convert(stored.top, cornerY, from, dpi),
           limited(mulDiv64(stored.height, dpi, 96), limits.minHeight, limits.maxHeight, dpi)};
    // A corner on a monitor stays on it: its last unit may round to the pixel past its edge.
    x.start = on ? std::min<i64>(x.start, on->area.right - 1) : std::clamp(x.start, kIntMin, kIntMax);
    y.start = on ? std::min<i64>(y.start, on->area.bottom - 1) : std::clamp(y.start, kIntMin, kIntMax);
    // A frame with no width or height counts as one pixel wide or high.
    const Box frame{{x.start, std::max<i64>(x.length, 1)}, {y.start, std::max<i64>(y.length, 1)}};
    if (home && !insideWorkAreas(frame, monitors.data(), monitors.data() + monitors.size())) {
        const Box w = boxOf(workOf(*home));
        x = moveInto(x, w.x, mulDiv64(limits.minWidth, dpi, 96));
        y = moveInto(y, w.y, mulDiv64(limits.minHeight, dpi, 96));
    }
    return {static_cast<int>(x.start), static_cast<int>(y.start), lengthWithinInt(x), lengthWithinInt(y)};
}

Bounds storedFor(const Edges& frame, const std::vector<Monitor>& monitors) {
    const Monitor* on = holding(frame.left, frame.top, monitors, pixelsOf);
    const Monitor* home = on ? on : nearest(frame.left, frame.top, monitors);
    const int dpi = home ? validDpi(home->dpi) : 96;
    const int to = on ? 96 : dpi;  // off every monitor the position stays in pixels
    const i64 cornerX = home ? home->area.left : 0, cornerY = home ? home->area.top : 0;
    const Box f = boxOf(frame);
    return {clampToInt(convert(frame.left, cornerX, dpi, to)), clampToInt(convert(frame.top, cornerY, dpi, to)),
            clampToInt(mulDiv64(f.x.length, 96, dpi)), clampToInt(mulDiv64(f.y.length, 96, dpi))};
}

Bounds frameForDpi(const std::optional<Edges>& suggested, const Edges& frame, int from, int to) {
    const Edges& e = suggested ? *suggested : frame;
    const i64 width = static_cast<i64>(e.right) - e.left;
    const i64 height = static_cast<i64>(e.bottom) - e.top;
    if (suggested) return {e.left, e.top, clampToInt(width), clampToInt(height)};
    const int d = validDpi(from);
    return {e.left, e.top, clampToInt(mulDiv64(width, validDpi(to), d)), clampToInt(mulDiv64(height, validDpi(to), d))};
}

}  // namespace qm
