// The window's stored position and size (96-dpi units) and its frame on the screen, both ways,
// for tables of monitors of any density and layout; every value an int can hold, with no
// overflow on the way (UBSan).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <vector>

#include "ui/placement.h"

namespace qm {
namespace {

const int kMin = std::numeric_limits<int>::min(), kMax = std::numeric_limits<int>::max();
const SizeLimits plain{300, 200, 0, 0};
const SizeLimits bounded{300, 200, 1300, 1050};

// A monitor `w` x `h` pixels with its corner at (x, y) and a taskbar `bar` pixels high below.
Monitor monitor(int x, int y, int w, int h, int dpi, int bar = 0) {
    return {{x, y, x + w, y + h}, {x, y, x + w, y + h - bar}, dpi};
}
std::vector<Monitor> oneAt(int dpi) {
    return {monitor(0, 0, 1280, 1024, dpi)};
}
Edges edges(const Bounds& r) {
    return {r.left, r.top, r.right(), r.bottom()};
}

// A 1920 x 1080 monitor at 100 % and, on its right, a 2880 x 1620 one at 150 %.
const std::vector<Monitor> sideBySide = {monitor(0, 0, 1920, 1080, 96, 40), monitor(1920, 0, 2880, 1620, 144, 60)};
// Around a 1920 x 1080 one at 100 %: 3840 x 2160 at 200 % on its left, reaching above it, and
// 2400 x 1350 at 125 % above it.
const std::vector<Monitor> threeAround = {monitor(0, 0, 1920, 1080, 96, 40), monitor(-3840, -500, 3840, 2160, 192),
                                          monitor(0, -1350, 2400, 1350, 120)};

TEST(Placement, OneMonitorConvertsByItsDensityAndBackRoundingAsMulDivDoes) {
    EXPECT_EQ(placeStored({100, 100, 340, 300}, oneAt(144), bounded), (Bounds{150, 150, 510, 450}));
    EXPECT_EQ(placeStored({884, 111, 340, 300}, oneAt(96), plain), (Bounds{884, 111, 340, 300}));
    EXPECT_EQ(toScreenPixels(3, 120), 4);    // 3.75
    EXPECT_EQ(toScreenPixels(-3, 144), -5);  // -4.5: a half away from zero
    EXPECT_EQ(toStoredUnits(425, 120), 340);
    EXPECT_EQ(toScreenPixels(kMax, 192), kMax);  // held within int
    EXPECT_EQ(toScreenPixels(kMin, 144), kMin);
    EXPECT_EQ(toStoredUnits(kMin, 72), kMin);
    EXPECT_EQ(toScreenPixels(10, 0), 10);  // no density read: 96
    // Written back, every value of a window that was not moved is what was read.
    for (int dpi : {96, 120, 144, 192}) {
        for (int v : {0, 1, -7, 100, 333, -5000}) {
            EXPECT_EQ(toStoredUnits(toScreenPixels(v, dpi), dpi), v) << dpi << " " << v;
        }
    }
    EXPECT_EQ(storedFor({150, 150, 660, 600}, oneAt(144)), (Bounds{100, 100, 340, 300}));
    EXPECT_EQ(storedFor({kMin, kMin, kMax, kMax}, oneAt(96)), (Bounds{kMin, kMin, kMax, kMax}));  // 2^32 - 1 wide
    EXPECT_EQ(storedFor({0, 0, kMax, 10}, oneAt(192)), (Bounds{0, 0, 1073741824, 5}));
    EXPECT_EQ(storedFor({kMin, 0, kMax, 10}, oneAt(192)), (Bounds{kMin, 0, kMax, 5}));  // corner on no monitor
    // Without a monitor the numbers are pixels.
    EXPECT_EQ(storedFor({150, 150, 660, 600}, {}), (Bounds{150, 150, 510, 450}));
    EXPECT_EQ(placeStored({-5000, 0, 340, 300}, {}, bounded), (Bounds{-5000, 0, 340, 300}));
}

TEST(Placement, SizeStaysWithinTheLimitsTheLeastScaledForTheMonitor) {
    EXPECT_EQ(placeStored({10, 10, 100, 50}, oneAt(144), bounded), (Bounds{15, 15, 450, 300}));
    EXPECT_EQ(placeStored({10, 10, -9, kMin}, oneAt(96), plain), (Bounds{10, 10, 300, 200}));
    EXPECT_EQ(placeStored({10, 10, 5000, 5000}, {monitor(0, 0, 1920, 1200, 144)}, bounded),
              (Bounds{15, 15, 1300, 1050}));
    // The least wins over a smaller greatest.
    EXPECT_EQ(placeStored({0, 0, 10, 10}, oneAt(96), {300, 200, 100, 100}), (Bounds{0, 0, 300, 200}));
    // On each monitor the least of its own density.
    EXPECT_EQ(placeStored({500, 90, 100, 100}, sideBySide, plain), (Bounds{500, 90, 300, 200}));
    EXPECT_EQ(placeStored({2320, 60, 100, 100}, sideBySide, plain), (Bounds{2520, 90, 450, 300}));
}

TEST(Placement, AWindowWhollyInsideTheWorkAreasStaysWhereItWasStored) {
    const std::vector<Monitor> two = {monitor(0, 0, 1280, 1024, 96), monitor(-1920, -200, 1920, 1080, 96)};
    EXPECT_EQ(placeStored({-1800, 480, 400, 300}, two, plain), (Bounds{-1800, 480, 400, 300}));  // left screen
    EXPECT_EQ(placeStored({-200, 100, 400, 300}, two, plain), (Bounds{-200, 100, 400, 300}));    // across both
    EXPECT_EQ(placeStored({0, 0, 1920, 1040}, sideBySide, plain), (Bounds{0, 0, 1920, 1040}));   // all of one
    EXPECT_EQ(placeStored({880, 724, 400, 300}, two, plain), (Bounds{880, 724, 400, 300}));      // its corner
}

// Anything past the work areas' edges, however little, is moved back as far as it reached out,
// onto the work area of the monitor that holds its corner.
TEST(Placement, AWindowPartlyOutsideTheWorkAreasMovesOntoItsMonitorsAsLittleAsItTakes) {
    const std::vector<Monitor> two = {monitor(0, 0, 1280, 1024, 96), monitor(-1920, -200, 1920, 1080, 96)};
    EXPECT_EQ(placeStored({-1800, 700, 400, 300}, two, plain), (Bounds{-1800, 580, 400, 300}));  // below the left one
    EXPECT_EQ(placeStored({1279, 1023, 400, 300}, two, plain), (Bounds{880, 724, 400, 300}));    // one pixel on it
    EXPECT_EQ(placeStored({881, 724, 400, 300}, two, plain), (Bounds{880, 724, 400, 300}));      // one pixel past
    EXPECT_EQ(placeStored({-399, -299, 400, 300}, oneAt(96), plain), (Bounds{0, 0, 400, 300}));
    // Across both, its top-right in the corner neither covers: onto the left one.
    EXPECT_EQ(placeStored({-200, -100, 400, 300}, two, plain), (Bounds{-400, -100, 400, 300}));
    // Over the taskbar of the 100 % monitor, and of the 150 % one (1560 - 450).
    EXPECT_EQ(placeStored({100, 800, 400, 300}, sideBySide, plain), (Bounds{100, 740, 400, 300}));
    EXPECT_EQ(placeStored({2000, 800, 340, 300}, sideBySide, plain), (Bounds{2040, 1110, 510, 450}));
}

// The settings shipped with the tool (884, 111, 340 x 300) at 100, 125, 150 and 200 % on a
// 1280 x 1024 screen and a 1366 x 768 one with a 40-pixel taskbar. A corner beyond the
// monitor's units is taken as pixels (the top stays 111); each window that reached past the
// right edge ends there.
TEST(Placement, TheShippedSettingsOpenWholeAtEveryScale) {
    const Bounds expected[2][4] = {
        {{884, 111, 340, 300}, {855, 139, 425, 375}, {770, 111, 510, 450}, {600, 111, 680, 600}},
        {{884, 111, 340, 300}, {941, 139, 425, 375}, {856, 167, 510, 450}, {686, 111, 680, 600}}};
    const int dpis[4] = {96, 120, 144, 192};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(placeStored({884, 111, 340, 300}, {monitor(0, 0, 1280, 1024, dpis[i])}, bounded), expected[0][i]);
        EXPECT_EQ(placeStored({884, 111, 340, 300}, {monitor(0, 0, 1366, 768, dpis[i], 40)}, bounded), expected[1][i]);
    }
}

TEST(Placement, AWindowOnNoWorkAreaMovesIntoTheNearestMonitorsKeepingItsSize) {
    // An unplugged screen on the left: just inside the left edge, its top kept (in pixels: the
    // corner was on no monitor).
    EXPECT_EQ(placeStored({-5000, 100, 340, 300}, oneAt(144), bounded), (Bounds{0, 100, 510, 450}));
    // Touching the edge is not meeting it; below and right of the screen; over the taskbar.
    EXPECT_EQ(placeStored({-400, 50, 400, 300}, oneAt(96), plain), (Bounds{0, 50, 400, 300}));
    EXPECT_EQ(placeStored({3000, 3000, 400, 300}, oneAt(96), plain), (Bounds{880, 724, 400, 300}));
    EXPECT_EQ(placeStored({100, 1041, 400, 300}, sideBySide, plain), (Bounds{100, 740, 400, 300}));
    // Of two screens the nearer takes it; a monitor without a size is none.
    const std::vector<Monitor> two = {monitor(0, 0, 0, 0, 96), monitor(0, 0, 1280, 1024, 96),
                                      monitor(-1920, -200, 1920, 1080, 96)};
    EXPECT_EQ(placeStored({-2500, 300, 400, 300}, two, plain), (Bounds{-1920, 300, 400, 300}));
    EXPECT_EQ(placeStored({2000, -900, 400, 300}, two, plain), (Bounds{880, 0, 400, 300}));
    // Shrunk to the work area only where it is larger, never below the least.
    EXPECT_EQ(placeStored({5000, 5000, 1000, 240}, {monitor(0, 0, 800, 250, 96)}, plain), (Bounds{0, 10, 800, 240}));
    EXPECT_EQ(placeStored({5000, 5000, 300, 900}, {monitor(0, 0, 800, 150, 96)}, plain), (Bounds{500, 0, 300, 200}));
    // The monitor it was stored on is gone: onto the left one, at that one's density.
    EXPECT_EQ(placeStored({2320, 60, 340, 300}, {sideBySide[0]}, plain), (Bounds{1580, 60, 340, 300}));
}

TEST(Placement, ExtremeValuesNeitherOverflowNorMisplaceTheWindow) {
    for (int dpi : {96, 144, 192}) {
        SCOPED_TRACE(dpi);
        // Top at the least int: moved onto the screen, the rest kept.
        EXPECT_EQ(placeStored({100, kMin, 340, 300}, oneAt(dpi), bounded),
                  (Bounds{100, 0, toScreenPixels(340, dpi), toScreenPixels(300, dpi)}));
        // The widest width: as wide as the work area, from its left edge.
        EXPECT_EQ(placeStored({100, 100, kMax, 300}, oneAt(dpi), bounded),
                  (Bounds{0, toScreenPixels(100, dpi), 1280, toScreenPixels(300, dpi)}));
        // A size that would reach the screen only by overflowing is no size on it.
        EXPECT_EQ(placeStored({kMin, kMin, kMax, kMax}, oneAt(dpi), bounded), (Bounds{0, 0, 1280, 1024}));
        EXPECT_EQ(placeStored({kMax, kMax, kMax, kMax}, oneAt(dpi), bounded), (Bounds{0, 0, 1280, 1024}));
    }
    // Reaching over every monitor, the most of it on the one at 200 %.
    EXPECT_EQ(placeStored({kMin, kMin, kMax, kMax}, threeAround, bounded), (Bounds{-3840, -500, 1300, 1050}));
    EXPECT_EQ(storedFor({kMin, kMin, kMax, kMax}, threeAround), (Bounds{kMin, kMin, kMax, kMax}));
    // Without a greatest size and a monitor, the far edges stay within int.
    EXPECT_EQ(placeStored({kMax - 10, 100, kMax, kMax}, {}, {}), (Bounds{kMax - 10, 100, 10, kMax - 100}));
    EXPECT_EQ(placeStored({kMax, kMin, kMax, kMax}, {}, {}), (Bounds{kMax, kMin, 0, kMax}));
}

// `frame` is stored as `stored`, and `stored` placed again is `frame`.
void expectBothWays(const Bounds& frame, const Bounds& stored, const std::vector<Monitor>& layout) {
    EXPECT_EQ(storedFor(edges(frame), layout), stored);
    EXPECT_EQ(placeStored(stored, layout, plain), frame);
}

// A window closed at x = 2520 on a 150 % monitor right of a 100 % 1920-pixel one was stored
// as 1680 (2520 x 96/144) and came back on the left monitor.
TEST(PlacementAcrossMonitors, EachMonitorConvertsAboutItsOwnCornerByItsOwnDensity) {
    expectBothWays({2520, 90, 510, 450}, {2320, 60, 340, 300}, sideBySide);
    expectBothWays({500, 90, 340, 300}, {500, 90, 340, 300}, sideBySide);
    expectBothWays({-3000, 100, 680, 600}, {-3420, -200, 340, 300}, threeAround);  // 200 %, left
    expectBothWays({400, -1000, 425, 375}, {320, -1070, 340, 300}, threeAround);   // 125 %, above
    // A window across monitors belongs to the one that holds its top-left corner: here the
    // 100 % one, the 125 % one above it, and the last column of the 200 % one (whose last unit
    // rounds to the next monitor's first pixel).
    expectBothWays({1900, 100, 600, 400}, {1900, 100, 600, 400}, sideBySide);
    expectBothWays({100, -100, 600, 400}, {80, -350, 480, 320}, threeAround);
    expectBothWays({-1, 100, 600, 400}, {-1920, -200, 300, 200}, threeAround);
    // Above every monitor, none: the corner is stored in pixels, the size for the nearest
    // monitor; placed again, the window comes down onto that one's work area.
    EXPECT_EQ(storedFor({2500, -20, 3010, 430}, sideBySide), (Bounds{2500, -20, 340, 300}));
    EXPECT_EQ(placeStored({2500, -20, 340, 300}, sideBySide, plain), (Bounds{2500, 0, 510, 450}));
    // A pixel no unit names comes back within one, and is then stored as before.
    EXPECT_EQ(storedFor({2500, 100, 3011, 551}, sideBySide), (Bounds{2307, 67, 341, 301}));
    expectBothWays({2501, 101, 512, 452}, {2307, 67, 341, 301}, sideBySide);
    // Exactly at the 150 % monitor's left edge: on it, at its density.
    expectBothWays({1920, 150, 510, 450}, {1920, 100, 340, 300}, sideBySide);
    // The monitor now at 200 %: the same place on it in units, the size for its density.
    std::vector<Monitor> denser = sideBySide;
    denser[1].dpi = 192;
    EXPECT_EQ(placeStored({2320, 60, 340, 300}, denser, plain), (Bounds{2720, 120, 680, 600}));
}

// The monitor of `layout` that holds the pixel (x, y); -1 when none does.
int monitorAt(const std::vector<Monitor>& layout, int x, int y) {
    for (std::size_t i = 0; i < layout.size(); ++i) {
        const Edges& a = layout[i].area;
        if (x >= a.left && x < a.right && y >= a.top && y < a.bottom) return static_cast<int>(i);
    }
    return -1;
}

// The frame's edges lie on the work areas of `layout`: every 10th pixel of them and their last
// (no layout here has a hole that a window could span, nor a gap narrower than 10 pixels).
bool onWorkAreas(const Bounds& r, const std::vector<Monitor>& layout) {
    auto covered = [&](int x, int y) {
        for (const Monitor& m : layout) {
            if (x >= m.work.left && x < m.work.right && y >= m.work.top && y < m.work.bottom) return true;
        }
        return false;
    };
    for (int x = r.left;; x = std::min(x + 10, r.right() - 1)) {
        if (!covered(x, r.top) || !covered(x, r.bottom() - 1)) return false;
        if (x == r.right() - 1) break;
    }
    for (int y = r.top;; y = std::min(y + 10, r.bottom() - 1)) {
        if (!covered(r.left, y) || !covered(r.right() - 1, y)) return false;
        if (y == r.bottom() - 1) break;
    }
    return true;
}

// Closed anywhere wholly on the work areas of any of these layouts, across monitors too, the
// window opens within a pixel of where it was, its corner on the same monitor, and closing it
// again stores the same numbers.
TEST(PlacementAcrossMonitors, EveryWindowClosedWhollyOnTheWorkAreasOpensAgainWhereItWas) {
    const std::vector<Monitor> primaryAt150 = {monitor(0, 0, 2880, 1620, 144), monitor(2880, 200, 1920, 1080, 96),
                                               monitor(-1366, 0, 1366, 768, 120)};
    for (const std::vector<Monitor>* layout : {&sideBySide, &threeAround, &primaryAt150}) {
        int windows = 0;
        for (const Monitor& m : *layout) {
            for (int x = m.work.left - 150; x < m.work.right; x += 97) {
                for (int y = m.work.top - 150; y < m.work.bottom; y += 89) {
                    for (const Bounds frame : {Bounds{x, y, 301, 201}, Bounds{x, y, 1111, 777}}) {
                        if (!onWorkAreas(frame, *layout)) continue;
                        const Bounds stored = storedFor(edges(frame), *layout);
                        const Bounds back = placeStored(stored, *layout, {});
                        SCOPED_TRACE(::testing::Message() << x << "," << y << " " << frame.width);
                        ASSERT_EQ(monitorAt(*layout, back.left, back.top), monitorAt(*layout, frame.left, frame.top));
                        ASSERT_LE(std::abs(back.left - frame.left), 1);
                        ASSERT_LE(std::abs(back.top - frame.top), 1);
                        ASSERT_LE(std::abs(back.width - frame.width), 1);
                        ASSERT_LE(std::abs(back.height - frame.height), 1);
                        ASSERT_EQ(storedFor(edges(back), *layout), stored);
                        ++windows;
                    }
                }
            }
        }
        EXPECT_GT(windows, 300);
    }
}

}  // namespace
}  // namespace qm
