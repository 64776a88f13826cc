#include <gtest/gtest.h>

#include "../shared/ansi_stand_in.h"
#include "text/ansi_name.h"
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

TEST(CodePage, LeadBytesAreThoseOf81To9FAndE0ToFC) {
    for (const char lead : {'\x81', '\x9F', '\xE0', '\xFC'}) {
        EXPECT_EQ(cp.next(std::string{lead, 'A'}, 0), 2u) << std::hex << (lead & 0xFF);
    }
    for (const char single : {'\x80', '\xA0', '\xDF', '\xFD'}) {
        EXPECT_EQ(cp.next(std::string{single, 'A'}, 0), 1u) << std::hex << (single & 0xFF);
    }
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
    // ア (83 41) first: its trail byte "A" belongs to it and stays; the case rule starts after it.
    EXPECT_EQ(titleFromExePath("C:\\\x83\x41PP.exe", cp), "\x83\x41pp");
}

TEST(AnsiName, HeldNamesStayByteForByteOthersBecomeTheirShortFormOrGetQuestionMarks) {
    AnsiStandIn system;
    system.files[u"C:\\dir\\caf\u00E9 \u2603.txt"] = u"C:\\dir\\CAFE~1.TXT";
    system.files[u"C:\\\u0394\\x.txt"] = u"C:\\\u0394\\x.txt";  // a volume without short names
    system.files[u"C:\\Program Files\\\u8868.txt"] = u"C:\\PROGRA~1\\8868~1.TXT";

    // Held exactly: byte for byte, with no question to the volume, also when a short form exists.
    EXPECT_EQ(ansiName(u"C:\\Program Files\\\u8868.txt", system), "C:\\Program Files\\\x95\x5C.txt");
    EXPECT_EQ(ansiName(u"\u30DD|\u8868", system), "\x83\x7C|\x95\x5C");
    EXPECT_EQ(ansiName(u"", system), "");
    EXPECT_EQ(system.shortPathCalls, 0);

    // Not held, an existing file: its short form opens the very same file.
    EXPECT_EQ(ansiName(u"C:\\dir\\caf\u00E9 \u2603.txt", system), "C:\\dir\\CAFE~1.TXT");
    // A short form the code page does not hold either, or no file at all: every character it
    // lacks is "?", never a best-fit guess (\u00A5 would be "\\", \uFF02 a quote); a pair
    // of surrogates is one character, a lone surrogate is one too.
    EXPECT_EQ(ansiName(u"C:\\\u0394\\x.txt", system), "C:\\?\\x.txt");
    EXPECT_EQ(ansiName(u"C:\\\u00A5\uFF02 \u8868.txt", system), "C:\\?? \x95\x5C.txt");
    const char16_t surrogates[] = {u'a', 0xD83D, 0xDE00, u'b', 0xDC00, u'c', 0xD800, 0};
    EXPECT_EQ(ansiName(surrogates, system), "a?b?c?");
}

TEST(AnsiName, SharesAndDevicesOutsideTheCodePageGetQuestionMarksWithoutAnyLookup) {
    AnsiStandIn system;
    for (const std::u16string prefix :
         {u"\\\\host\\", u"//host/", u"\\/host/", u"\\\\?\\UNC\\host\\", u"//./C:/", u"\\??\\C:\\"}) {
        system.files[prefix + u"x\u20AC"] = u"C:\\X~1";  // a short form there would be, were it asked
        EXPECT_EQ(ansiName(prefix + u"x\u20AC", system), std::string(prefix.begin(), prefix.end()) + "x?");
        EXPECT_EQ(exactOrShortName(prefix + u"x\u20AC", system), std::nullopt);
    }
    EXPECT_EQ(system.shortPathCalls, 0);
    // Local paths, on a drive or from the current drive's root, either separator, keep the short form.
    system.files[u"C:/dir/x\u20AC"] = u"C:/dir/X~1";
    system.files[u"\\dir\\x\u20AC"] = u"\\dir\\X~1";
    EXPECT_EQ(ansiName(u"C:/dir/x\u20AC", system), "C:/dir/X~1");
    EXPECT_EQ(exactOrShortName(u"\\dir\\x\u20AC", system), "\\dir\\X~1");
    EXPECT_EQ(system.shortPathCalls, 2);
}

}  // namespace
}  // namespace qm
