#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "args/commandline.h"

namespace qm {
namespace {

using Args = std::vector<std::u16string>;

// The text in a heap block of exactly its size with no NUL after it, so that AddressSanitizer
// reports a read of even one unit past the end.
Args split(std::u16string_view commandLine) {
    std::unique_ptr<char16_t[]> units(new char16_t[commandLine.size()]);
    std::copy(commandLine.begin(), commandLine.end(), units.get());
    return splitCommandLine(std::u16string_view(units.get(), commandLine.size()));
}

TEST(SplitCommandLine, LeavesOutTheProgramPathQuotedOrNot) {
    EXPECT_EQ(split(u""), Args{});
    EXPECT_EQ(split(u"prog"), Args{});
    EXPECT_EQ(split(u"prog a b"), (Args{u"a", u"b"}));
    EXPECT_EQ(split(u"\"C:\\Program Files\\Tools\\Quillmoor.exe\""), Args{});
    EXPECT_EQ(split(u"\"C:\\Program Files\\Tools\\Quillmoor.exe\" a"), Args{u"a"});
    EXPECT_EQ(split(u"\"C:\\Program Files\\Tools\\Quillmoor.exe\"  /t  x"), (Args{u"/t", u"x"}));
    EXPECT_EQ(split(u"\"C:\\Q\u00E9\\Quillmoor.exe\" a"), Args{u"a"});
    // Without quotes the path ends at its first blank, and the rest counts as arguments.
    EXPECT_EQ(split(u"C:\\Program Files\\Q.exe a"), (Args{u"Files\\Q.exe", u"a"}));
    EXPECT_EQ(split(u"   prog   a   "), Args{u"a"});
}

TEST(SplitCommandLine, QuotedStretchesKeepBlanksAndLoseTheirQuotes) {
    EXPECT_EQ(split(u"prog \"C:\\My Files\\a b.txt\" c"), (Args{u"C:\\My Files\\a b.txt", u"c"}));
    EXPECT_EQ(split(u"prog a\"b c\"d e"), (Args{u"ab cd", u"e"}));
    EXPECT_EQ(split(u"prog \"a\"\"b\""), Args{u"ab"});
    EXPECT_EQ(split(u"prog \"\t\x01\""), Args{u"\t\x01"});
    EXPECT_EQ(split(u"prog b\x01\"c \u2603\"\"\"d"), (Args{u"b", u"c \u2603d"}));
    // Two quotes inside an argument add nothing.
    EXPECT_EQ(split(u"prog x\"\"y"), Args{u"xy"});
    EXPECT_EQ(split(u"prog x\"\" y"), (Args{u"x", u"y"}));
}

TEST(SplitCommandLine, EmptyQuotesAtTheStartOfAnArgumentVanish) {
    EXPECT_EQ(split(u"prog \"\" x"), Args{u"x"});
    EXPECT_EQ(split(u"prog \"\"\"\" \"\"  x"), Args{u"x"});
    EXPECT_EQ(split(u"prog \"\"x"), Args{u"x"});
    EXPECT_EQ(split(u"prog \"\"\" x\""), Args{u" x"});
    EXPECT_EQ(split(u"\"\" prog x"), Args{u"x"});
    // Behind the last argument they leave nothing to count.
    EXPECT_EQ(split(u"prog x \"\""), Args{u"x"});
    EXPECT_EQ(split(u"prog \"\" \"\" "), Args{});
    EXPECT_EQ(split(u"prog \"\""), Args{});
}

TEST(SplitCommandLine, EveryCodeFromOneTo32IsABlank) {
    EXPECT_EQ(split(u"prog\ta\tb"), (Args{u"a", u"b"}));
    EXPECT_EQ(split(u"prog a\u0001b\u001Fc\r\nd\u000Be"), (Args{u"a", u"b", u"c", u"d", u"e"}));
    for (char16_t code = 1; code <= 32; ++code) {
        const std::u16string blank(1, code);
        EXPECT_EQ(split(u"prog" + blank + u"x" + blank + u"y" + blank), (Args{u"x", u"y"})) << static_cast<int>(code);
    }
    // DEL and the units from 0x80 up are ordinary characters.
    EXPECT_EQ(split(u"prog a\u007Fb \u00A0"), (Args{u"a\u007Fb", u"\u00A0"}));
}

TEST(SplitCommandLine, OnlyTheUnitsOneTo32AndTheQuoteMeanSomething) {
    // Not a character whose low byte is a blank or a quote, nor the full-width quote, nor either
    // half of a surrogate pair.
    EXPECT_EQ(split(u"p \u0120\u0122\u3022\uFF02 \u00A5\U0001F600x"),
              (Args{u"\u0120\u0122\u3022\uFF02", u"\u00A5\U0001F600x"}));
    // A surrogate alone takes nothing with it, a quote or a blank behind it included.
    const char16_t lone[] = {u'p', u' ', 0xD800, u' ', 0xDC00, u' ', 0xD83D, u'"', u' ', u'x', u'"', 0xD83D, 0};
    EXPECT_EQ(split(lone),
              (Args{std::u16string(1, 0xD800), std::u16string(1, 0xDC00), std::u16string{0xD83D, u' ', u'x', 0xD83D}}));
}

TEST(SplitCommandLine, HasNoEscapeCharacter) {
    // The backslash stays and the quote behind it still closes the stretch.
    EXPECT_EQ(split(u"prog \"C:\\dir\\\" x"), (Args{u"C:\\dir\\", u"x"}));
    EXPECT_EQ(split(u"prog a\\\"b c\" d"), (Args{u"a\\b c", u"d"}));
    EXPECT_EQ(split(u"prog \\\\\"x y\""), Args{u"\\\\x y"});
}

TEST(SplitCommandLine, AnUnclosedQuoteRunsToTheEnd) {
    EXPECT_EQ(split(u"prog \"a b"), Args{u"a b"});
    EXPECT_EQ(split(u"prog x \"y  \"z w"), (Args{u"x", u"y  z", u"w"}));
    EXPECT_EQ(split(u"prog x \"y z   "), (Args{u"x", u"y z   "}));
    EXPECT_EQ(split(u"\"C:\\a b\\prog.exe x y"), Args{});
    EXPECT_EQ(split(u"prog \"\U0001F600"), Args{u"\U0001F600"});
    // A lone quote at the end makes an empty argument, which ends the list.
    EXPECT_EQ(split(u"prog a \""), Args{u"a"});
    EXPECT_EQ(split(u"prog \""), Args{});
}

TEST(SplitCommandLine, OnlyBlanksOrNulGiveNoArguments) {
    EXPECT_EQ(split(u" \t \r\n "), Args{});
    EXPECT_EQ(split(u"prog \t \x01 "), Args{});
    EXPECT_EQ(split(std::u16string_view(u"prog a\0b c", 10)), Args{u"a"});
    EXPECT_EQ(split(std::u16string_view(u"\0prog a", 7)), Args{});
}

TEST(SplitCommandLine, KeepsCharactersWhoseCodePageBytesHoldABackslashOrABar) {
    // 表 = 95 5C and ソ = 83 5C end in "\"; ポ = 83 7C ends in "|".
    EXPECT_EQ(split(u"\"C:\\表示\\Quillmoor.exe\" \"C:\\表\\ポスト 1.txt\" D:\\ソフト\\表.txt"),
              (Args{u"C:\\表\\ポスト 1.txt", u"D:\\ソフト\\表.txt"}));
    EXPECT_EQ(split(u"prog \"C:\\表\" x"), (Args{u"C:\\表", u"x"}));
    EXPECT_EQ(split(u"prog ポ|表"), Args{u"ポ|表"});
}

}  // namespace
}  // namespace qm
