// The settings file's path rule, value encodings, name lists and application table, natively.
#include <gtest/gtest.h>

#include <climits>

#include "settings/apptable.h"
#include "settings/ini_form.h"
#include "settings/pending.h"
#include "settings/values.h"

namespace qm {
namespace {

const Cp932Model cp;

TEST(SettingsPath, ReplacesTheFileNamesExtensionOrAppendsOne) {
    EXPECT_EQ(iniPathFor(u"C:\\Tools\\Quillmoor.exe"), u"C:\\Tools\\Quillmoor.ini");
    EXPECT_EQ(iniPathFor(u"C:\\Tools\\Quill.moor.EXE"), u"C:\\Tools\\Quill.moor.ini");
    // A "." in a folder's name is not the extension.
    EXPECT_EQ(iniPathFor(u"C:\\a.b\\prog"), u"C:\\a.b\\prog.ini");
    EXPECT_EQ(iniPathFor(u"prog"), u"prog.ini");
    EXPECT_EQ(iniPathFor(u"prog."), u"prog.ini");
    EXPECT_EQ(iniPathFor(u"C:\\dir\\.hidden"), u"C:\\dir\\.ini");
    EXPECT_EQ(iniPathFor(u""), u".ini");
    // ":" ends the folder part as "\" does.
    EXPECT_EQ(iniPathFor(u"D:x.y"), u"D:x.ini");
    EXPECT_EQ(iniPathFor(u"a.b:prog"), u"a.b:prog.ini");
    EXPECT_EQ(iniPathFor(u"C:\\a\\b.c:d"), u"C:\\a\\b.c:d.ini");
    EXPECT_EQ(iniPathFor(u"\\\\server\\share.x\\tool"), u"\\\\server\\share.x\\tool.ini");
}

TEST(SettingsPath, NamesOutsideTheCodePageStayAsTheyAre) {
    EXPECT_EQ(iniPathFor(u"C:\\表\\x"), u"C:\\表\\x.ini");
    EXPECT_EQ(iniPathFor(u"C:\\a.b表x"), u"C:\\a.ini");
    EXPECT_EQ(iniPathFor(u"C:\\Caf\u00E9.d\\Quillmoor.exe"), u"C:\\Caf\u00E9.d\\Quillmoor.ini");
    EXPECT_EQ(iniPathFor(u"C:\\\u2603\\ポ.b\\ソ表"), u"C:\\\u2603\\ポ.b\\ソ表.ini");
}

// The bytes of a file in each form, spelled out.
const std::string kUtf8Data = "\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF";  // データ in UTF-8
const std::string kCp932Data = "\x83\x66\x81\x5B\x83\x5E";             // データ in code page 932

TEST(IniFormRule, EachMarkDecidesTheForm) {
    EXPECT_EQ(recogniseIniForm("\xFF\xFE[\0a\0"), IniForm::Utf16Mark);
    EXPECT_EQ(recogniseIniForm(std::string("\xFF\xFE[\0a\0", 6)), IniForm::Utf16Mark);
    EXPECT_EQ(recogniseIniForm("\xEF\xBB\xBF[app]\r\nx=" + kUtf8Data), IniForm::Utf8Mark);
    // A mark alone is a file of that form, empty.
    EXPECT_EQ(recogniseIniForm("\xFF\xFE"), IniForm::Utf16Mark);
    EXPECT_EQ(recogniseIniForm("\xEF\xBB\xBF"), IniForm::Utf8Mark);
    // After a UTF-8 mark the rest need not be valid: the mark says what the file means.
    EXPECT_EQ(recogniseIniForm("\xEF\xBB\xBF" + kCp932Data), IniForm::Utf8Mark);
    // Half a mark is none; the big-endian mark is not one of the forms.
    EXPECT_EQ(recogniseIniForm("\xEF\xBB"), IniForm::CodePage);
    EXPECT_EQ(recogniseIniForm("\xFF"), IniForm::CodePage);
    EXPECT_EQ(recogniseIniForm(std::string("\xFE\xFF\0[", 4)), IniForm::CodePage);
}

TEST(IniFormRule, UnmarkedUtf8NeedsACharacterBeyondAscii) {
    EXPECT_EQ(recogniseIniForm("[app]\r\n" + kUtf8Data + "=a.exe %P\r\n"), IniForm::Utf8);
    EXPECT_EQ(recogniseIniForm("x=caf\xC3\xA9"), IniForm::Utf8);       // \u00E9, two bytes
    EXPECT_EQ(recogniseIniForm("x=\xF0\x9F\x98\x80"), IniForm::Utf8);  // U+1F600, four bytes
    // ASCII alone, or nothing: the code page (both read the same).
    EXPECT_EQ(recogniseIniForm("[app]\r\nx=y\r\n"), IniForm::CodePage);
    EXPECT_EQ(recogniseIniForm(""), IniForm::CodePage);
    // Code page 932 Japanese is not UTF-8.
    EXPECT_EQ(recogniseIniForm("[app]\r\n" + kCp932Data + "=a.exe\r\n"), IniForm::CodePage);
    EXPECT_EQ(recogniseIniForm("\x95\x5C=\x83\x7C"), IniForm::CodePage);  // 表=ポ
    // Valid UTF-8 and then one byte that is not: the code page.
    EXPECT_EQ(recogniseIniForm(kUtf8Data + "\x83"), IniForm::CodePage);
}

// Where the system's code page is UTF-8, a file beyond ASCII that is not UTF-8 is code page
// 932; marks, UTF-8 and ASCII alone are decided as elsewhere.
TEST(IniFormRule, UnderASystemCodePageOfUtf8TheCodePageFormIs932) {
    EXPECT_EQ(recogniseIniForm("[app]\r\n" + kCp932Data + "=a.exe\r\n", true), IniForm::Cp932);
    EXPECT_EQ(recogniseIniForm("\x95\x5C=\x83\x7C", true), IniForm::Cp932);
    EXPECT_EQ(recogniseIniForm(kUtf8Data + "\x83", true), IniForm::Cp932);
    EXPECT_EQ(recogniseIniForm("[app]\r\nx=y\r\n", true), IniForm::CodePage);
    EXPECT_EQ(recogniseIniForm("", true), IniForm::CodePage);
    EXPECT_EQ(recogniseIniForm("x=" + kUtf8Data, true), IniForm::Utf8);
    EXPECT_EQ(recogniseIniForm("\xEF\xBB\xBF" + kCp932Data, true), IniForm::Utf8Mark);
    EXPECT_EQ(recogniseIniForm("\xFF\xFE" + kCp932Data, true), IniForm::Utf16Mark);
}

// The record a rewrite keeps beside the file: its bytes spelled out, read back whole, and
// nothing read from bytes that are not exactly one.
TEST(PendingRecord, HoldsTheOldTextAndTheNewOneBehindItsHeader) {
    const std::string record = pendingRecord("Top=1000", "Top=5");
    EXPECT_EQ(record, std::string("QMPEND1\0\x08\0\0\0\x05\0\0\0Top=1000Top=5", 29));
    const std::optional<PendingTexts> texts = readPendingRecord(record);
    ASSERT_TRUE(texts.has_value());
    EXPECT_EQ(texts->old, "Top=1000");
    EXPECT_EQ(texts->now, "Top=5");
    const std::optional<PendingTexts> empty = readPendingRecord(pendingRecord("", ""));
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->old.empty() && empty->now.empty());
    // 300 bytes: a length above 255 takes its second byte.
    const std::string longer(300, 'x');
    EXPECT_EQ(pendingRecord(longer, "").substr(8, 4), std::string("\x2C\x01\0\0", 4));
    EXPECT_EQ(readPendingRecord(pendingRecord(longer, "y"))->old, longer);

