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

int validDpi(int dpi) {
    return dpi > 0 ? dpi : 96;
}

// One axis of a rectangle: where it starts and how long it is.
struct Span {
    i64 start, length;
    i64 end() const { return start + length; }
};

i64 gap(const Span& s, i64 areaStart, i64 areaEnd) {
    if (s.end() <= areaStart) return areaStart - s.end();
    if (s.start >= areaEnd) return s.start - areaEnd;
    return 0;
}

bool overlaps(const Span& s, i64 areaStart, i64 areaEnd) {
    return s.start < areaEnd && s.end() > areaStart;
}

// Onto [areaStart, areaEnd): shrunk to the area only when longer (never below `minLength`),
// then moved in as little as it takes; one longer than the area starts at its start.
Span moveInto(Span s, i64 areaStart, i64 areaEnd, i64 minLength) {
    s.length = std::max(std::min(s.length, areaEnd - areaStart), minLength);
    s.start = std::max(areaStart, std::min(s.start, areaEnd - s.length));
    return s;
}

Span sizedSpan(int start, int length, int dpi, int minLength, int maxLength) {
    i64 len = std::max<i64>(toScreenPixels(length, dpi), minLength);
    if (maxLength > 0) len = std::min<i64>(len, std::max(maxLength, minLength));
    return {toScreenPixels(start, dpi), len};
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

Rect placeStored(const Rect& stored, int dpi, const SizeLimits& limits, const std::vector<Edges>& workAreas) {
    Span x = sizedSpan(stored.left, stored.width, dpi, limits.minWidth, limits.maxWidth);
    Span y = sizedSpan(stored.top, stored.height, dpi, limits.minHeight, limits.maxHeight);
    const Edges* nearest = nullptr;
    double nearestDistance = 0;
    bool meets = false;
    for (const Edges& a : workAreas) {
        if (a.right <= a.left || a.bottom <= a.top) continue;
        if (overlaps(x, a.left, a.right) && overlaps(y, a.top, a.bottom)) {
            meets = true;
            break;
        }
        // Gaps reach 2^33, their squares do not fit 64 bits; a double compares them well enough.
        const double dx = static_cast<double>(gap(x, a.left, a.right));
        const double dy = static_cast<double>(gap(y, a.top, a.bottom));
        const double distance = dx * dx + dy * dy;
        if (!nearest || distance < nearestDistance) {
            nearest = &a;
            nearestDistance = distance;
        }
    }
    if (!meets && nearest) {
        x = moveInto(x, nearest->left, nearest->right, limits.minWidth);
        y = moveInto(y, nearest->top, nearest->bottom, limits.minHeight);
    }
    return {static_cast<int>(x.start), static_cast<int>(y.start), lengthWithinInt(x), lengthWithinInt(y)};
}

bool hasSize(const Edges& r) { return r.right > r.left && r.bottom > r.top; }

Rect frameForDpi(const std::optional<Edges>& suggested, const Edges& frame, int from, int to) {
    const Edges& e = suggested ? *suggested : frame;
    const i64 width = static_cast<i64>(e.right) - e.left;
    const i64 height = static_cast<i64>(e.bottom) - e.top;
    if (suggested) return {e.left, e.top, clampToInt(width), clampToInt(height)};
    const int d = validDpi(from);
    return {e.left, e.top, clampToInt(mulDiv64(width, validDpi(to), d)), clampToInt(mulDiv64(height, validDpi(to), d))};
}

Rect storedFor(const Edges& frame, int dpi) {
    const i64 width = static_cast<i64>(frame.right) - frame.left;
    const i64 height = static_cast<i64>(frame.bottom) - frame.top;
    const int d = validDpi(dpi);
    return {toStoredUnits(frame.left, d), toStoredUnits(frame.top, d), clampToInt(mulDiv64(width, 96, d)),
            clampToInt(mulDiv64(height, 96, d))};
}

}  // namespace qm
