#include <gtest/gtest.h>

#include "text/codepage.h"
#include "text/texts.h"
#include "text/textrules.h"

namespace qm {
namespace {

const Cp932Model cp;

TEST(Texts, AreStoredAsCodePage932Bytes) {
    // "実行" is 0x8E 0xC0 0x8D 0x73 in code page 932; "表" ends in 0x5C.
    EXPECT_EQ(std::string(texts::kButtonRun), "\x8E\xC0\x8D\x73");
    EXPECT_EQ(std::string("表"), "\x95\x5C");
    EXPECT_EQ(std::string(texts::kBrowseTitle).size(), 14u);
    EXPECT_EQ(std::string(texts::kFontFace), "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E");
}

TEST(CodePage, StepsOverWholeCharacters) {
    const std::string s = "a表ポ";  // 表 = 95 5C, ポ = 83 7C
    EXPECT_EQ(cp.next(s, 0), 1u);
    EXPECT_EQ(cp.next(s, 1), 3u);
    EXPECT_EQ(cp.next(s, 3), 5u);
    EXPECT_EQ(cp.next(s, 5), 5u);
    const std::string lone = "a\x95";  // a lead byte with nothing after it is one character
    EXPECT_EQ(cp.next(lone, 1), 2u);
}

TEST(ErrorBoxText, AppendsDotAfterCharactersThatSortAfterIt) {
    EXPECT_EQ(errorBoxText(texts::kErrInsertLine, cp), std::string(texts::kErrInsertLine) + ".");
    EXPECT_EQ(errorBoxText("abc", cp), "abc.");
    EXPECT_EQ(errorBoxText("abc.", cp), "abc.");
    EXPECT_EQ(errorBoxText("abc!", cp), "abc!");  // '!' sorts before '.'
    EXPECT_EQ(errorBoxText("(3)", cp), "(3)");    // ')' sorts before '.'
    EXPECT_EQ(errorBoxText("", cp), "");
    // A double-byte last character counts whole, even when its trail byte is "\" or "|".
    EXPECT_EQ(errorBoxText("表", cp), "表.");
}

TEST(Title, IsTheFileNameCutAtItsFirstDotWithTheRestLowerCase) {
    EXPECT_EQ(titleFromExePath("C:\\Tools\\Quillmoor.exe", cp), "Quillmoor");
    EXPECT_EQ(titleFromExePath("C:\\Tools\\QUILLMOOR.EXE", cp), "Quillmoor");
    EXPECT_EQ(titleFromExePath("C:\\a.b\\QM.v2.exe", cp), "Qm");
    EXPECT_EQ(titleFromExePath("D:noext", cp), "noext");
    // A trail byte 0x5C in the folder's name is not a "\".
    EXPECT_EQ(titleFromExePath("C:\\表\\ABC.exe", cp), "Abc");
    EXPECT_EQ(titleFromExePath("C:\\X表Y.exe", cp), "X表y");
}

}  // namespace
}  // namespace qm
