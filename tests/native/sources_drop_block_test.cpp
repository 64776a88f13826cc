// The check a drop handle's block passes before the system's drop functions read it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "runlist/drop_block.h"

namespace qm {
namespace {

// A drop block's header with the names' offset and the wide flag.
std::string header(std::uint32_t offset, bool wide) {
    std::string out(kDropHeaderSize, '\0');
    for (int i = 0; i < 4; ++i) out[static_cast<std::size_t>(i)] = static_cast<char>(offset >> (8 * i));
    out[16] = wide ? 1 : 0;
    return out;
}

// The header, filler up to the offset, then `names` as given.
std::string block(std::uint32_t offset, bool wide, const std::string& names) {
    std::string out = header(offset, wide);
    out.resize(std::max<std::size_t>(out.size(), offset), 'x');
    return out + names;
}

bool whole(const std::string& b) {
    return isWholeDropBlock(reinterpret_cast<const unsigned char*>(b.data()), b.size());
}

TEST(DropBlock, NamesEndedByAnEmptyOneInsideTheBlockAreWhole) {
    EXPECT_TRUE(whole(block(20, false, std::string("C:\\a\0D:\\b\0\0", 11))));
    EXPECT_TRUE(whole(block(20, false, std::string("\0", 1))));                     // no names at all
    EXPECT_TRUE(whole(block(32, false, std::string("a\0\0", 3))));                  // names further on
    EXPECT_TRUE(whole(block(20, true, std::string("a\0b\0\0\0c\0\0\0\0\0", 12))));  // "ab", "c"
    // A wide name may hold a zero byte; only a zero character ends it.
    EXPECT_TRUE(whole(block(20, true, std::string("\0\x30\0\0\0\0", 6))));
}

TEST(DropBlock, AnythingRunningOffTheEndOrPointingOutsideIsNot) {
    EXPECT_FALSE(isWholeDropBlock(nullptr, 100));
    EXPECT_FALSE(whole(std::string(19, '\0')));                                // no whole header
    EXPECT_FALSE(whole(block(20, false, "")));                                 // offset at the end
    EXPECT_FALSE(whole(block(20, false, std::string("C:\\a\0D:\\b\0", 10))));  // no empty name
    EXPECT_FALSE(whole(block(20, false, "C:\\a")));                            // name runs off
    EXPECT_FALSE(whole(block(4, false, std::string("a\0\0", 3))));             // offset in the header
    EXPECT_FALSE(whole(header(0x905A4D, false) + std::string(64, '\0')));      // far outside
    EXPECT_FALSE(whole(block(20, true, std::string("a\0\0", 3))));             // half a character
    EXPECT_FALSE(whole(block(20, true, std::string("a\0b\0\0", 5))));          // wide, unended
    // An offset beyond 32 bits' worth of the block's size cannot wrap round.
    EXPECT_FALSE(whole(header(0xFFFFFFFF, false) + std::string(8, '\0')));
}

}  // namespace
}  // namespace qm
