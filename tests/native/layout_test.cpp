#include <gtest/gtest.h>

#include <ostream>

#include "ui/layout.h"

namespace qm {

// Failures show a rectangle as its figures.
static void PrintTo(const Bounds& b, std::ostream* os) {
    *os << "{" << b.left << ", " << b.top << ", " << b.width << ", " << b.height << "}";
}

namespace {

const Design design = scaledDesign(12, 12);

const char* nameOf(Ctl c) {
    return kControls[static_cast<std::size_t>(indexOf(c))].name;
}

// Every control at the design client size 332 x 273, in its parent.
const std::pair<Ctl, Bounds> kDesignBounds[] = {
    {Ctl::Label1, {16, 243, 59, 13}},     {Ctl::GroupBox1, {8, 9, 315, 224}},   {Ctl::Button1, {15, 151, 73, 25}},
    {Ctl::Button2, {123, 151, 73, 25}},   {Ctl::Button3, {226, 151, 73, 25}},   {Ctl::ListBox1, {8, 17, 299, 127}},
    {Ctl::CheckBox1, {24, 180, 161, 20}}, {Ctl::CheckBox2, {24, 200, 121, 20}}, {Ctl::Button6, {270, 238, 47, 25}},
    {Ctl::ComboBox1, {80, 240, 188, 20}},
};

void expectDesignBounds(const Layout& l) {
    for (const auto& [ctl, bounds] : kDesignBounds) EXPECT_EQ(at(l, ctl), bounds) << nameOf(ctl);
}

// No control of `d` has a negative size, and no two controls of one parent overlap; two that
// share a row stand at least `gap` apart. (A control with no width inside another overlaps it.)
void expectApart(const Design& d, const Layout& l, int gap) {
    for (const ControlDesign& c : d.controls) {
        const Bounds& r = at(l, c.id);
        EXPECT_GE(r.width, 0) << nameOf(c.id);
        EXPECT_GE(r.height, 0) << nameOf(c.id);
        for (const ControlDesign& o : d.controls) {
            const Bounds& q = at(l, o.id);
            if (indexOf(o.id) <= indexOf(c.id) || o.inGroup != c.inGroup) continue;
            if (r.top >= q.bottom() || q.top >= r.bottom()) continue;
            EXPECT_TRUE(r.right() + gap <= q.left || q.right() + gap <= r.left)
                << nameOf(c.id) << " " << r.left << ".." << r.right() << " and " << nameOf(o.id) << " " << q.left
                << ".." << q.right();
        }
    }
}

TEST(Layout, DesignClientSizeGivesEveryDesignRectangle) {
    expectDesignBounds(layoutFor(design, 332, 273));
}

TEST(Layout, WideGroupBoxSpreadsTheButtonsAndWidensListAndCheckBox) {
    const Layout l = layoutFor(design, 647, 273);  // group box 630 wide
    EXPECT_EQ(at(l, Ctl::GroupBox1).width, 630);
    EXPECT_EQ(at(l, Ctl::Button1), (Bounds{66, 151, 73, 25}));
    EXPECT_EQ(at(l, Ctl::Button2), (Bounds{282, 151, 73, 25}));
    EXPECT_EQ(at(l, Ctl::Button3), (Bounds{488, 151, 73, 25}));
    EXPECT_EQ(at(l, Ctl::ListBox1).width, 614);
    EXPECT_EQ(at(l, Ctl::CheckBox1).width, 476);
    EXPECT_EQ(at(l, Ctl::CheckBox2), (Bounds{24, 200, 121, 20}));
    EXPECT_EQ(at(l, Ctl::Label1), (Bounds{16, 243, 59, 13}));
    EXPECT_EQ(at(l, Ctl::Button6), (Bounds{585, 238, 47, 25}));
    EXPECT_EQ(at(l, Ctl::ComboBox1), (Bounds{80, 240, 503, 20}));
}

TEST(Layout, NarrowGroupBoxKeepsCheckBox1AtItsMinimum) {
    Layout l = layoutFor(design, 292, 273);  // group box 275 wide
    EXPECT_EQ(at(l, Ctl::GroupBox1).width, 275);
    EXPECT_EQ(at(l, Ctl::Button1).left, 9);
    EXPECT_EQ(at(l, Ctl::Button2).left, 103);
    EXPECT_EQ(at(l, Ctl::Button3).left, 193);
    EXPECT_EQ(at(l, Ctl::ListBox1).width, 259);
    EXPECT_EQ(at(l, Ctl::CheckBox1).width, 161);
    // The minimum scales with the font: 161 x 18 / 12 = 241.5. The group box is 413 wide, 60
    // less than its 473 at that scale, where the rule alone would leave 242 - 60.
    l = layoutFor(scaledDesign(18, 12), 438, 410);
    EXPECT_EQ(at(l, Ctl::GroupBox1).width, 413);
    EXPECT_EQ(at(l, Ctl::CheckBox1), (Bounds{36, 270, 242, 30}));
}

TEST(Layout, AParentSmallerThanItsDesignLeavesNoControlANegativeSize) {
    // A font whose "0" is 20 pixels on a window at its 96-dpi minimum (client 292 x 173): the
    // group box is 91 high where its design is 373, the list's design 212 of it.
    const Design big = scaledDesign(20, 12);
    Layout l = layoutFor(big, 292, 173);
    EXPECT_EQ(at(l, Ctl::GroupBox1), (Bounds{13, 15, 264, 91}));
    EXPECT_EQ(at(l, Ctl::ListBox1), (Bounds{13, 28, 237, 0}));
    l = layoutFor(design, 10, 10);
    for (Ctl c : {Ctl::GroupBox1, Ctl::ListBox1}) {
        EXPECT_EQ(at(l, c).width, 0) << nameOf(c);
        EXPECT_EQ(at(l, c).height, 0) << nameOf(c);
    }
    EXPECT_EQ(at(l, Ctl::ComboBox1).width, 0);
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
    EXPECT_EQ(at(l, Ctl::Button6), (Bounds{293, 258, 51, 27}));  // 270, 238, 47, 25 scaled
    EXPECT_EQ(at(l, Ctl::CheckBox1).width, 174);                 // 161 scaled, also the minimum
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
    expectDesignBounds(layoutFor(d, 332, 273));
}

TEST(CaptionRoom, CheckBoxGrowsRightByWhatItsBoxAndTextNeedWithinTheGroupBox) {
    // 150 of text and 16 for the box: 166, 5 more than the design's 161.
    Layout l = layoutFor(withCaptions(12, {{Ctl::CheckBox1, 150}, {Ctl::CheckBox2, 110}}), 332, 273);
    EXPECT_EQ(at(l, Ctl::CheckBox1), (Bounds{24, 180, 166, 20}));
    EXPECT_EQ(at(l, Ctl::CheckBox2), (Bounds{24, 200, 126, 20}));
    // Wider than the rule's width at a wide window only where the text needs it.
    l = layoutFor(withCaptions(12, {{Ctl::CheckBox1, 150}}), 647, 273);
    EXPECT_EQ(at(l, Ctl::CheckBox1).width, 476);
    // At 18/12 the box takes 24: 300 + 24.
    l = layoutFor(withCaptions(18, {{Ctl::CheckBox1, 300}}), 498, 410);
    EXPECT_EQ(at(l, Ctl::CheckBox1), (Bounds{36, 270, 324, 30}));
    // Never past 2 before the group box's right edge (315 - 2).
    l = layoutFor(withCaptions(12, {{Ctl::CheckBox1, 400}}), 332, 273);
    EXPECT_EQ(at(l, Ctl::CheckBox1).left, 24);
    EXPECT_EQ(at(l, Ctl::CheckBox1).right(), 313);
}

TEST(CaptionRoom, LabelPushesTheDropDownsLeftEdgeWhichKeepsItsRightEdge) {
    Design d = withCaptions(12, {{Ctl::Label1, 65}});
    sizeTo(d, Ctl::Label1, 65, 13);
    Layout l = layoutFor(d, 332, 273);
    EXPECT_EQ(at(l, Ctl::Label1), (Bounds{16, 243, 65, 13}));
    EXPECT_EQ(at(l, Ctl::ComboBox1), (Bounds{83, 240, 185, 20}));  // 16 + 65 + 2; right edge 268
    EXPECT_EQ(at(l, Ctl::Button6), (Bounds{270, 238, 47, 25}));
    // At 18/12 the gap is 3.
    d = withCaptions(18, {{Ctl::Label1, 100}});
    sizeTo(d, Ctl::Label1, 100, 20);
    l = layoutFor(d, 498, 410);
    EXPECT_EQ(at(l, Ctl::ComboBox1).left, 24 + 100 + 3);
    EXPECT_EQ(at(l, Ctl::ComboBox1).right(), 402);  // 120 + 282, as at design scaled
}

// A label so long that the drop-down would have less than no width: the drop-down keeps its
// right edge with no width, the label is cut 2 before it, and the run button keeps its place.
TEST(CaptionRoom, LabelLongerThanItsRowIsCutWhereTheDropDownHasNoWidthLeft) {
    Design d = withCaptions(12, {{Ctl::Label1, 300}});
    sizeTo(d, Ctl::Label1, 300, 13);
    Layout l = layoutFor(d, 332, 273);
    EXPECT_EQ(at(l, Ctl::Label1), (Bounds{16, 243, 250, 13}));  // 268 - 2 - 16
    EXPECT_EQ(at(l, Ctl::ComboBox1), (Bounds{268, 240, 0, 20}));
    EXPECT_EQ(at(l, Ctl::Button6), (Bounds{270, 238, 47, 25}));
    expectApart(d, l, 2);
    // Long enough to take part of the drop-down, as far as leaving it nothing, at any width.
    for (int width = 150; width <= 400; width += 10) {
        SCOPED_TRACE(width);
        d = withCaptions(12, {{Ctl::Label1, width}});
        sizeTo(d, Ctl::Label1, width, 13);
        l = layoutFor(d, 332, 273);
        EXPECT_EQ(at(l, Ctl::Label1).width, std::min(width, 250));
        EXPECT_EQ(at(l, Ctl::ComboBox1).right(), 268);
        EXPECT_EQ(at(l, Ctl::Button6), (Bounds{270, 238, 47, 25}));
        expectApart(d, l, 2);
    }
}

TEST(CaptionRoom, ButtonGrowsEvenlyAboutItsCentreAndKeepsClearOfItsNeighbours) {
    // 73 + 4 needed, 4 more: 2 on each side.
    Layout l = layoutFor(withCaptions(12, {{Ctl::Button1, 73}, {Ctl::Button2, 74}}), 332, 273);
    EXPECT_EQ(at(l, Ctl::Button1), (Bounds{13, 151, 77, 25}));
    EXPECT_EQ(at(l, Ctl::Button2), (Bounds{121, 151, 78, 25}));  // 5 more: 2 left, 3 right
    EXPECT_EQ(at(l, Ctl::Button3), (Bounds{226, 151, 73, 25}));
    // The narrowest group box (275): Button1 stands at 9, so it takes 7 of 20 on its left and
    // the rest on its right; Button2 then stops 2 after it and grows right for the rest.
    l = layoutFor(withCaptions(12, {{Ctl::Button1, 89}, {Ctl::Button2, 89}}), 292, 273);
    EXPECT_EQ(at(l, Ctl::Button1), (Bounds{2, 151, 93, 25}));
    EXPECT_EQ(at(l, Ctl::Button2), (Bounds{97, 151, 93, 25}));
    EXPECT_EQ(at(l, Ctl::Button3).left, 193);
    EXPECT_GE(at(l, Ctl::Button3).left - at(l, Ctl::Button2).right(), 2);
    // Button3 there has 7 on its right (266 .. 275 - 2) and 15 on its left (after Button2's
    // 176 + 2): of 20 more it takes the 7 and the other 13 on its left.
    const Design wideButton3 = withCaptions(12, {{Ctl::Button3, 89}});
    l = layoutFor(wideButton3, 292, 273);
    EXPECT_EQ(at(l, Ctl::Button3), (Bounds{180, 151, 93, 25}));
    expectApart(wideButton3, l, 2);
    // No room at all on either side: as it was, the caption cut rather than overlapping.
    l = layoutFor(withCaptions(12, {{Ctl::Button1, 300}}), 292, 273);
    EXPECT_EQ(at(l, Ctl::Button1).left, 2);
    EXPECT_EQ(at(l, Ctl::Button1).right(), at(l, Ctl::Button2).left - 2);
    // Button6 keeps clear of the drop-down on its left and the window's edge on its right.
    l = layoutFor(withCaptions(12, {{Ctl::Button6, 60}}), 332, 273);
    EXPECT_EQ(at(l, Ctl::Button6), (Bounds{270, 238, 60, 25}));  // 268 + 2 .. 332 - 2
}

// A 10 x 10 client leaves the group box no size: the captions in it have no room, and each of
// its controls stays where the rules put it (CheckBox1 at its least width, the buttons where
// their centres fall). Button6 grows right as far as 2 before the window's edge; the label,
// with no room before the drop-down, gets no width, never less.
TEST(CaptionRoom, CaptionsInAParentWithNoRoomLeaveEveryControlAsTheRulesPutIt) {
    Design wanting = withCaptions(12, {{Ctl::CheckBox1, 300},
                                       {Ctl::CheckBox2, 300},
                                       {Ctl::Button1, 200},
                                       {Ctl::Button2, 200},
                                       {Ctl::Button3, 200},
                                       {Ctl::Button6, 200},
                                       {Ctl::Label1, 200}});
    sizeTo(wanting, Ctl::Label1, 200, 13);
    const Layout l = layoutFor(wanting, 10, 10);
    EXPECT_EQ(at(l, Ctl::CheckBox1), (Bounds{24, -44, 161, 20}));
    EXPECT_EQ(at(l, Ctl::CheckBox2), (Bounds{24, -24, 121, 20}));
    EXPECT_EQ(at(l, Ctl::Button1), (Bounds{-36, -73, 73, 25}));
    EXPECT_EQ(at(l, Ctl::Button2), (Bounds{-36, -73, 73, 25}));
    EXPECT_EQ(at(l, Ctl::Button3), (Bounds{-36, -73, 73, 25}));
    EXPECT_EQ(at(l, Ctl::Button6), (Bounds{-52, -25, 60, 25}));  // up to 2 before the edge
    EXPECT_EQ(at(l, Ctl::Label1), (Bounds{16, -20, 0, 13}));
    EXPECT_EQ(at(l, Ctl::ComboBox1), (Bounds{80, -23, 0, 20}));
}

TEST(CaptionRoom, AccessMarksAreLeftOutOfTheMeasuredText) {
    EXPECT_EQ(withoutAccessMarks(u"\u8CBC\u308A\u4ED8\u3051(&V)"), u"\u8CBC\u308A\u4ED8\u3051(V)");  // 貼り付け
    EXPECT_EQ(withoutAccessMarks(u"A&&B&"), u"A&B");
    EXPECT_EQ(withoutAccessMarks(u"&\U0001F600"), u"\U0001F600");
    EXPECT_EQ(withoutAccessMarks(u""), u"");
}

}  // namespace
}  // namespace qm
