#include "ui/geometry.h"

namespace qm {

bool hasSize(const Edges& r) {
    return r.right > r.left && r.bottom > r.top;
}

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

}  // namespace qm