    EXPECT_FALSE(readPendingRecord(record.substr(0, record.size() - 1)).has_value());  // cut short
    EXPECT_FALSE(readPendingRecord(record + "x").has_value());                         // a byte after it
    EXPECT_FALSE(readPendingRecord(record.substr(0, 15)).has_value());                 // half a header
    EXPECT_FALSE(readPendingRecord("[Pos]\r\nTop=5\r\n").has_value());                 // a settings text
    std::string other = record;
    other[6] = '2';
    EXPECT_FALSE(readPendingRecord(other).has_value());
}

// What a rewrite can have left in the file, for a new text shorter and one longer than the
// old one, and what it cannot have left: the user's edits.
TEST(PendingRecord, TheFileHoldsTheOldTextOrPartOfTheNewOne) {
    const PendingTexts shorter{"[Pos]\r\nTop=1000\r\n", "[Pos]\r\nTop=5\r\n"};
    for (const char* file : {"[Pos]\r\nTop=1000\r\n",    // not yet written
                             "[Pos]\r\nTop=5000\r\n",    // part of the new text over the old
                             "[Pos]\r\nTop=5\r\n0\r\n",  // all of it, not yet cut
                             "[Pos]\r\nTop=5\r\n"})      // done
        EXPECT_TRUE(holdsOldOrPartOfNew(file, shorter)) << file;
    for (const char* file : {"[Pos]\r\nTop=1001\r\n",  // edited
                             "[Pos]\r\nTop=5\r\n\r",   // neither length
                             "[Pos]\r\nTop=1000\r\nLeft=3\r\n", "", "[Pos]\r\nTop=7\r\n"})
        EXPECT_FALSE(holdsOldOrPartOfNew(file, shorter)) << file;

    const PendingTexts longer{"[Pos]\r\nTop=5\r\n", "[Pos]\r\nTop=1000\r\n"};
    for (const char* file : {"[Pos]\r\nTop=5\r\n", "[Pos]\r\nTop=1\r\n", "[Pos]\r\nTop=100", "[Pos]\r\nTop=1000",
                             "[Pos]\r\nTop=1000\r", "[Pos]\r\nTop=1000\r\n"})
        EXPECT_TRUE(holdsOldOrPartOfNew(file, longer)) << file;
    for (const char* file : {"[Pos]\r\nTop=1000\r\n\r\n", "[Pos]\r\nTop=", "[Pos]\r\nTop=6\r\n", "[Pos]\r\nTop=10\r\n"})
        EXPECT_FALSE(holdsOldOrPartOfNew(file, longer)) << file;
}

TEST(IniFormRule, OverlongSurrogateAndCutSequencesAreNotUtf8) {
    for (const char* bad : {"\xC0\xAF",                                  // "/" overlong in two bytes
                            "\xC1\xBF",                                  // overlong
                            "\xE0\x80\xAF",                              // "/" overlong in three
                            "\xE0\x9F\xBF",                              // U+07FF in three
                            "\xF0\x8F\xBF\xBF",                          // U+FFFF in four
                            "\xED\xA0\x80",                              // U+D800, a surrogate
                            "\xED\xBF\xBF",                              // U+DFFF
                            "\xF4\x90\x80\x80",                          // above U+10FFFF
                            "\xF5\x80\x80\x80", "\xFF", "\x80", "\xBF",  // never a lead
                            "\xE3\x83",                                  // cut short at the end
                            "\xE3\x83x",                                 // cut short by ASCII
                            "\xC3\xDE",                                  // ﾃﾞ in code page 932: no continuation
                            "\xC3\xA9\xA9"}) {                           // a continuation too many
        EXPECT_FALSE(isValidUtf8(bad)) << bad;
        EXPECT_EQ(recogniseIniForm(std::string("x=") + bad), IniForm::CodePage) << bad;
        bool exact = true;
        utf8ToUtf16(bad, &exact);
        EXPECT_FALSE(exact) << bad;
    }
    EXPECT_TRUE(isValidUtf8("\xED\x9F\xBF"));  // U+D7FF, just below the surrogates
    EXPECT_TRUE(isValidUtf8("\xEE\x80\x80"));  // U+E000, just above
    EXPECT_TRUE(isValidUtf8(std::string("a\0b", 3)));
}

// The first and the last code point of each length, both ways: the first ones are no overlong
// forms, and U+10000 is the first that takes two UTF-16 units.
TEST(IniFormRule, EachLengthHoldsItsFirstAndLastCodePoint) {
    const struct {
        const char* utf8;
        std::u16string utf16;
    } cases[] = {{"\xC2\x80", u"\u0080"},
                 {"\xDF\xBF", u"\u07FF"},
                 {"\xE0\xA0\x80", u"\u0800"},
                 {"\xEF\xBF\xBF", u"\uFFFF"},
                 {"\xF0\x90\x80\x80", u"\U00010000"},
                 {"\xF4\x8F\xBF\xBF", u"\U0010FFFF"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.utf16));
        EXPECT_TRUE(isValidUtf8(c.utf8));
        EXPECT_EQ(recogniseIniForm(std::string("x=") + c.utf8), IniForm::Utf8);
        bool exact = false;
        EXPECT_EQ(utf8ToUtf16(c.utf8, &exact), c.utf16);
        EXPECT_TRUE(exact);
        EXPECT_EQ(utf16ToUtf8(c.utf16), std::string(c.utf8));
    }
}

