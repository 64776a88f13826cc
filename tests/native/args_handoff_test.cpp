#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "args/commandline.h"
#include "args/handoff.h"

namespace qm {
namespace {

using Texts = std::vector<std::string>;
const Cp932Model cp;

TEST(HandoffText, JoinsArgumentsWithOneBar) {
    EXPECT_EQ(joinArguments({"a", "b"}), "a|b");
    EXPECT_EQ(joinArguments({"C:\\a b\\c.txt"}), "C:\\a b\\c.txt");
    EXPECT_EQ(joinArguments({"/t", "x", "/d"}), "/t|x|/d");
    EXPECT_EQ(joinArguments({}), "");
    // An argument holding "|" is not protected: the receiver sees two.
    EXPECT_EQ(cutArgumentText(joinArguments({"a|b", "c"}), cp), (Texts{"a", "b", "c"}));
}

TEST(HandoffBlock, CarriesTextsUpTo256BytesIn257Bytes) {
    const std::vector<char> ab = buildHandoffBlock(joinArguments({"a", "b"}));
    ASSERT_EQ(ab.size(), 257u);
    EXPECT_EQ(std::string(ab.data(), 4), std::string("a|b\0", 4));
    EXPECT_EQ(readHandoffBlock(ab.data(), ab.size()), "a|b");

    const std::vector<char> empty = buildHandoffBlock("");
    ASSERT_EQ(empty.size(), 257u);
    EXPECT_EQ(empty[0], '\0');

    const std::string full(256, 'q');
    const std::vector<char> block = buildHandoffBlock(full);
    ASSERT_EQ(block.size(), 257u);
    EXPECT_EQ(std::string(block.data(), 256), full);
    EXPECT_EQ(block[256], '\0');
    EXPECT_EQ(readHandoffBlock(block.data(), block.size()), full);
}

TEST(HandoffBlock, CarriesLongerTextsWholeInALargerBlock) {
    for (std::size_t length : {257u, 258u, 1000u, 70000u}) {
        std::string text(length, 'x');
        text[length - 1] = 'E';
        const std::vector<char> block = buildHandoffBlock(text);
        ASSERT_EQ(block.size(), length + 1);
        EXPECT_EQ(block.back(), '\0');
        EXPECT_EQ(readHandoffBlock(block.data(), block.size()), text) << length;
    }
    // A text with a NUL in it ends there, as the receiver would read it.
    EXPECT_EQ(buildHandoffBlock(std::string(300, 'x') + std::string("\0y", 2)).size(), 301u);
}

TEST(HandoffBlock, ReadingStaysWithinTheBlock) {
    // 300 bytes and no NUL, in a heap block of exactly that size.
    std::unique_ptr<char[]> noNul(new char[300]);
    std::fill(noNul.get(), noNul.get() + 300, 'z');
    EXPECT_EQ(readHandoffBlock(noNul.get(), 300), std::string(300, 'z'));
    EXPECT_EQ(readHandoffBlock(noNul.get(), 5), "zzzzz");

    EXPECT_EQ(readHandoffBlock(nullptr, 0), "");
    EXPECT_EQ(readHandoffBlock(nullptr, 257), "");
    EXPECT_EQ(readHandoffBlock(noNul.get(), 0), "");

    const char middle[] = "/t|a\0b|c";
    EXPECT_EQ(readHandoffBlock(middle, sizeof middle), "/t|a");
    EXPECT_EQ(readHandoffBlock(middle, 2), "/t");
    const char first[] = "\0abc";
    EXPECT_EQ(readHandoffBlock(first, sizeof first), "");
}

struct CutCase {
    std::string text;
    Texts pieces;
};

TEST(CutArgumentText, EveryBarEndsAPieceAndOnlyANonEmptyTailCounts) {
    const CutCase cases[] = {
        {"x|y|z", {"x", "y", "z"}},
        {"x||y", {"x", "", "y"}},
        {"x|", {"x"}},
        {"|x", {"", "x"}},
        {"x||", {"x", ""}},
        {"|", {""}},
        {"||", {"", ""}},
        {"", {}},
        {"x", {"x"}},
        {"C:\\a b\\c.txt|/t", {"C:\\a b\\c.txt", "/t"}},
        {std::string("a|b\0|c", 6), {"a", "b"}},
    };
    for (const CutCase& c : cases) {
        EXPECT_EQ(cutArgumentText(c.text, cp), c.pieces) << ::testing::PrintToString(c.text);
    }
}

TEST(CutArgumentText, NeverCutsADoubleByteCharacter) {
    // ポ = 83 7C: its trail byte is "|", but it is no separator.
    EXPECT_EQ(cutArgumentText("C:\\ポ\\表.txt|D:\\ソ|ポ", cp), (Texts{"C:\\ポ\\表.txt", "D:\\ソ", "ポ"}));
    EXPECT_EQ(cutArgumentText("ポ", cp), Texts{"ポ"});
    EXPECT_EQ(cutArgumentText("ポ||ポ|", cp), (Texts{"ポ", "", "ポ"}));
    // A lead byte takes the following byte, "|" included, as its trail; the edges of the
    // lead-byte ranges do, the bytes just outside them do not.
    EXPECT_EQ(cutArgumentText("a\x83|b|c", cp), (Texts{"a\x83|b", "c"}));
    for (const char lead : {'\x81', '\x9F', '\xE0', '\xFC'}) {
        const std::string text{lead, '|', 'b'};
        EXPECT_EQ(cutArgumentText(text, cp), Texts{text}) << std::hex << (lead & 0xFF);
    }
    for (const char single : {'\x80', '\xA0', '\xDF', '\xFD'}) {
        EXPECT_EQ(cutArgumentText(std::string{single, '|', 'b'}, cp), (Texts{std::string(1, single), "b"}))
            << std::hex << (single & 0xFF);
    }
    // A lone lead byte at the very end is one character; exact-sized, so an over-read shows.
    const std::string text = "a|\x83";
    std::unique_ptr<char[]> bytes(new char[text.size()]);
    std::copy(text.begin(), text.end(), bytes.get());
    EXPECT_EQ(cutArgumentText(std::string_view(bytes.get(), text.size()), cp), (Texts{"a", "\x83"}));
}

// From one instance's command line to the other's run list.
TEST(Handoff, BringsEveryArgumentAcrossWhole) {
    const std::string commandLine =
        "\"C:\\Program Files\\Quillmoor\\Quillmoor.exe\" /t \"C:\\My Files\\表 ポ.txt\" D:\\ソ a|b";
    const std::vector<char> block = buildHandoffBlock(joinArguments(splitCommandLine(commandLine, cp)));
    const Texts pieces = cutArgumentText(readHandoffBlock(block.data(), block.size()), cp);
    EXPECT_EQ(pieces, (Texts{"/t", "C:\\My Files\\表 ポ.txt", "D:\\ソ", "a", "b"}));
}

}  // namespace
}  // namespace qm
