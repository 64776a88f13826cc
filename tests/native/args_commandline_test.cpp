#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "args/commandline.h"

namespace qm {
namespace {

using Args = std::vector<std::string>;
const Cp932Model cp;

Args split(std::string_view commandLine) { return splitCommandLine(commandLine, cp); }

// The text in a heap block of exactly its size with no NUL after it, so that AddressSanitizer
// reports a read of even one byte past the end.
Args splitExact(std::string_view commandLine) {
    std::unique_ptr<char[]> bytes(new char[commandLine.size()]);
    std::copy(commandLine.begin(), commandLine.end(), bytes.get());
    return splitCommandLine(std::string_view(bytes.get(), commandLine.size()), cp);
}

TEST(SplitCommandLine, LeavesOutTheProgramPathQuotedOrNot) {
    EXPECT_EQ(split(""), Args{});
    EXPECT_EQ(split("prog"), Args{});
    EXPECT_EQ(split("prog a b"), (Args{"a", "b"}));
    EXPECT_EQ(split("\"C:\\Program Files\\Tools\\Quillmoor.exe\""), Args{});
    EXPECT_EQ(split("\"C:\\Program Files\\Tools\\Quillmoor.exe\" a"), Args{"a"});
    EXPECT_EQ(split("\"C:\\Program Files\\Tools\\Quillmoor.exe\"  /t  x"), (Args{"/t", "x"}));
    // Without quotes the path ends at its first blank, and the rest counts as arguments.
    EXPECT_EQ(split("C:\\Program Files\\Q.exe a"), (Args{"Files\\Q.exe", "a"}));
    EXPECT_EQ(split("   prog   a   "), Args{"a"});
}

TEST(SplitCommandLine, QuotedStretchesKeepBlanksAndLoseTheirQuotes) {
    EXPECT_EQ(split("prog \"C:\\My Files\\a b.txt\" c"), (Args{"C:\\My Files\\a b.txt", "c"}));
    EXPECT_EQ(split("prog a\"b c\"d e"), (Args{"ab cd", "e"}));
    EXPECT_EQ(split("prog \"a\"\"b\""), Args{"ab"});
    EXPECT_EQ(split("prog \"\t\x01\""), Args{"\t\x01"});
    // Two quotes inside an argument add nothing.
    EXPECT_EQ(split("prog x\"\"y"), Args{"xy"});
    EXPECT_EQ(split("prog x\"\" y"), (Args{"x", "y"}));
}

TEST(SplitCommandLine, EmptyQuotesAtTheStartOfAnArgumentVanish) {
    EXPECT_EQ(split("prog \"\" x"), Args{"x"});
    EXPECT_EQ(split("prog \"\"\"\" \"\"  x"), Args{"x"});
    EXPECT_EQ(split("prog \"\"x"), Args{"x"});
    EXPECT_EQ(split("prog \"\"\" x\""), Args{" x"});
    EXPECT_EQ(split("\"\" prog x"), Args{"x"});
    // Behind the last argument they leave nothing to count.
    EXPECT_EQ(split("prog x \"\""), Args{"x"});
    EXPECT_EQ(split("prog \"\" \"\" "), Args{});
}

TEST(SplitCommandLine, EveryCodeFromOneTo32IsABlank) {
    EXPECT_EQ(split("prog\ta\tb"), (Args{"a", "b"}));
    EXPECT_EQ(split("prog a\x01" "b\x1F" "c\r\nd\x0B" "e"), (Args{"a", "b", "c", "d", "e"}));
    for (int code = 1; code <= 32; ++code) {
        const std::string blank(1, static_cast<char>(code));
        EXPECT_EQ(split("prog" + blank + "x" + blank + "y" + blank), (Args{"x", "y"})) << code;
    }
    // DEL and the bytes from 0x80 up are ordinary characters.
    EXPECT_EQ(split("prog a\x7F" "b \xA0"), (Args{"a\x7F" "b", "\xA0"}));
}

TEST(SplitCommandLine, HasNoEscapeCharacter) {
    // The backslash stays and the quote behind it still closes the stretch.
    EXPECT_EQ(split("prog \"C:\\dir\\\" x"), (Args{"C:\\dir\\", "x"}));
    EXPECT_EQ(split("prog a\\\"b c\" d"), (Args{"a\\b c", "d"}));
    EXPECT_EQ(split("prog \\\\\"x y\""), Args{"\\\\x y"});
}

TEST(SplitCommandLine, AnUnclosedQuoteRunsToTheEnd) {
    EXPECT_EQ(split("prog \"a b"), Args{"a b"});
    EXPECT_EQ(split("prog x \"y  \"z w"), (Args{"x", "y  z", "w"}));
    EXPECT_EQ(split("prog x \"y z   "), (Args{"x", "y z   "}));
    EXPECT_EQ(split("\"C:\\a b\\prog.exe x y"), Args{});
    // A lone quote at the end makes an empty argument, which ends the list.
    EXPECT_EQ(split("prog a \""), Args{"a"});
}

TEST(SplitCommandLine, OnlyBlanksOrNulGiveNoArguments) {
    EXPECT_EQ(split(" \t \r\n "), Args{});
    EXPECT_EQ(split("prog \t \x01 "), Args{});
    EXPECT_EQ(split(std::string("prog a\0b c", 10)), Args{"a"});
    EXPECT_EQ(split(std::string("\0prog a", 7)), Args{});
}

TEST(SplitCommandLine, ALoneLeadByteAtTheEndIsOneCharacterAndNothingIsReadBeyond) {
    EXPECT_EQ(splitExact("prog a\x83"), Args{"a\x83"});
    EXPECT_EQ(splitExact("prog \x83"), Args{"\x83"});
    EXPECT_EQ(splitExact("prog \"a\x83"), Args{"a\x83"});
    EXPECT_EQ(splitExact("prog\x83"), Args{});
    EXPECT_EQ(splitExact("\x83"), Args{});
    EXPECT_EQ(splitExact("prog \"\x83"), Args{"\x83"});
    EXPECT_EQ(splitExact("prog \"\""), Args{});
    EXPECT_EQ(splitExact("prog \""), Args{});
    EXPECT_EQ(splitExact("prog a "), Args{"a"});
    // A lead byte takes whatever byte follows as its trail, a quote or a blank included.
    EXPECT_EQ(splitExact("prog \"a\x83\" b"), Args{"a\x83\" b"});
    EXPECT_EQ(splitExact("prog a\x83 b"), Args{"a\x83 b"});
}

TEST(SplitCommandLine, KeepsDoubleByteCharactersWhole) {
    // 表 = 95 5C and ソ = 83 5C end in "\"; ポ = 83 7C ends in "|".
    ASSERT_EQ(std::string("表ソポ"), "\x95\x5C\x83\x5C\x83\x7C");
    EXPECT_EQ(split("\"C:\\表示\\Quillmoor.exe\" \"C:\\表\\ポスト 1.txt\" D:\\ソフト\\表.txt"),
              (Args{"C:\\表\\ポスト 1.txt", "D:\\ソフト\\表.txt"}));
    EXPECT_EQ(split("prog \"C:\\表\" x"), (Args{"C:\\表", "x"}));
    EXPECT_EQ(split("prog ポ|表"), Args{"ポ|表"});
}

TEST(SplitCommandLine, TheWideLineFollowsTheSameRuleByWholeUnits) {
    using Wide = std::vector<std::u16string>;
    // Blanks, quotes, empty quotes and the missing escape as in 8-bit text.
    EXPECT_EQ(splitCommandLine(u"\"C:\\Q\u00E9\\Quillmoor.exe\" \"\" a\tb\x01\"c \u2603\"\"\"d \\\"e f"),
              (Wide{u"a", u"b", u"c \u2603d", u"\\e f"}));
    // Only the units 1 to 32 and 0x22 mean something: not a character whose low byte is a
    // blank or a quote, nor the full-width quote, nor either half of a surrogate pair.
    EXPECT_EQ(splitCommandLine(u"p \u0120\u0122\u3022\uFF02 \u00A5\U0001F600x"),
              (Wide{u"\u0120\u0122\u3022\uFF02", u"\u00A5\U0001F600x"}));
    const char16_t lone[] = {u'p', u' ', 0xD800, u' ', 0xDC00, 0};
    EXPECT_EQ(splitCommandLine(lone), (Wide{std::u16string(1, 0xD800), std::u16string(1, 0xDC00)}));
    EXPECT_EQ(splitCommandLine(std::u16string_view(u"p a\0b", 5)), Wide{u"a"});
    EXPECT_EQ(splitCommandLine(u""), Wide{});
}

}  // namespace
}  // namespace qm