TEST(IniFormRule, Utf8ConvertsToUtf16AndBackExactly) {
    const std::string text =
        "\xEF\xBB\xBF[app]\r\n" + kUtf8Data + "=C:\\\xE8\xA1\xA8\\caf\xC3\xA9 \xF0\x9F\x98\x80\r\n";
    bool exact = false;
    const std::u16string wide = utf8ToUtf16(text, &exact);
    EXPECT_TRUE(exact);
    EXPECT_EQ(wide, u"\uFEFF[app]\r\nデータ=C:\\表\\caf\u00E9 \U0001F600\r\n");
    EXPECT_EQ(utf16ToUtf8(wide), text);
    // UTF-16 LE bytes and back.
    EXPECT_EQ(toUtf16Le(u"a\u00E9表"), std::string("a\0\xE9\0\x68\x88", 6));
    EXPECT_EQ(fromUtf16Le(std::string("a\0\xE9\0\x68\x88\x01", 7)), u"a\u00E9表");
    // Bytes that are not UTF-8 decode with U+FFFD, and say so.
    EXPECT_EQ(utf8ToUtf16("a\x83"
                          "b\xE3\x83",
                          &exact),
              u"a\uFFFDb\uFFFD\uFFFD");
    EXPECT_FALSE(exact);
    // A surrogate without its pair has no UTF-8 form.
    EXPECT_FALSE(utf16ToUtf8(u"a\xD800").has_value());
    EXPECT_FALSE(utf16ToUtf8(std::u16string(1, char16_t(0xDC00)) + u"b").has_value());
}

