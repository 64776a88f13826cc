// The file dialog's texts: its filter and the splitting of its result into full paths,
// with code page 932 folders whose last byte is 0x5C.
#include <gtest/gtest.h>

#include "../shared/ansi_stand_in.h"
#include <memory>
#include <string>
#include <vector>

#include "runlist/dialog_result.h"
#include "text/codepage.h"
#include "text/texts.h"

namespace qm {
namespace {

const Cp932Model cp;
using Paths = std::vector<std::string>;

// The literal's bytes with its embedded NULs, without the terminator.
template <std::size_t N>
std::string bytes(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

// Splits a result held in a buffer of exactly its own size, so that AddressSanitizer sees
// every read past it.
Paths split(const std::string& result) {
    std::unique_ptr<char[]> exact(new char[result.size()]);
    std::copy(result.begin(), result.end(), exact.get());
    return splitDialogResult(exact.get(), result.size(), cp);
}

TEST(DialogFilter, TurnsBarsIntoNulsAndEndsWithTwo) {
    const std::string f = dialogFilter(texts::kOpenFilter, cp);
    EXPECT_EQ(f, std::string("全てのファイル") + '\0' + "*.*" + '\0');
    // A trail byte 0x7C ("ポ" = 83 7C) is no "|".
    EXPECT_EQ(dialogFilter("ポ|*.txt|a|b", cp), bytes("ポ\0*.txt\0a\0b\0"));
    EXPECT_EQ(dialogFilter("", cp), std::string(1, '\0'));
}

TEST(DialogResult, OneChosenFileIsTheFirstPieceAlone) {
    EXPECT_EQ(split(bytes("C:\\dir\\a.txt\0\0")), Paths{"C:\\dir\\a.txt"});
    // A file named like a full path piece is still one path.
    EXPECT_EQ(split(bytes("C:\\表\0\0")), Paths{"C:\\表"});
}

TEST(DialogResult, SeveralFilesGetOneBackslashBetweenFolderAndName) {
    EXPECT_EQ(split(bytes("C:\\dir\0a\0b c\0d.txt\0\0")),
              (Paths{"C:\\dir\\a", "C:\\dir\\b c", "C:\\dir\\d.txt"}));
    // A drive root already ends in "\".
    EXPECT_EQ(split(bytes("C:\\\0a\0b\0\0")), (Paths{"C:\\a", "C:\\b"}));
    EXPECT_EQ(split(bytes("\\\\srv\\share\\\0x\0\0")), Paths{"\\\\srv\\share\\x"});
}

TEST(DialogResult, ADoubleByteLastCharacterIsNeverABackslash) {
    // 表 = 95 5C and ソ = 83 5C end in the byte of "\", yet are whole characters.
    EXPECT_EQ(split(bytes("C:\\データ表\0a\0b\0\0")), (Paths{"C:\\データ表\\a", "C:\\データ表\\b"}));
    EXPECT_EQ(split(bytes("D:\\ソ\0x\0\0")), Paths{"D:\\ソ\\x"});
    // ... but a "\" after one is.
    EXPECT_EQ(split(bytes("D:\\ソ\\\0x\0\0")), Paths{"D:\\ソ\\x"});
    // A lone lead byte at the end is one character, not the start of "\x".
    EXPECT_EQ(split(bytes("D:\\\x95\0x\0\0")), Paths{"D:\\\x95\\x"});
}

TEST(DialogResult, NamesThatAreFullPathsAreTakenUnchanged) {
    const Paths got = split(bytes("C:\\dir\0\\\\srv\\f\0E:\\x\\y\0E:\\\0F:\\z\0E:x\\y\0a\0\0"));
    EXPECT_EQ(got, (Paths{"\\\\srv\\f", "E:\\x\\y",
                          "C:\\dir\\E:\\",  // 3 bytes: too short to count as a full path
                          "F:\\z", "C:\\dir\\E:x\\y", "C:\\dir\\a"}));
}

TEST(DialogResult, AResultCutShortGivesNothingAndIsNeverReadPast) {
    // Every piece, the final empty one included, must end with its NUL inside the buffer;
    // a dialog that cuts a selection too large for the buffer leaves a result without it.
    EXPECT_EQ(split(bytes("C:\\d\0a\0b")), Paths{});
    EXPECT_EQ(split(bytes("C:\\d\0a\0")), Paths{});
    EXPECT_EQ(split(bytes("C:\\d\0a")), Paths{});
    EXPECT_EQ(split(bytes("C:\\d\0")), Paths{});
    EXPECT_EQ(split(bytes("C:\\d")), Paths{});
    EXPECT_EQ(split(bytes("C:\\\x95")), Paths{});  // a lead byte at the very end
    EXPECT_EQ(splitDialogResult(nullptr, 0, cp), Paths{});
    // The shortest whole results.
    EXPECT_EQ(split(bytes("C:\\d\0\0")), Paths{"C:\\d"});
    EXPECT_EQ(split(bytes("\0\0")), Paths{""});
    EXPECT_EQ(split(bytes("\0a\0\0")), Paths{"\\a"});
}

TEST(DialogResult, ASelectionCutAtTheDialogsLimitGivesNothing) {
    // 65,519 bytes offered, filled to the last byte with the start of a name.
    std::vector<char> buffer(65519, 'n');
    const std::string start = std::string("C:\\many") + '\0' + "a.txt" + '\0';
    std::copy(start.begin(), start.end(), buffer.begin());
    EXPECT_EQ(splitDialogResult(buffer.data(), buffer.size(), cp), Paths{});
    buffer.back() = '\0';  // ... whereas a name ending there still lacks the empty piece
    EXPECT_EQ(splitDialogResult(buffer.data(), buffer.size(), cp), Paths{});
    buffer[buffer.size() - 2] = '\0';
    EXPECT_EQ(splitDialogResult(buffer.data(), buffer.size(), cp).size(), 2u);
}

TEST(DialogResult, TheFullBufferOfTheDialogSplitsInOrder) {
    // The part of the dialog's buffer offered to it: 65,519 zero bytes, the result at its start.
    std::vector<char> buffer(65519, '\0');
    std::string result = "C:\\表";
    for (int i = 0; i < 3000; ++i) result += '\0' + std::to_string(i) + ".txt";
    std::copy(result.begin(), result.end(), buffer.begin());
    const Paths got = splitDialogResult(buffer.data(), buffer.size(), cp);
    ASSERT_EQ(got.size(), 3000u);
    EXPECT_EQ(got.front(), "C:\\表\\0.txt");
    EXPECT_EQ(got.back(), "C:\\表\\2999.txt");
}

TEST(DialogRecord, FullSizeFromNt5AndFromWindowsMe) {
    EXPECT_TRUE(knowsFullDialogRecord(2, 5, 0));    // Windows 2000
    EXPECT_TRUE(knowsFullDialogRecord(2, 10, 0));
    EXPECT_FALSE(knowsFullDialogRecord(2, 4, 0));   // NT 4
    EXPECT_TRUE(knowsFullDialogRecord(1, 4, 90));   // Windows Me
    EXPECT_FALSE(knowsFullDialogRecord(1, 4, 10));  // Windows 98
    EXPECT_FALSE(knowsFullDialogRecord(0, 10, 0));  // Win32s
}

TEST(DialogPlacement, CentredAndAtOneThirdTruncatedTowardZero) {
    const Point p = dialogPlacement(0, 0, 1280, 1024, 563, 417);
    EXPECT_EQ(p.x, 358);  // 717 / 2
    EXPECT_EQ(p.y, 202);  // 607 / 3
    const Point q = dialogPlacement(-1280, 100, 1280, 1024, 600, 400);  // a monitor left of the first
    EXPECT_EQ(q.x, -1280 + 340);
    EXPECT_EQ(q.y, 100 + 208);
    // Larger than the monitor: -5 / 2 is -2 and -7 / 3 is -2, not -3.
    const Point r = dialogPlacement(0, 0, 100, 100, 105, 107);
    EXPECT_EQ(r.x, -2);
    EXPECT_EQ(r.y, -2);
}

TEST(DialogResult, WideNamesAreConvertedAndTheLimitCountsTheConvertedBytes) {
    AnsiStandIn system;
    system.files[u"C:\\\u0394"] = u"C:\\D394~1";
    system.files[u"C:\\\u0394\\caf\u00E9.txt"] = u"C:\\D394~1\\CAFE~1.TXT";
    auto convert = [&](std::u16string_view result, std::size_t limit = 65519) {
        return ansiDialogResult(result.data(), result.size(), limit, system);
    };
    using namespace std::string_view_literals;
    // One file: its whole path by the rule.
    EXPECT_EQ(split(convert(u"C:\\\u0394\\caf\u00E9.txt\0\0"sv)), Paths{"C:\\D394~1\\CAFE~1.TXT"});
    // Several: the folder by the rule; a held name as it is, another as its converted full
    // path, and one with no file behind it with "?".
    EXPECT_EQ(split(convert(u"C:\\\u0394\0\u8868.txt\0caf\u00E9.txt\0\u00A5.txt\0\0"sv)),
              (Paths{"C:\\D394~1\\表.txt", "C:\\D394~1\\CAFE~1.TXT", "C:\\?\\?.txt"}));
    EXPECT_EQ(split(convert(u"C:\\\0a\0D:\\\uFF02x\0\0"sv)), (Paths{"C:\\a", "D:\\?x"}));
    // A result cut short gives nothing; the limit holds for the 8-bit result with its NULs.
    EXPECT_EQ(convert(u"C:\\d\0a\0"sv), "");
    EXPECT_EQ(convert(u"C:\\d\0\u8868\0\0"sv, 9), bytes("C:\\d\0表\0\0"));
    EXPECT_EQ(convert(u"C:\\d\0\u8868\0\0"sv, 8), "");
}

}  // namespace
}  // namespace qm
