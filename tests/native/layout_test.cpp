#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "ui/layout.h"
#include "ui/placement.h"

namespace qm {
namespace {

TEST(MulDiv, RoundsHalfAwayFromZero) {
    EXPECT_EQ(mulDiv(51, 275, 315), 45);   // 44.52
    EXPECT_EQ(mulDiv(1, 1, 2), 1);         // 0.5
    EXPECT_EQ(mulDiv(-1, 1, 2), -1);       // -0.5
    EXPECT_EQ(mulDiv(3, 1, -2), -2);       // -1.5
    EXPECT_EQ(mulDiv(5, 2, 4), 3);         // 2.5
    EXPECT_EQ(mulDiv(100000, 30000, 60000), 50000);  // no overflow in the product
    EXPECT_EQ(mulDiv(7, 3, 0), -1);
}

const Design design = scaledDesign(12, 12);

TEST(Layout, DesignClientSizeGivesEveryDesignRectangle) {
    const Layout l = layoutFor(design, 332, 273);
    for (const ControlDesign& c : design.controls) {
        EXPECT_EQ(at(l, c.id), c.rect) << static_cast<int>(c.id);
    }
}

TEST(Layout, WideGroupBoxSpreadsTheButtonsAndWidensListAndCheckBox) {
    const Layout l = layoutFor(design, 647, 273);  // group box 630 wide
    EXPECT_EQ(at(l, Ctl::GroupBox1).width, 630);
    EXPECT_EQ(at(l, Ctl::Button1), (Rect{66, 151, 73, 25}));
    EXPECT_EQ(at(l, Ctl::Button2), (Rect{282, 151, 73, 25}));
    EXPECT_EQ(at(l, Ctl::Button3), (Rect{488, 151, 73, 25}));
    EXPECT_EQ(at(l, Ctl::ListBox1).width, 614);
    EXPECT_EQ(at(l, Ctl::CheckBox1).width, 476);
    EXPECT_EQ(at(l, Ctl::CheckBox2), (Rect{24, 200, 121, 20}));
    EXPECT_EQ(at(l, Ctl::Label1), (Rect{16, 243, 59, 13}));
    EXPECT_EQ(at(l, Ctl::Button6), (Rect{585, 238, 47, 25}));
    EXPECT_EQ(at(l, Ctl::ComboBox1), (Rect{80, 240, 503, 20}));
}

TEST(Layout, NarrowGroupBoxKeepsCheckBox1AtItsMinimum) {
    const Layout l = layoutFor(design, 292, 273);  // group box 275 wide
    EXPECT_EQ(at(l, Ctl::GroupBox1).width, 275);
    EXPECT_EQ(at(l, Ctl::Button1).left, 9);
    EXPECT_EQ(at(l, Ctl::Button2).left, 103);
    EXPECT_EQ(at(l, Ctl::Button3).left, 193);
    EXPECT_EQ(at(l, Ctl::ListBox1).width, 259);
    EXPECT_EQ(at(l, Ctl::CheckBox1).width, 161);
}

TEST(Layout, TallerWindowMovesTheBottomRowDownAndGrowsTheList) {
    const Layout base = layoutFor(design, 332, 273);
    const Layout tall = layoutFor(design, 332, 373);
    for (Ctl c : {Ctl::Label1, Ctl::ComboBox1, Ctl::Button6, Ctl::Button1, Ctl::Button2, Ctl::Button3,
                  Ctl::CheckBox1, Ctl::CheckBox2}) {
        EXPECT_EQ(at(tall, c).top, at(base, c).top + 100) << static_cast<int>(c);
        EXPECT_EQ(at(tall, c).height, at(base, c).height) << static_cast<int>(c);
    }
    for (Ctl c : {Ctl::GroupBox1, Ctl::ListBox1}) {
        EXPECT_EQ(at(tall, c).top, at(base, c).top);
        EXPECT_EQ(at(tall, c).height, at(base, c).height + 100);
    }
}

TEST(Layout, LargerFontScalesTheDesignBy13Over12) {
    const Design big = scaledDesign(13, 12);
    EXPECT_EQ(big.clientWidth, 360);  // 332 * 13 / 12 = 359.67
    EXPECT_EQ(big.clientHeight, 296);
    EXPECT_EQ(big.labelFontHeight, -14);
    const Layout l = layoutFor(big, big.clientWidth, big.clientHeight);
    EXPECT_EQ(at(l, Ctl::Button6), (Rect{293, 258, 51, 27}));  // 270, 238, 47, 25 scaled
    EXPECT_EQ(at(l, Ctl::CheckBox1).width, 174);                // 161 scaled, also the minimum
}

// Captions wider than their controls: each control grows just enough, and no two controls of
// one parent come nearer each other than 2 (scaled).
Design withCaptions(int num, std::initializer_list<std::pair<Ctl, int>> widths) {
    Design d = scaledDesign(num, 12);
    for (const auto& [ctl, width] : widths) setCaptionWidth(d, ctl, width);
    return d;
}

TEST(CaptionRoom, CaptionsThatFitLeaveTheDesignAsItIs) {
    const Design d = withCaptions(12, {{Ctl::CheckBox1, 145}, {Ctl::CheckBox2, 105}, {Ctl::Button1, 69},
                                       {Ctl::Button6, 20}, {Ctl::Label1, 59}});
    const Layout l = layoutFor(d, 332, 273);
    for (const ControlDesign& c : design.controls) EXPECT_EQ(at(l, c.id), c.rect) << static_cast<int>(c.id);
}

TEST(CaptionRoom, CheckBoxGrowsRightByWhatItsBoxAndTextNeedWithinTheGroupBox) {
    // 150 of text and 16 for the box: 166, 5 more than the design's 161.
    Layout l = layoutFor(withCaptions(12, {{Ctl::CheckBox1, 150}, {Ctl::CheckBox2, 110}}), 332, 273);
    EXPECT_EQ(at(l, Ctl::CheckBox1), (Rect{24, 180, 166, 20}));
    EXPECT_EQ(at(l, Ctl::CheckBox2), (Rect{24, 200, 126, 20}));
    // Wider than the rule's width at a wide window only where the text needs it.
    l = layoutFor(withCaptions(12, {{Ctl::CheckBox1, 150}}), 647, 273);
    EXPECT_EQ(at(l, Ctl::CheckBox1).width, 476);
    // At 18/12 the box takes 24: 300 + 24.
    l = layoutFor(withCaptions(18, {{Ctl::CheckBox1, 300}}), 498, 410);
    EXPECT_EQ(at(l, Ctl::CheckBox1), (Rect{36, 270, 324, 30}));
    // Never past 2 before the group box's right edge (315 - 2).
    l = layoutFor(withCaptions(12, {{Ctl::CheckBox1, 400}}), 332, 273);
    EXPECT_EQ(at(l, Ctl::CheckBox1).left, 24);
    EXPECT_EQ(at(l, Ctl::CheckBox1).right(), 313);
}

TEST(CaptionRoom, LabelPushesTheDropDownsLeftEdgeWhichKeepsItsRightEdge) {
    Design d = withCaptions(12, {{Ctl::Label1, 65}});
    sizeTo(d, Ctl::Label1, 65, 13);
    Layout l = layoutFor(d, 332, 273);
    EXPECT_EQ(at(l, Ctl::Label1), (Rect{16, 243, 65, 13}));
    EXPECT_EQ(at(l, Ctl::ComboBox1), (Rect{83, 240, 185, 20}));  // 16 + 65 + 2; right edge 268
    EXPECT_EQ(at(l, Ctl::Button6), (Rect{270, 238, 47, 25}));
    // At 18/12 the gap is 3.
    d = withCaptions(18, {{Ctl::Label1, 100}});
    sizeTo(d, Ctl::Label1, 100, 20);
    l = layoutFor(d, 498, 410);
    EXPECT_EQ(at(l, Ctl::ComboBox1).left, 24 + 100 + 3);
    EXPECT_EQ(at(l, Ctl::ComboBox1).right(), 402);  // 120 + 282, as at design scaled
}

TEST(CaptionRoom, ButtonGrowsEvenlyAboutItsCentreAndKeepsClearOfItsNeighbours) {
    // 73 + 4 needed, 4 more: 2 on each side.
    Layout l = layoutFor(withCaptions(12, {{Ctl::Button1, 73}, {Ctl::Button2, 74}}), 332, 273);
    EXPECT_EQ(at(l, Ctl::Button1), (Rect{13, 151, 77, 25}));
    EXPECT_EQ(at(l, Ctl::Button2), (Rect{121, 151, 78, 25}));  // 5 more: 2 left, 3 right
    EXPECT_EQ(at(l, Ctl::Button3), (Rect{226, 151, 73, 25}));
    // The narrowest group box (275): Button1 stands at 9, so it takes 7 of 20 on its left and
    // the rest on its right; Button2 then stops 2 after it and grows right for the rest.
    l = layoutFor(withCaptions(12, {{Ctl::Button1, 89}, {Ctl::Button2, 89}}), 292, 273);
    EXPECT_EQ(at(l, Ctl::Button1), (Rect{2, 151, 93, 25}));
    EXPECT_EQ(at(l, Ctl::Button2), (Rect{97, 151, 93, 25}));
    EXPECT_EQ(at(l, Ctl::Button3).left, 193);
    EXPECT_GE(at(l, Ctl::Button3).left - at(l, Ctl::Button2).right(), 2);
    // No room at all on either side: as it was, the caption cut rather than overlapping.
    l = layoutFor(withCaptions(12, {{Ctl::Button1, 300}}), 292, 273);
    EXPECT_EQ(at(l, Ctl::Button1).left, 2);
    EXPECT_EQ(at(l, Ctl::Button1).right(), at(l, Ctl::Button2).left - 2);
    // Button6 keeps clear of the drop-down on its left and the window's edge on its right.
    l = layoutFor(withCaptions(12, {{Ctl::Button6, 60}}), 332, 273);
    EXPECT_EQ(at(l, Ctl::Button6), (Rect{270, 238, 60, 25}));  // 268 + 2 .. 332 - 2
}

TEST(CaptionRoom, AccessMarksAreLeftOutOfTheMeasuredText) {
    EXPECT_EQ(withoutAccessMarks("\x93\x5C\x82\xE8\x95\x74\x82\xAF(&V)"), "\x93\x5C\x82\xE8\x95\x74\x82\xAF(V)");
    EXPECT_EQ(withoutAccessMarks("A&&B&"), "A&B");
    EXPECT_EQ(withoutAccessMarks(""), "");
}

// The window's stored position and size (96-dpi units) on screens of other densities and
// monitor layouts; every value an int can hold, with no overflow on the way (UBSan).
const int kMin = std::numeric_limits<int>::min(), kMax = std::numeric_limits<int>::max();
const std::vector<Edges> oneScreen = {{0, 0, 1280, 1024}};
const SizeLimits limitsAt144{450, 300, 1300, 1050};

TEST(Placement, ConvertsByTheScreensPixelsPerInchAndBackRoundingAsMulDivDoes) {
    EXPECT_EQ(placeStored({100, 100, 340, 300}, 144, limitsAt144, oneScreen), (Rect{150, 150, 510, 450}));
    EXPECT_EQ(placeStored({884, 111, 340, 300}, 96, {300, 200, 0, 0}, oneScreen), (Rect{884, 111, 340, 300}));
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
    EXPECT_EQ(storedFor({150, 150, 660, 600}, 144), (Rect{100, 100, 340, 300}));
    EXPECT_EQ(storedFor({kMin, kMin, kMax, kMax}, 96), (Rect{kMin, kMin, kMax, kMax}));  // 2^32 - 1 wide
    EXPECT_EQ(storedFor({kMin, 0, kMax, 10}, 192), (Rect{kMin / 2, 0, kMax, 5}));
}

TEST(Placement, ADensityChangeTakesTheSuggestedFrameOrScalesThePresentOne) {
    const Edges frame{100, 50, 440, 350};  // 340 x 300
    EXPECT_EQ(frameForDpi(Edges{90, 40, 600, 490}, frame, 96, 144), (Rect{90, 40, 510, 450}));
    EXPECT_EQ(frameForDpi(std::nullopt, frame, 96, 144), (Rect{100, 50, 510, 450}));
    EXPECT_EQ(frameForDpi(std::nullopt, frame, 144, 120), (Rect{100, 50, 283, 250}));
    EXPECT_EQ(frameForDpi(std::nullopt, {0, 0, kMax, kMax}, 96, 192), (Rect{0, 0, kMax, kMax}));  // held within int
    EXPECT_TRUE(hasSize({0, 0, 1, 1}));
    EXPECT_FALSE(hasSize({0, 0, 0, 10}));
    EXPECT_FALSE(hasSize({10, 0, 5, 10}));
    EXPECT_FALSE(hasSize({0, 10, 10, 10}));
}

TEST(Placement, SizeStaysWithinTheLimits) {
    EXPECT_EQ(placeStored({10, 10, 100, 50}, 144, limitsAt144, oneScreen), (Rect{15, 15, 450, 300}));
    EXPECT_EQ(placeStored({10, 10, -9, kMin}, 96, {300, 200, 0, 0}, oneScreen), (Rect{10, 10, 300, 200}));
    EXPECT_EQ(placeStored({10, 10, 5000, 5000}, 144, limitsAt144, oneScreen), (Rect{15, 15, 1300, 1050}));
    // The minimum wins over a smaller maximum.
    EXPECT_EQ(placeStored({0, 0, 10, 10}, 96, {300, 200, 100, 100}, oneScreen), (Rect{0, 0, 300, 200}));
}

TEST(Placement, AWindowThatMeetsAWorkAreaStaysWhereItWasStored) {
    const std::vector<Edges> two = {{0, 0, 1280, 1024}, {-1920, -200, 0, 880}};
    const SizeLimits plain{300, 200, 0, 0};
    EXPECT_EQ(placeStored({-1800, 700, 400, 300}, 96, plain, two), (Rect{-1800, 700, 400, 300}));  // left screen
    EXPECT_EQ(placeStored({1279, 1023, 400, 300}, 96, plain, two), (Rect{1279, 1023, 400, 300}));  // one pixel
    EXPECT_EQ(placeStored({-399, -299, 400, 300}, 96, plain, oneScreen), (Rect{-399, -299, 400, 300}));
}

TEST(Placement, AWindowOnNoWorkAreaMovesOntoTheNearestKeepingItsSize) {
    const SizeLimits plain{300, 200, 0, 0};
    // An unplugged screen on the left: just inside the left edge, its top kept.
    EXPECT_EQ(placeStored({-5000, 100, 340, 300}, 144, limitsAt144, oneScreen), (Rect{0, 150, 510, 450}));
    // Touching the edge is not meeting it; below and right of the screen.
    EXPECT_EQ(placeStored({-400, 50, 400, 300}, 96, plain, oneScreen), (Rect{0, 50, 400, 300}));
    EXPECT_EQ(placeStored({3000, 3000, 400, 300}, 96, plain, oneScreen), (Rect{880, 724, 400, 300}));
    // Of two screens the nearer takes it, work areas that are empty are none.
    const std::vector<Edges> two = {{0, 0, 0, 0}, {0, 0, 1280, 1024}, {-1920, -200, 0, 880}};
    EXPECT_EQ(placeStored({-2500, 300, 400, 300}, 96, plain, two), (Rect{-1920, 300, 400, 300}));
    EXPECT_EQ(placeStored({2000, -900, 400, 300}, 96, plain, two), (Rect{880, 0, 400, 300}));
    // Shrunk to the work area only where it is larger, never below the minimum.
    const std::vector<Edges> small = {{0, 0, 800, 250}};
    EXPECT_EQ(placeStored({5000, 5000, 1000, 240}, 96, plain, small), (Rect{0, 10, 800, 240}));
    EXPECT_EQ(placeStored({5000, 5000, 300, 900}, 96, plain, {{0, 0, 800, 150}}), (Rect{500, 0, 300, 200}));
    // Without a work area the converted rectangle stands.
    EXPECT_EQ(placeStored({-5000, 0, 340, 300}, 144, limitsAt144, {}), (Rect{-7500, 0, 510, 450}));
}

TEST(Placement, ExtremeValuesNeitherOverflowNorMisplaceTheWindow) {
    for (int dpi : {96, 144, 192}) {
        SCOPED_TRACE(dpi);
        const SizeLimits limits{toScreenPixels(300, dpi), toScreenPixels(200, dpi), 1300, 1050};
        // Top at the least int: moved onto the screen, the rest kept.
        EXPECT_EQ(placeStored({100, kMin, 340, 300}, dpi, limits, oneScreen),
                  (Rect{toScreenPixels(100, dpi), 0, toScreenPixels(340, dpi), toScreenPixels(300, dpi)}));
        // The widest width: as wide as the system lets it be, where it was stored.
        EXPECT_EQ(placeStored({100, 100, kMax, 300}, dpi, limits, oneScreen),
                  (Rect{toScreenPixels(100, dpi), toScreenPixels(100, dpi), 1300, toScreenPixels(300, dpi)}));
        // A size that would reach the screen only by overflowing is no size on it.
        EXPECT_EQ(placeStored({kMin, kMin, kMax, kMax}, dpi, limits, oneScreen), (Rect{0, 0, 1280, 1024}));
        EXPECT_EQ(placeStored({kMax, kMax, kMax, kMax}, dpi, limits, oneScreen), (Rect{0, 0, 1280, 1024}));
    }
    // Without a maximum and a work area, the far edges stay within int.
    EXPECT_EQ(placeStored({kMax - 10, 100, kMax, kMax}, 96, {}, {}), (Rect{kMax - 10, 100, 10, kMax - 100}));
    EXPECT_EQ(placeStored({kMax, kMin, kMax, kMax}, 192, {}, {}), (Rect{kMax, kMin, 0, kMax}));
}

}  // namespace
}  // namespace qm