TEST(IniInt, ValueReadInUtf16) {
    EXPECT_EQ(parseIniInt(u"0x190", 7), 400);
    EXPECT_EQ(parseIniInt(u"-20", 7), -20);
    // A full-width digit is no digit.
    EXPECT_EQ(parseIniInt(u"１", 7), 7);
    EXPECT_EQ(parseIniInt(std::u16string(1, char16_t(0x0131)), 7), 7);  // never taken for a byte 0x31 ("1")
}

TEST(IniInt, ReadsDecimalValuesWithinInt32) {
    EXPECT_EQ(parseIniInt("400", 7), 400);
    EXPECT_EQ(parseIniInt("-20", 7), -20);
    EXPECT_EQ(parseIniInt("+20", 7), 20);
    EXPECT_EQ(parseIniInt("0", 7), 0);
    EXPECT_EQ(parseIniInt("-0", 7), 0);
    EXPECT_EQ(parseIniInt("007", 1), 7);
    EXPECT_EQ(parseIniInt("   12", 7), 12);
    EXPECT_EQ(parseIniInt("   -12", 7), -12);
    EXPECT_EQ(parseIniInt("2147483647", 7), INT_MAX);
    EXPECT_EQ(parseIniInt("-2147483648", 7), INT_MIN);
    EXPECT_EQ(parseIniInt("+2147483647", 7), INT_MAX);
    // Leading zeros never overflow.
    EXPECT_EQ(parseIniInt(std::string(5000, '0') + "42", 7), 42);
    EXPECT_EQ(parseIniInt("-" + std::string(5000, '0') + "2147483648", 7), INT_MIN);
}

