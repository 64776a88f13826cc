#include "runlist/drop_block.h"

#include <cstdint>

namespace qm {

namespace {

std::uint32_t le32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

}  // namespace

bool isWholeDropBlock(const unsigned char* data, std::size_t readable) {
    if (!data || readable < kDropHeaderSize) return false;
    const std::size_t names = le32(data);
    const std::size_t unit = le32(data + 16) != 0 ? 2 : 1;
    if (names < kDropHeaderSize || names >= readable) return false;
    // One unit at a time: a name's characters, its NUL, and at last the empty name.
    bool atNameStart = true;
    for (std::size_t pos = names; readable - pos >= unit; pos += unit) {
        const bool nul = data[pos] == 0 && (unit == 1 || data[pos + 1] == 0);
        if (nul && atNameStart) return true;
        atNameStart = nul;
    }
    return false;
}

}  // namespace qm
