#include <gtest/gtest.h>

#include "ui/layout.h"

namespace qm {
namespace {

TEST(MulDiv, RoundsHalfAwayFromZero) {
    EXPECT_EQ(mulDiv(51, 275, 315), 45);             // 44.52
    EXPECT_EQ(mulDiv(1, 1, 2), 1);                   // 0.5
    EXPECT_EQ(mulDiv(-1, 1, 2), -1);                 // -0.5
    EXPECT_EQ(mulDiv(3, 1, -2), -2);                 // -1.5
    EXPECT_EQ(mulDiv(5, 2, 4), 3);                   // 2.5
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
    for (Ctl c : {Ctl::Label1, Ctl::ComboBox1, Ctl::Button6, Ctl::Button1, Ctl::Button2, Ctl::Button3, Ctl::CheckBox1,
                  Ctl::CheckBox2}) {
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
    EXPECT_EQ(at(l, Ctl::CheckBox1).width, 174);               // 161 scaled, also the minimum
}

// Captions wider than their controls: each control grows just enough, and no two controls of
// one parent come nearer each other than 2 (scaled).
Design withCaptions(int num, std::initializer_list<std::pair<Ctl, int>> widths) {
    Design d = scaledDesign(num, 12);
    for (const auto& [ctl, width] : widths) setCaptionWidth(d, ctl, width);
    return d;
}

TEST(CaptionRoom, CaptionsThatFitLeaveTheDesignAsItIs) {
    const Design d = withCaptions(
        12, {{Ctl::CheckBox1, 145}, {Ctl::CheckBox2, 105}, {Ctl::Button1, 69}, {Ctl::Button6, 20}, {Ctl::Label1, 59}});
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

}  // namespace
}  // namespace qm