TEST(IniInt, ReadsHexadecimalValuesAsTheirBitPattern) {
    EXPECT_EQ(parseIniInt("0x190", 7), 400);
    EXPECT_EQ(parseIniInt("0X190", 7), 400);
    EXPECT_EQ(parseIniInt("$190", 7), 400);
    EXPECT_EQ(parseIniInt("x190", 7), 400);
    EXPECT_EQ(parseIniInt("X190", 7), 400);
    EXPECT_EQ(parseIniInt("$aBcDeF", 7), 0xABCDEF);
    EXPECT_EQ(parseIniInt("0x1", 7), 1);
    EXPECT_EQ(parseIniInt("  0x10", 7), 16);  // after spaces "0x" is still a marker
    EXPECT_EQ(parseIniInt("$FFFFFFFF", 7), -1);
    EXPECT_EQ(parseIniInt("0xFFFFFFFF", 7), -1);
    EXPECT_EQ(parseIniInt("x80000000", 7), INT_MIN);
    EXPECT_EQ(parseIniInt("$7FFFFFFF", 7), INT_MAX);
    EXPECT_EQ(parseIniInt("$" + std::string(3000, '0') + "FFFFFFFF", 7), -1);
    // A sign before a hexadecimal value applies to it, negated as a bit pattern.
    EXPECT_EQ(parseIniInt("-$10", 7), -16);
    EXPECT_EQ(parseIniInt("+$10", 7), 16);
    EXPECT_EQ(parseIniInt("-0x10", 7), -16);
    EXPECT_EQ(parseIniInt(" -x10", 7), -16);
    EXPECT_EQ(parseIniInt("-$80000000", 7), INT_MIN);
    EXPECT_EQ(parseIniInt("-$FFFFFFFF", 7), 1);
    EXPECT_EQ(parseIniInt("-$0", 7), 0);
}

TEST(IniInt, EverythingElseGivesTheDefault) {
    const char* const invalid[] = {
        "",           " ",           "   ",        "-",
        "+",          "+-1",         "--1",        "- 1",
        "1 ",         "1\t",         "\t1",        "\n1",
        "1-",         "1.0",         "1e3",        "400px",
        "abc",        "FFFFFFFF",    "$",          "x",
        "X",          "0x",          "0X",         "+$",
        "-x",         "0x0x1",       "$-1",        "$ 1",
        "$1g",        "0x 1",        "00x10",      "$0x1",
        "2147483648", "-2147483649", "4294967296", "99999999999999999999",
        "$100000000", "0x100000000", "x123456789", "\x82\x50\x82\x51",
        "\x82\x4F",  // １２, ０
    };
    for (const char* text : invalid) EXPECT_EQ(parseIniInt(text, -77), -77) << "text: \"" << text << "\"";
    // A trailing character of any kind is refused, a NUL too.
    EXPECT_EQ(parseIniInt(std::string_view("1\0", 2), -77), -77);
    EXPECT_EQ(parseIniInt(std::string(5000, '9'), -77), -77);
    EXPECT_EQ(parseIniInt("$" + std::string(5000, 'F'), -77), -77);
    EXPECT_EQ(parseIniInt("-" + std::string(5000, '1'), -77), -77);
}

// As the settings object reads a value: in UTF-16.
TEST(IniBool, IsAnIntegerReadWithDefaultOneOrZero) {
    EXPECT_TRUE(parseIniBool(u"1", false));
    EXPECT_TRUE(parseIniBool(u"2", false));
    EXPECT_TRUE(parseIniBool(u"-1", false));
    EXPECT_TRUE(parseIniBool(u"$10", false));
    EXPECT_FALSE(parseIniBool(u"0", true));
    EXPECT_FALSE(parseIniBool(u"0x0", true));
    EXPECT_FALSE(parseIniBool(u"yes", false));
    EXPECT_TRUE(parseIniBool(u"yes", true));
    EXPECT_FALSE(parseIniBool(u"", false));
    EXPECT_TRUE(parseIniBool(u"", true));
    EXPECT_FALSE(parseIniBool(u"\uFF11", false));  // a full-width 1 is no digit
}

TEST(IniWrite, StoresPlainDecimalAndOneOrZero) {
    EXPECT_EQ(formatIniInt(-5), "-5");
    EXPECT_EQ(formatIniInt(0), "0");
    EXPECT_EQ(formatIniInt(400), "400");
    EXPECT_EQ(formatIniInt(INT_MIN), "-2147483648");
    EXPECT_EQ(formatIniInt(INT_MAX), "2147483647");
    EXPECT_EQ(formatIniBool(true), "1");
    EXPECT_EQ(formatIniBool(false), "0");
    // Whatever is written reads back as itself.
    for (int v : {INT_MIN, INT_MIN + 1, -400, -1, 0, 1, 300, INT_MAX}) EXPECT_EQ(parseIniInt(formatIniInt(v), 7), v);
}

