#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "args/commandline.h"
#include "args/handoff.h"

namespace qm {
namespace {

using Texts = std::vector<std::u16string>;
const Cp932Model cp;
constexpr std::uintptr_t kWide = 0x514D5531;  // "QMU1", the dwData of the UTF-16 form

// Reads a block held in a heap buffer of exactly cbData bytes, so that AddressSanitizer
// reports a read of even one byte past it.
std::u16string read(std::uintptr_t dwData, std::string_view bytes) {
    std::unique_ptr<char[]> block(new char[bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), block.get());
    return readHandoff(dwData, block.get(), bytes.size(), cp);
}
std::u16string read(std::uintptr_t dwData, const std::vector<char>& bytes) {
    return read(dwData, std::string_view(bytes.data(), bytes.size()));
}
std::string bytesOf(const HandoffBlock& block) {
    return std::string(block.bytes.begin(), block.bytes.end());
}

TEST(HandoffText, JoinsArgumentsWithOneBar) {
    EXPECT_EQ(joinArguments({u"a", u"b"}), u"a|b");
    EXPECT_EQ(joinArguments({u"C:\\a b\\c.txt"}), u"C:\\a b\\c.txt");
    EXPECT_EQ(joinArguments({u"/t", u"x", u"/d"}), u"/t|x|/d");
    EXPECT_EQ(joinArguments({}), u"");
    // An argument holding "|" is not protected: the receiver sees two.
    EXPECT_EQ(cutArgumentText(joinArguments({u"a|b", u"c"})), (Texts{u"a", u"b", u"c"}));
}

TEST(HandoffBlock, CarriesTextsUpTo256BytesIn257Bytes) {
    const std::vector<char> ab = buildHandoffBlock("a|b");
    ASSERT_EQ(ab.size(), 257u);
    EXPECT_EQ(std::string(ab.data(), 4), std::string("a|b\0", 4));
    EXPECT_EQ(read(0, ab), u"a|b");

    const std::vector<char> empty = buildHandoffBlock("");
    ASSERT_EQ(empty.size(), 257u);
    EXPECT_EQ(empty[0], '\0');

    const std::string full(256, 'q');
    const std::vector<char> block = buildHandoffBlock(full);
    ASSERT_EQ(block.size(), 257u);
    EXPECT_EQ(std::string(block.data(), 256), full);
    EXPECT_EQ(block[256], '\0');
    EXPECT_EQ(read(0, block), std::u16string(256, u'q'));
}

TEST(HandoffBlock, CarriesLongerTextsWholeInALargerBlock) {
    for (std::size_t length : {257u, 258u, 1000u, 70000u}) {
        std::string text(length, 'x');
        text[length - 1] = 'E';
        const std::vector<char> block = buildHandoffBlock(text);
        ASSERT_EQ(block.size(), length + 1);
        EXPECT_EQ(block.back(), '\0');
        std::u16string expected(length, u'x');
        expected.back() = u'E';
        EXPECT_EQ(read(0, block), expected) << length;
    }
    // A text with a NUL in it ends there, as the receiver would read it.
    EXPECT_EQ(buildHandoffBlock(std::string(300, 'x') + std::string("\0y", 2)).size(), 301u);
}

TEST(HandoffBlock, TheCodePageFormIsReadWithinCbData) {
    EXPECT_EQ(read(0, std::string(300, 'z')), std::u16string(300, u'z'));  // no NUL at all
    EXPECT_EQ(read(0, "zzzzz"), u"zzzzz");
    EXPECT_EQ(read(0, ""), u"");
    EXPECT_EQ(readHandoff(0, nullptr, 257, cp), u"");
    EXPECT_EQ(read(0, std::string("/t|a\0b|c", 9)), u"/t|a");
    EXPECT_EQ(read(0, "/t"), u"/t");
    EXPECT_EQ(read(0, std::string("\0abc", 5)), u"");
    // A lead byte alone at the end is one character, converted as such.
    EXPECT_EQ(read(0, "a|\x83"), u"a|\u30FB");
    // Any block but an even one with the tag is of this form: an odd one with the tag too.
    EXPECT_EQ(read(kWide, "x|y"), u"x|y");
    EXPECT_EQ(read(kWide, std::string("a\0b", 3)), u"a");
    EXPECT_EQ(read(0, std::string("a\0b\0", 4)), u"a");
    EXPECT_EQ(read(kWide + 1, std::string("a\0b\0", 4)), u"a");
}

TEST(HandoffBlock, TheCodePageFormIsConvertedBeforeItIsCut) {
    // ポ = 83 7C: its trail byte is "|", yet no "|" is left of it; 表 = 95 5C, ｱ = B1.
    const std::vector<char> block = buildHandoffBlock("C:\\\x83\x7C\\\x95\x5C.txt|\x83\x7C||\xB1|a\x83|b");
    EXPECT_EQ(cutArgumentText(read(0, block)),
              (Texts{u"C:\\\u30DD\\\u8868.txt", u"\u30DD", u"", u"\uFF71", u"a\u30DDb"}));
    // A lead byte takes the "|" behind it as its trail, at the edges of the lead-byte ranges;
    // the bytes just outside them do not.
    for (const char lead : {'\x81', '\x9F', '\xE0', '\xFC'})
        EXPECT_EQ(cutArgumentText(read(0, std::string{lead, '|', 'b'})), Texts{u"\u30FBb"})
            << std::hex << (lead & 0xFF);
    for (const char single : {'\x80', '\xA0', '\xFD'})
        EXPECT_EQ(cutArgumentText(read(0, std::string{single, '|', 'b'})), (Texts{u"\u30FB", u"b"}))
            << std::hex << (single & 0xFF);
    EXPECT_EQ(cutArgumentText(read(0, "\xDF|b")), (Texts{u"\uFF9F", u"b"}));
    EXPECT_EQ(cutArgumentText(read(0, "a|\x83")), (Texts{u"a", u"\u30FB"}));
}

TEST(HandoffBlock, ANameTheCodePageHoldsTravelsInTheCodePageForm) {
    const HandoffBlock held = buildHandoff(u"/t|C:\\\u8868\\\u30DD \uFF71.txt", cp);
    EXPECT_EQ(held.tag, 0u);
    std::string expected("/t|C:\\\x95\x5C\\\x83\x7C \xB1.txt");
    expected.resize(257, '\0');
    EXPECT_EQ(bytesOf(held), expected);
    EXPECT_EQ(read(held.tag, held.bytes), u"/t|C:\\\u8868\\\u30DD \uFF71.txt");

    const HandoffBlock empty = buildHandoff(u"", cp);
    EXPECT_EQ(empty.tag, 0u);
    EXPECT_EQ(bytesOf(empty), std::string(257, '\0'));
    // The text ends at a NUL: what follows it does not choose the form.
    const HandoffBlock cut = buildHandoff(std::u16string_view(u"a\0\u00E9", 3), cp);
    EXPECT_EQ(cut.tag, 0u);
    EXPECT_EQ(bytesOf(cut), std::string("a") + std::string(256, '\0'));
}

TEST(HandoffBlock, TheUtf16FormCarriesNamesTheCodePageLacks) {
    const std::u16string name = u"caf\u00E9 \u2603 \U0001F600";
    const HandoffBlock block = buildHandoff(name, cp);
    EXPECT_EQ(block.tag, kWide);
    EXPECT_EQ(bytesOf(block), std::string("c\0a\0f\0\xE9\0 \0\x03\x26 \0\x3D\xD8\x00\xDE\0\0", 20));
    EXPECT_EQ(read(block.tag, block.bytes), name);
    // A surrogate alone goes and comes back as it is.
    const std::u16string lone{u'a', 0xD800, u'|', 0xDC00};
    const HandoffBlock loneBlock = buildHandoff(lone, cp);
    EXPECT_EQ(loneBlock.tag, kWide);
    EXPECT_EQ(read(loneBlock.tag, loneBlock.bytes), lone);
    EXPECT_EQ(bytesOf(buildHandoff(std::u16string_view(u"\u00E9\0x", 3), cp)), std::string("\xE9\0\0\0", 4));
}

TEST(HandoffBlock, TheUtf16FormIsReadUnitByUnitWithinCbData) {
    EXPECT_EQ(read(kWide, std::string("a\0b\0", 4)), u"ab");  // no NUL unit
    EXPECT_EQ(read(kWide, std::string("a\0\0\0b\0", 6)), u"a");
    EXPECT_EQ(read(kWide, std::string("\0\x26|\0", 4)), u"\u2600|");  // a 0 byte is no NUL unit
    EXPECT_EQ(read(kWide, std::string{'\0', '\xDC', 'b', '\0'}), (std::u16string{0xDC00, u'b'}));  // kept alone
    EXPECT_EQ(read(kWide, std::string("\0\0", 2)), u"");
    EXPECT_EQ(read(kWide, ""), u"");
    EXPECT_EQ(readHandoff(kWide, nullptr, 4, cp), u"");
}

// The bound: the largest block a later start sends, in each form; the longest command line
// (32,767 units) of double-byte characters, or of one the code page lacks, stays within it.
TEST(HandoffBound, IsTheLargestBlockALaterStartSends) {
    EXPECT_EQ(largestHandoffBlock(kWide, 2, 2), 65536u);  // 32,767 units and a NUL unit
    EXPECT_EQ(largestHandoffBlock(0, 2, 2), 65535u);      // two bytes a unit and a NUL
    EXPECT_EQ(largestHandoffBlock(kWide, 3, 2), 65535u);  // odd: the code page form
    EXPECT_EQ(largestHandoffBlock(0, 2, 1), 32768u);
    EXPECT_EQ(largestHandoffBlock(0, 2, 3), 98302u);  // UTF-8
    EXPECT_TRUE(handoffWithinBound(0, 257, 1) && handoffWithinBound(0, 0, 2));
    EXPECT_FALSE(handoffWithinBound(0, 65536, 2) || handoffWithinBound(kWide, 65538, 2));
    for (const char16_t c : {u'\u8868', u'\u2603'}) {
        const HandoffBlock block = buildHandoff(joinArguments(splitCommandLine(u"Q " + std::u16string(32765, c))), cp);
        EXPECT_EQ(block.bytes.size(), c == u'\u8868' ? 65531u : 65532u);
        EXPECT_TRUE(handoffWithinBound(block.tag, block.bytes.size(), cp.bytesPerUnit()));
    }
}

struct CutCase {
    std::u16string text;
    Texts pieces;
};

TEST(CutArgumentText, EveryBarEndsAPieceAndOnlyANonEmptyTailCounts) {
    const CutCase cases[] = {
        {u"x|y|z", {u"x", u"y", u"z"}},
        {u"x||y", {u"x", u"", u"y"}},
        {u"x|", {u"x"}},
        {u"|x", {u"", u"x"}},
        {u"x||", {u"x", u""}},
        {u"|", {u""}},
        {u"||", {u"", u""}},
        {u"", {}},
        {u"x", {u"x"}},
        {u"C:\\a b\\c.txt|/t", {u"C:\\a b\\c.txt", u"/t"}},
        {std::u16string(u"a|b\0|c", 6), {u"a", u"b"}},
    };
    for (const CutCase& c : cases) {
        EXPECT_EQ(cutArgumentText(c.text), c.pieces) << ::testing::PrintToString(c.text);
    }
}

TEST(CutArgumentText, CutsAtTheBarCharacterOnly) {
    // ポ (83 7C in the code page) is one character, not a "|".
    EXPECT_EQ(cutArgumentText(u"C:\\ポ\\表.txt|D:\\ソ|ポ"), (Texts{u"C:\\ポ\\表.txt", u"D:\\ソ", u"ポ"}));
    EXPECT_EQ(cutArgumentText(u"ポ||ポ|"), (Texts{u"ポ", u"", u"ポ"}));
    // Nor is a unit whose low byte is 7C, the full-width bar, or half of a surrogate pair; and
    // a surrogate takes no "|" behind it.
    EXPECT_EQ(cutArgumentText(u"\U0001F600|\u017C\uFF5C|x"), (Texts{u"\U0001F600", u"\u017C\uFF5C", u"x"}));
    EXPECT_EQ(cutArgumentText(std::u16string{0xD83D, u'|', u'x', 0xDE00, u'|'}),
              (Texts{std::u16string(1, 0xD83D), std::u16string{u'x', 0xDE00}}));
    // Exact-sized, so an over-read shows.
    const std::u16string text{u'a', u'|', 0xD83D};
    std::unique_ptr<char16_t[]> units(new char16_t[text.size()]);
    std::copy(text.begin(), text.end(), units.get());
    EXPECT_EQ(cutArgumentText(std::u16string_view(units.get(), text.size())), (Texts{u"a", std::u16string(1, 0xD83D)}));
}

// From one instance's command line to the other's run list, in either form.
TEST(Handoff, BringsEveryArgumentAcrossWhole) {
    struct Case {
        std::u16string name;
        std::uintptr_t tag;
    };
    for (const Case& c : {Case{u"C:\\My Files\\表 ポ.txt", 0}, Case{u"C:\\caf\u00E9 \u2603\\\U0001F600.txt", kWide}}) {
        const std::u16string commandLine =
            u"\"C:\\Program Files\\Quillmoor\\Quillmoor.exe\" /t \"" + c.name + u"\" D:\\表 a|b";
        const HandoffBlock block = buildHandoff(joinArguments(splitCommandLine(commandLine)), cp);
        EXPECT_EQ(block.tag, c.tag);
        EXPECT_EQ(cutArgumentText(read(block.tag, block.bytes)), (Texts{u"/t", c.name, u"D:\\表", u"a", u"b"}));
    }
}

}  // namespace
}  // namespace qm
