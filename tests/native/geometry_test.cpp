#include <gtest/gtest.h>

#include "ui/geometry.h"

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

}  // namespace
}  // namespace qm