TEST(NameList, ReadsOnlyWhatTheCallReturned) {
    // "Pos\0app\0\0" as the call leaves it; it returns 8 (the list without its last NUL).
    const char full[] = "Pos\0app\0\0garbage";
    EXPECT_EQ(splitNameList(full, 8, sizeof full), (std::vector<std::string>{"Pos", "app"}));
    // A list cut by the call: the last name has no NUL within the count and still counts.
    const char cut[] = {'P', 'o', 's', '\0', 'a', 'p'};
    EXPECT_EQ(splitNameList(cut, sizeof cut, sizeof cut), (std::vector<std::string>{"Pos", "ap"}));
    // A count beyond the buffer is clamped to it (the sanitizer catches a read past it).
    std::vector<char> heap(cut, cut + sizeof cut);
    EXPECT_EQ(splitNameList(heap.data(), 100000, heap.size()), (std::vector<std::string>{"Pos", "ap"}));
    EXPECT_TRUE(splitNameList(full, 0, sizeof full).empty());
    // Empty names are skipped; the names after them are kept.
    const char gaps[] = "\0a\0\0b\0";
    EXPECT_EQ(splitNameList(gaps, 6, sizeof gaps), (std::vector<std::string>{"a", "b"}));
    // Double-byte names come through byte for byte.
    const char dbcs[] = "\x95\x5C\0\x83\x7C\0";  // 表, ポ
    EXPECT_EQ(splitNameList(dbcs, 6, sizeof dbcs), (std::vector<std::string>{"\x95\x5C", "\x83\x7C"}));
}

TEST(AppTableBuild, ExistsOnlyWhenASectionIsNamedAppIgnoringCase) {
    int reads = 0;
    const auto entries = [&reads](std::vector<std::u16string>& out) {
        ++reads;
        out = {u"メモ帳=notepad.exe %P", u"empty=", u"dup=a", u"dup=a", u"eq=x=y", u"Caf\u00E9=C:\\Caf\u00E9\\c.exe"};
    };
    for (const char16_t* name : {u"app", u"APP", u"App", u"aPp"}) {
        const std::optional<AppTable> table = buildAppTable({u"Pos", name, u"check"}, cp, entries);
        ASSERT_TRUE(table.has_value());
        // Entries as read, in order: empty values and repeated keys stay.
        EXPECT_EQ(table->entries, (std::vector<std::u16string>{u"メモ帳=notepad.exe %P", u"empty=", u"dup=a", u"dup=a",
                                                               u"eq=x=y", u"Caf\u00E9=C:\\Caf\u00E9\\c.exe"}));
    }
    EXPECT_EQ(reads, 4);
    for (const std::vector<std::u16string>& names : std::vector<std::vector<std::u16string>>{
             {}, {u"Pos", u"check"}, {u"apps"}, {u"ap"}, {u" app"}, {u"app "}, {u"ａｐｐ"}, {u"appx", u"xapp"}}) {
        EXPECT_FALSE(buildAppTable(names, cp, entries).has_value());
    }
    EXPECT_EQ(reads, 4);  // no table, no read of its entries
    // A section "app" without keys gives an existing, empty table.
    const auto none = [](std::vector<std::u16string>& out) { out.clear(); };
    const std::optional<AppTable> empty = buildAppTable({u"app"}, cp, none);
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->entries.empty());
    // The built table is what the launch searches: the name before the first "=".
    const std::optional<AppTable> built = buildAppTable({u"APP"}, cp, entries);
    EXPECT_EQ(findTemplate(&*built, u"EQ", cp), u"x=y");
    EXPECT_EQ(findTemplate(&*built, u"CAF\u00C9", cp), u"");  // only ASCII letters fold in the model
    EXPECT_EQ(findTemplate(&*built, u"Cafe", cp), u"");       // never a look-alike
    EXPECT_EQ(findTemplate(&*built, u"caf\u00E9", cp), u"C:\\Caf\u00E9\\c.exe");
    EXPECT_EQ(findTemplate(&*built, u"CAF\u00E9", cp), u"C:\\Caf\u00E9\\c.exe");
    EXPECT_EQ(sectionEntry(u"k", u""), u"k=");
    EXPECT_EQ(sectionEntry(u"k", u"a=b"), u"k=a=b");
}

}  // namespace
}  // namespace qm
