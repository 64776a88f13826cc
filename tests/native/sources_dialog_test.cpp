// The file dialog's texts: its filter, and the splitting of its UTF-16 result into full
// paths.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "runlist/dialog_result.h"
#include "text/texts.h"

namespace qm {
namespace {

using Paths = std::vector<std::u16string>;

// The UTF-16 literal's units with its embedded NULs, without the terminator.
template <std::size_t N>
std::u16string units(const char16_t (&literal)[N]) {
    return std::u16string(literal, N - 1);
}

// Splits a result held in a buffer of exactly its own size, so that AddressSanitizer sees
// every read past it.
Paths split(const std::u16string& result) {
    std::unique_ptr<char16_t[]> exact(new char16_t[result.size()]);
    std::copy(result.begin(), result.end(), exact.get());
    return splitDialogResult(exact.get(), result.size());
}

TEST(DialogFilter, TurnsBarsIntoNulsAndEndsWithTwo) {
    // 全てのファイル|*.*
    EXPECT_EQ(dialogFilter(texts::kOpenFilter), units(u"\u5168\u3066\u306E\u30D5\u30A1\u30A4\u30EB\0*.*\0"));
    EXPECT_EQ(dialogFilter(u"\u30DD|*.txt|a|b"), units(u"\u30DD\0*.txt\0a\0b\0"));
    EXPECT_EQ(dialogFilter(u""), std::u16string(1, u'\0'));
}

TEST(DialogResult, OneChosenFileIsTheFirstPieceAlone) {
    EXPECT_EQ(split(units(u"C:\\dir\\a.txt\0\0")), Paths{u"C:\\dir\\a.txt"});
    // A file named like a full path piece is still one path.
    EXPECT_EQ(split(units(u"C:\\表\0\0")), Paths{u"C:\\表"});
    EXPECT_EQ(split(units(u"C:\\caf\u00E9 \U0001F600.txt\0\0")), Paths{u"C:\\caf\u00E9 \U0001F600.txt"});
}

TEST(DialogResult, SeveralFilesGetOneBackslashBetweenFolderAndName) {
    EXPECT_EQ(split(units(u"C:\\dir\0a\0b c\0d.txt\0\0")), (Paths{u"C:\\dir\\a", u"C:\\dir\\b c", u"C:\\dir\\d.txt"}));
    // A drive root already ends in "\".
    EXPECT_EQ(split(units(u"C:\\\0a\0b\0\0")), (Paths{u"C:\\a", u"C:\\b"}));
    EXPECT_EQ(split(units(u"\\\\srv\\share\\\0x\0\0")), Paths{u"\\\\srv\\share\\x"});
    // Names outside the code page are taken as they are.
    EXPECT_EQ(split(units(u"C:\\\u0394\0\u8868.txt\0caf\u00E9.txt\0\u00A5\uFF02\U0001F600\0\0")),
              (Paths{u"C:\\\u0394\\\u8868.txt", u"C:\\\u0394\\caf\u00E9.txt", u"C:\\\u0394\\\u00A5\uFF02\U0001F600"}));
}

TEST(DialogResult, OnlyABackslashEndsTheFolder) {
    // 表 = 95 5C and ソ = 83 5C end in the byte of "\" in the code page, yet are other characters.
    EXPECT_EQ(split(units(u"C:\\データ表\0a\0b\0\0")), (Paths{u"C:\\データ表\\a", u"C:\\データ表\\b"}));
    EXPECT_EQ(split(units(u"D:\\ソ\0x\0\0")), Paths{u"D:\\ソ\\x"});
    // ... but a "\" after one is.
    EXPECT_EQ(split(units(u"D:\\ソ\\\0x\0\0")), Paths{u"D:\\ソ\\x"});
    // No other unit ends it: one whose low byte is 5C, the full-width backslash, a surrogate alone.
    EXPECT_EQ(split(units(u"D:\\\u015C\0x\0\uFF3C\0\0")), (Paths{u"D:\\\u015C\\x", u"D:\\\u015C\\\uFF3C"}));
    const std::u16string lone{u'D', u':', u'\\', 0xD83D, 0, u'x', 0, 0};
    EXPECT_EQ(split(lone), (Paths{std::u16string{u'D', u':', u'\\', 0xD83D, u'\\', u'x'}}));
}

TEST(DialogResult, NamesThatAreFullPathsAreTakenUnchanged) {
    const Paths got = split(units(u"C:\\dir\0\\\\srv\\f\0E:\\x\\y\0E:\\\0F:\\z\0E:x\\y\0a\0\0"));
    EXPECT_EQ(got, (Paths{u"\\\\srv\\f", u"E:\\x\\y",
                          u"C:\\dir\\E:\\",  // 3 units: too short to count as a full path
                          u"F:\\z", u"C:\\dir\\E:x\\y", u"C:\\dir\\a"}));
}

TEST(DialogResult, AResultCutShortGivesNothingAndIsNeverReadPast) {
    // Every piece, the final empty one included, must end with its NUL inside the buffer;
    // a dialog that cuts a selection too large for the buffer leaves a result without it.
    EXPECT_EQ(split(units(u"C:\\d\0a\0b")), Paths{});
    EXPECT_EQ(split(units(u"C:\\d\0a\0")), Paths{});
    EXPECT_EQ(split(units(u"C:\\d\0a")), Paths{});
    EXPECT_EQ(split(units(u"C:\\d\0")), Paths{});
    EXPECT_EQ(split(units(u"C:\\d")), Paths{});
    EXPECT_EQ(split(std::u16string{u'C', u':', 0xD83D}), Paths{});  // a surrogate at the very end
    EXPECT_EQ(splitDialogResult(nullptr, 0), Paths{});
    // The shortest whole results.
    EXPECT_EQ(split(units(u"C:\\d\0\0")), Paths{u"C:\\d"});
    EXPECT_EQ(split(units(u"\0\0")), Paths{u""});
    EXPECT_EQ(split(units(u"\0a\0\0")), Paths{u"\\a"});
}

TEST(DialogResult, ASelectionCutAtTheDialogsLimitGivesNothing) {
    // 65,519 units offered, filled to the last one with the start of a name.
    std::vector<char16_t> buffer(65519, u'n');
    const std::u16string start = units(u"C:\\many\0a.txt\0");
    std::copy(start.begin(), start.end(), buffer.begin());
    EXPECT_EQ(splitDialogResult(buffer.data(), buffer.size()), Paths{});
    buffer.back() = u'\0';  // ... whereas a name ending there still lacks the empty piece
    EXPECT_EQ(splitDialogResult(buffer.data(), buffer.size()), Paths{});
    buffer[buffer.size() - 2] = u'\0';
    EXPECT_EQ(splitDialogResult(buffer.data(), buffer.size()).size(), 2u);
}

TEST(DialogResult, TheFullBufferOfTheDialogSplitsInOrder) {
    // The part of the dialog's buffer offered to it: 65,519 zero units, the result at its start.
    std::vector<char16_t> buffer(65519, u'\0');
    std::u16string result = u"C:\\表";
    for (int i = 0; i < 3000; ++i) {
        const std::string number = std::to_string(i);
        result += u'\0' + std::u16string(number.begin(), number.end()) + u".txt";
    }
    std::copy(result.begin(), result.end(), buffer.begin());
    const Paths got = splitDialogResult(buffer.data(), buffer.size());
    ASSERT_EQ(got.size(), 3000u);
    EXPECT_EQ(got.front(), u"C:\\表\\0.txt");
    EXPECT_EQ(got.back(), u"C:\\表\\2999.txt");
}

TEST(DialogRecord, FullSizeFromNt5AndFromWindowsMe) {
    EXPECT_TRUE(knowsFullDialogRecord(2, 5, 0));  // Windows 2000
    EXPECT_TRUE(knowsFullDialogRecord(2, 10, 0));
    EXPECT_FALSE(knowsFullDialogRecord(2, 4, 0));   // NT 4
    EXPECT_TRUE(knowsFullDialogRecord(1, 4, 90));   // Windows Me
    EXPECT_FALSE(knowsFullDialogRecord(1, 4, 10));  // Windows 98
    EXPECT_FALSE(knowsFullDialogRecord(0, 10, 0));  // Win32s
}

TEST(DialogPlacement, CentredAndAtOneThirdTruncatedTowardZero) {
    const Point p = dialogPlacement(0, 0, 1280, 1024, 563, 417);
    EXPECT_EQ(p.x, 358);                                                // 717 / 2
    EXPECT_EQ(p.y, 202);                                                // 607 / 3
    const Point q = dialogPlacement(-1280, 100, 1280, 1024, 600, 400);  // a monitor left of the first
    EXPECT_EQ(q.x, -1280 + 340);
    EXPECT_EQ(q.y, 100 + 208);
    // Larger than the monitor: -5 / 2 is -2 and -7 / 3 is -2, not -3.
    const Point r = dialogPlacement(0, 0, 100, 100, 105, 107);
    EXPECT_EQ(r.x, -2);
    EXPECT_EQ(r.y, -2);
}

}  // namespace
}  // namespace qm
