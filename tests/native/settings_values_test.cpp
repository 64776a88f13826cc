// The settings file's path rule, value encodings, name lists and application table, natively.
#include <gtest/gtest.h>

#include <climits>

#include "settings/apptable.h"
#include "settings/values.h"

namespace qm {
namespace {

const Cp932Model cp;

TEST(SettingsPath, ReplacesTheFileNamesExtensionOrAppendsOne) {
    EXPECT_EQ(iniPathFor("C:\\Tools\\Quillmoor.exe", cp), "C:\\Tools\\Quillmoor.ini");
    EXPECT_EQ(iniPathFor("C:\\Tools\\Quill.moor.EXE", cp), "C:\\Tools\\Quill.moor.ini");
    // A "." in a folder's name is not the extension.
    EXPECT_EQ(iniPathFor("C:\\a.b\\prog", cp), "C:\\a.b\\prog.ini");
    EXPECT_EQ(iniPathFor("prog", cp), "prog.ini");
    EXPECT_EQ(iniPathFor("prog.", cp), "prog.ini");
    EXPECT_EQ(iniPathFor("C:\\dir\\.hidden", cp), "C:\\dir\\.ini");
    EXPECT_EQ(iniPathFor("", cp), ".ini");
    // ":" ends the folder part as "\" does.
    EXPECT_EQ(iniPathFor("D:x.y", cp), "D:x.ini");
    EXPECT_EQ(iniPathFor("a.b:prog", cp), "a.b:prog.ini");
    EXPECT_EQ(iniPathFor("C:\\a\\b.c:d", cp), "C:\\a\\b.c:d.ini");
    EXPECT_EQ(iniPathFor("\\\\server\\share.x\\tool", cp), "\\\\server\\share.x\\tool.ini");
}

TEST(SettingsPath, StepsOverDoubleByteCharactersWhoseTrailByteIsABackslash) {
    // 表 is 0x95 0x5C: its trail byte is not a "\", so "x.y" is not a file name of its own.
    EXPECT_EQ(iniPathFor("C:\\表\\x", cp), "C:\\表\\x.ini");
    EXPECT_EQ(iniPathFor("C:\\a.b表x", cp), "C:\\a.ini");
    EXPECT_EQ(iniPathFor("C:\\表.exe", cp), "C:\\表.ini");
    EXPECT_EQ(iniPathFor("C:\\ポ.b\\ソ表", cp), "C:\\ポ.b\\ソ表.ini");
    // A lead byte at the very end stands alone.
    EXPECT_EQ(iniPathFor("C:\\a.b\\c\x95", cp), "C:\\a.b\\c\x95.ini");
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
        "", " ", "   ", "-", "+", "+-1", "--1", "- 1", "1 ", "1\t", "\t1", "\n1", "1-", "1.0", "1e3",
        "400px", "abc", "FFFFFFFF", "$", "x", "X", "0x", "0X", "+$", "-x", "0x0x1", "$-1", "$ 1", "$1g",
        "0x 1", "00x10", "$0x1", "2147483648", "-2147483649", "4294967296", "99999999999999999999",
        "$100000000", "0x100000000", "x123456789", "１２", "\x82\x4F",
    };
    for (const char* text : invalid) EXPECT_EQ(parseIniInt(text, -77), -77) << "text: \"" << text << "\"";
    // A trailing character of any kind is refused, a NUL too.
    EXPECT_EQ(parseIniInt(std::string_view("1\0", 2), -77), -77);
    EXPECT_EQ(parseIniInt(std::string(5000, '9'), -77), -77);
    EXPECT_EQ(parseIniInt("$" + std::string(5000, 'F'), -77), -77);
    EXPECT_EQ(parseIniInt("-" + std::string(5000, '1'), -77), -77);
}

TEST(IniBool, IsAnIntegerReadWithDefaultOneOrZero) {
    EXPECT_TRUE(parseIniBool("1", false));
    EXPECT_TRUE(parseIniBool("2", false));
    EXPECT_TRUE(parseIniBool("-1", false));
    EXPECT_TRUE(parseIniBool("$10", false));
    EXPECT_FALSE(parseIniBool("0", true));
    EXPECT_FALSE(parseIniBool("0x0", true));
    EXPECT_FALSE(parseIniBool("yes", false));
    EXPECT_TRUE(parseIniBool("yes", true));
    EXPECT_FALSE(parseIniBool("", false));
    EXPECT_TRUE(parseIniBool("", true));
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
    const char dbcs[] = "表\0ポ\0";
    EXPECT_EQ(splitNameList(dbcs, 6, sizeof dbcs), (std::vector<std::string>{"表", "ポ"}));
}

TEST(AppTableBuild, ExistsOnlyWhenASectionIsNamedAppIgnoringCase) {
    int reads = 0;
    const auto entries = [&reads](std::vector<std::string>& out) {
        ++reads;
        out = {"メモ帳=notepad.exe %P", "empty=", "dup=a", "dup=a", "eq=x=y"};
    };
    for (const char* name : {"app", "APP", "App", "aPp"}) {
        const std::optional<AppTable> table = buildAppTable({"Pos", name, "check"}, cp, entries);
        ASSERT_TRUE(table.has_value()) << name;
        // Entries as read, in order: empty values and repeated keys stay.
        EXPECT_EQ(table->entries, (std::vector<std::string>{"メモ帳=notepad.exe %P", "empty=", "dup=a", "dup=a",
                                                            "eq=x=y"}));
    }
    EXPECT_EQ(reads, 4);
    for (const std::vector<std::string>& names : std::vector<std::vector<std::string>>{
             {}, {"Pos", "check"}, {"apps"}, {"ap"}, {" app"}, {"app "}, {"ａｐｐ"}, {"appx", "xapp"}}) {
        EXPECT_FALSE(buildAppTable(names, cp, entries).has_value());
    }
    EXPECT_EQ(reads, 4);  // no table, no read of its entries
    // A section "app" without keys gives an existing, empty table.
    const auto none = [](std::vector<std::string>& out) { out.clear(); };
    const std::optional<AppTable> empty = buildAppTable({"app"}, cp, none);
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->entries.empty());
    // The built table is what the launch searches: the name before the first "=".
    const std::optional<AppTable> built = buildAppTable({"APP"}, cp, entries);
    EXPECT_EQ(findTemplate(&*built, "EQ", cp), "x=y");
    EXPECT_EQ(sectionEntry("k", ""), "k=");
    EXPECT_EQ(sectionEntry("k", "a=b"), "k=a=b");
}

}  // namespace
}  // namespace qm
