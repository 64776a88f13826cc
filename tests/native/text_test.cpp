#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "text/codepage.h"
#include "text/error.h"
#include "text/textrules.h"
#include "text/texts.h"

namespace qm {
namespace {

const Cp932Model cp;

// Every text is UTF-16 whatever the compiler's execution character set (the Windows tests
// check each one against its code page 932 bytes).
TEST(Texts, AreUtf16) {
    EXPECT_EQ(std::u16string(texts::kButtonRun), u"\u5B9F\u884C");  // 実行
    EXPECT_EQ(std::u16string(texts::kFontFace), u"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF");
    EXPECT_EQ(std::u16string(texts::kErrInsertLine), u"\u884C\u3092\u633F\u5165\u3067\u304D\u307E\u305B\u3093");
}

TEST(ErrorText, ALackOfMemoryIsShownInJapaneseNeverInTheRuntimesWords) {
    const std::u16string noMemory = u"\u30E1\u30E2\u30EA\u304C\u8DB3\u308A\u307E\u305B\u3093";  // メモリが足りません
    EXPECT_EQ(errorText(std::bad_alloc()), noMemory);
    EXPECT_EQ(errorText(std::length_error("vector")), noMemory);  // more than a container holds
    EXPECT_EQ(errorText(AppError(u"\u884C")), u"\u884C");
    EXPECT_EQ(errorText(std::runtime_error("other")), u"other");
}

TEST(CodePage, StepsOverWholeCharacters) {
    const std::string s = "a\x95\x5C\x83\x7C";  // a表ポ: 表 = 95 5C, ポ = 83 7C
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

// What the hand-off tests take from the model: which characters it converts and holds.
TEST(CodePage, ConvertsAndHoldsOnlyWhatTheModelKnows) {
    EXPECT_EQ(cp.toUtf16("a\x95\x5C\x83\x7C\xA1\xDF"), u"a\u8868\u30DD\uFF61\uFF9F");
    // Another double-byte character, a byte outside both ranges and a lone lead byte at the end.
    EXPECT_EQ(cp.toUtf16("\x88\x9F|\x80|\x83"), u"\u30FB|\u30FB|\u30FB");
    EXPECT_EQ(cp.exactBytes(u"a\u8868\u30DD\uFF71"), std::string("a\x95\x5C\x83\x7C\xB1"));
    const std::u16string lacking[] = {u"caf\u00E9", u"\u30FB", u"\U0001F600", std::u16string(1, 0xD800)};
    for (const std::u16string& text : lacking)
        EXPECT_EQ(cp.exactBytes(text), std::nullopt) << ::testing::PrintToString(text);
}

TEST(ErrorBoxText, AppendsDotAfterCharactersThatSortAfterIt) {
    EXPECT_EQ(errorBoxText(u"行を挿入できません"), u"行を挿入できません.");
    EXPECT_EQ(errorBoxText(u"abc"), u"abc.");
    EXPECT_EQ(errorBoxText(u"abc."), u"abc.");
    EXPECT_EQ(errorBoxText(u"abc!"), u"abc!");  // '!' sorts before '.'
    EXPECT_EQ(errorBoxText(u"(3)"), u"(3)");    // ')' sorts before '.'
    EXPECT_EQ(errorBoxText(u""), u"");
    // Characters whose code page bytes end in "\" or "|", and a surrogate pair.
    EXPECT_EQ(errorBoxText(u"表"), u"表.");
    EXPECT_EQ(errorBoxText(u"x \U0001F600"), u"x \U0001F600.");
}

// The value goes in whole and is not read again: a name holding "%s" or "%d" ("Zip %d")
// stays as it is, and the pattern's later placeholders stay too.
TEST(FormatMessage, ReplacesTheFirstPlaceholderOnceWithTheValueAsItIs) {
    EXPECT_EQ(formatMessage(u"%s \u3092\u8D77\u52D5\u3067\u304D\u307E\u305B\u3093", u"Zip %d"),
              u"Zip %d \u3092\u8D77\u52D5\u3067\u304D\u307E\u305B\u3093");
    EXPECT_EQ(formatMessage(u"(%d)", u"%s%d"), u"(%s%d)");
    EXPECT_EQ(formatMessage(u"%s: %d %s", u"%%s"), u"%%s: %d %s");
    EXPECT_EQ(formatMessage(u"no value %x %", u"v"), u"no value %x %");
    EXPECT_EQ(formatMessage(u"%s", u""), u"");
}

TEST(Title, IsTheFileNameCutAtItsFirstDotWithTheRestLowerCase) {
    EXPECT_EQ(titleFromExePath(u"C:\\Tools\\Quillmoor.exe", cp), u"Quillmoor");
    EXPECT_EQ(titleFromExePath(u"C:\\Tools\\QUILLMOOR.EXE", cp), u"Quillmoor");
    EXPECT_EQ(titleFromExePath(u"C:\\a.b\\QM.v2.exe", cp), u"Qm");
    EXPECT_EQ(titleFromExePath(u"D:noext", cp), u"noext");
    EXPECT_EQ(titleFromExePath(u"C:\\表\\ABC.exe", cp), u"Abc");
    EXPECT_EQ(titleFromExePath(u"C:\\X表Y.exe", cp), u"X表y");
    // A surrogate pair first is one character: the case rule starts after it.
    EXPECT_EQ(titleFromExePath(u"C:\\\U0001F600PP.exe", cp), u"\U0001F600pp");
    // A high surrogate alone first is a character of its own.
    EXPECT_EQ(titleFromExePath(std::u16string{u'C', u':', u'\\', 0xD83D, u'A', u'B', u'.', u'x'}, cp),
              (std::u16string{0xD83D, u'a', u'b'}));
    EXPECT_EQ(titleFromExePath(u"C:\\dir\\", cp), u"");
}

}  // namespace
}  // namespace qm
