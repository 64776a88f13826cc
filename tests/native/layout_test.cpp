#include <gtest/gtest.h>

#include "ui/layout.h"

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

}  // namespace
}  // namespace qm
