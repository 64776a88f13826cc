// The launch without a window: quoted path list, "%P" replacement, application lookup and
// the after-launch actions, with the code page 932 model.
#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "../shared/memory_runlist.h"
#include "launch/launch.h"

namespace qm {
namespace {

const Cp932Model cp;

MemoryRunList listOf(std::initializer_list<const char*> entries) {
    MemoryRunList list;
    for (const char* e : entries) list.append(e);
    return list;
}

TEST(QuotedPathList, QuotesEveryEntryInOrderSelectedOrNot) {
    EXPECT_EQ(quotedPathList(MemoryRunList(), cp), "");
    MemoryRunList list = listOf({"C:\\a.txt", "C:\\My Files\\b c.txt", "C:\\a.txt"});
    list.setSelected(1, true);
    EXPECT_EQ(quotedPathList(list, cp), " \"C:\\a.txt\" \"C:\\My Files\\b c.txt\" \"C:\\a.txt\"");
    // Not trimmed; double-byte paths with trail bytes "\" and "|" stay whole, also at the end.
    EXPECT_EQ(quotedPathList(listOf({" x ", "C:\\表\\ポ.txt", "D:\\表", "a\\b"}), cp),
              " \" x \" \"C:\\表\\ポ.txt\" \"D:\\表\" \"a\\b\"");
    // Building the list leaves the run list as it was.
    EXPECT_EQ(list.count(), 3);
    EXPECT_TRUE(list.isSelected(1));
}

TEST(QuotedPathList, EveryEntryStaysOneArgument) {
    // Backslashes that end an entry are doubled, so that none escapes the closing quote.
    EXPECT_EQ(quotedPathList(listOf({"C:\\", "D:\\dir\\", "E:\\a\\\\", "\\"}), cp),
              " \"C:\\\\\" \"D:\\dir\\\\\" \"E:\\a\\\\\\\\\" \"\\\\\"");
    // Quotes are left out, also a quote that a lead byte would take as its trail byte, and
    // a backslash then at the end is doubled.
    EXPECT_EQ(quotedPathList(listOf({"say \"hi\"", "a\" & b", "C:\\x\\\"", "\x83\"z"}), cp),
              " \"say hi\" \"a & b\" \"C:\\x\\\\\" \"z\"");
    // A lead byte alone at the end is left out; one before a backslash ends with it.
    EXPECT_EQ(quotedPathList(listOf({"C:\\a\x83", "C:\\\x83", "\x83\\"}), cp),
              " \"C:\\a\" \"C:\\\\\" \"\x83\\\"");
}

// A stand-in for the system's conversion: each byte one UTF-16 unit of the same value.
std::u16string widened(std::string_view text) {
    std::u16string out;
    for (const char c : text) out += static_cast<char16_t>(static_cast<unsigned char>(c));
    return out;
}

std::u16string replaced(std::u16string_view commandTemplate, const std::vector<std::u16string>& entries) {
    return replacePathPlaceholder(commandTemplate, entries, cp).line;
}

TEST(PathPlaceholder, EachOccurrenceOfEitherCaseGetsTheWholeList) {
    const std::vector<std::u16string> paths{u"C:\\a", u"C:\\b"};
    // The template's own space plus the list's leading space: two spaces.
    EXPECT_EQ(replaced(u"app.exe %P", paths), u"app.exe  \"C:\\a\" \"C:\\b\"");
    EXPECT_EQ(replaced(u"a %P b %p c", {u"x"}), u"a  \"x\" b  \"x\" c");
    EXPECT_EQ(replaced(u"%p", {u"x"}), u" \"x\"");
    // The search goes on right after each occurrence.
    EXPECT_EQ(replaced(u"%P%p", {u"L"}), u" \"L\" \"L\"");
    EXPECT_EQ(replaced(u"%%PP", {u"L"}), u"% \"L\"P");
    EXPECT_EQ(replaced(u"%%%p%", {u"L"}), u"%% \"L\"%");
    // Characters outside any code page stay as they are, around and between.
    EXPECT_EQ(replaced(u"C:\\Caf\u00E9\\表\\app.exe %P \u2603", {u"\u00E9"}),
              u"C:\\Caf\u00E9\\表\\app.exe  \"\u00E9\" \u2603");
}

TEST(PathPlaceholder, RecordsWhereEachEntryStands) {
    const CommandLine line = replacePathPlaceholder(u"\u00E9 %P | %p", {u"ab", u"", u"表x"}, cp);
    ASSERT_EQ(line.line, u"\u00E9  \"ab\" \"\" \"表x\" |  \"ab\" \"\" \"表x\"");
    const std::vector<std::pair<std::size_t, std::size_t>> expected{{4, 2}, {9, 0}, {12, 2}, {20, 2}, {25, 0}, {28, 2}};
    ASSERT_EQ(line.entries.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(line.entries[i].at, expected[i].first) << i;
        EXPECT_EQ(line.entries[i].length, expected[i].second) << i;
        // Inside its quotes.
        EXPECT_EQ(line.line[line.entries[i].at - 1], u'"');
        EXPECT_EQ(line.line[line.entries[i].at + line.entries[i].length], u'"');
    }
    EXPECT_TRUE(replacePathPlaceholder(u"app.exe a", {u"x"}, cp).entries.empty());
}

TEST(PathPlaceholder, InsertedTextIsNeverSearched) {
    // A path that itself holds "%P" or "%p" arrives as it is.
    EXPECT_EQ(replaced(u"run %P end", {u"C:\\100%P\\x", u"D:\\%p"}), u"run  \"C:\\100%P\\x\" \"D:\\%p\" end");
}

TEST(PathPlaceholder, TemplateWithoutPlaceholderStaysAsItIs) {
    for (const char16_t* t : {u"", u"notepad.exe", u"a %Q b", u"50% P", u"P%", u"%", u"x=%", u"%Ｐ"})
        EXPECT_EQ(replaced(t, {u"C:\\a"}), t);
}

TEST(PathPlaceholder, EmptyListLeavesTheTemplatesSpace) {
    EXPECT_EQ(replaced(u"app.exe %P", {}), u"app.exe ");
}

TEST(PlanLaunch, FirstCaseInsensitiveNameMatchGivesTheTemplate) {
    const AppTable table{{u"Edit=first.exe %P", u"EDIT=second.exe %P", u"Tool=t.exe a=b %P =", u"Empty=", u"ケ=k.exe",
                          u"パ=pa.exe", u"Caf\u00E9=C:\\Caf\u00E9\\c.exe"}};
    const MemoryRunList list = listOf({"C:\\a"});
    const auto line = [&](std::u16string_view name, const AppTable* t) {
        return planLaunch(list, name, t, false, false, cp, widened).commandLine.line;
    };
    EXPECT_EQ(line(u"EDIT", &table), u"first.exe  \"C:\\a\"");
    EXPECT_EQ(line(u"edit", &table), u"first.exe  \"C:\\a\"");
    // Everything after the name's "=" is the template, further "=" included.
    EXPECT_EQ(line(u"tool", &table), u"t.exe a=b  \"C:\\a\" =");
    EXPECT_EQ(line(u"パ", &table), u"pa.exe");
    // A name outside the code page is found as written, never as a look-alike.
    EXPECT_EQ(line(u"Caf\u00E9", &table), u"C:\\Caf\u00E9\\c.exe");
    EXPECT_EQ(line(u"Cafe", &table), u"");
    // No match, no selection, an empty template, no table: an empty command line.
    EXPECT_EQ(line(u"Edi", &table), u"");
    EXPECT_EQ(line(u"", &table), u"");
    EXPECT_EQ(line(u"Empty", &table), u"");
    EXPECT_EQ(line(u"Edit", nullptr), u"");
}

TEST(PlanLaunch, CarriesTheListAndBothAfterLaunchOptions) {
    const AppTable table{{u"v=viewer.exe %P"}};
    // Each entry goes in by the conversion of its quoted text.
    const MemoryRunList list = listOf({"a", "b\\"});
    const auto upper = [](std::string_view text) {
        std::u16string out = widened(text);
        for (char16_t& c : out) c = c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
        return out;
    };
    for (bool clear : {false, true}) {
        for (bool quit : {false, true}) {
            const LaunchPlan plan = planLaunch(list, u"v", &table, clear, quit, cp, upper);
            EXPECT_EQ(plan.commandLine.line, u"viewer.exe  \"A\" \"B\\\\\"");
            EXPECT_EQ(plan.clearList, clear);
            EXPECT_EQ(plan.closeWindow, quit);
        }
    }
    // A missing table still gives the after-launch actions.
    const LaunchPlan noTable = planLaunch(list, u"v", nullptr, true, true, cp, widened);
    EXPECT_EQ(noTable.commandLine.line, u"");
    EXPECT_TRUE(noTable.clearList);
    EXPECT_TRUE(noTable.closeWindow);
}

// A finder that knows exactly these program names.
ProgramFinder finds(std::initializer_list<const char16_t*> names) {
    return [known = std::set<std::u16string>(names.begin(), names.end())](const std::u16string& name) {
        return known.count(name) > 0;
    };
}

TEST(InterpreterTarget, BatchFilesAndTheInterpreterByName) {
    const ProgramFinder none = finds({});
    for (const char16_t* line : {u"x.bat", u"X.Bat", u"\"C:\\a b\\x.CMD\" %P", u"\"x.bat. \" a", u"x.cmd.",
                                 u"\"ポ.bat\"", u"\"C:\\表\\cmd\" /c", u"C:\\Windows\\System32\\cmd.exe",
                                 u"\"cmd.EXE\" /c x %P", u"\"C:\\Caf\u00E9\\x.bat\""})
        EXPECT_TRUE(runsThroughInterpreter(line, none));
    EXPECT_TRUE(runsThroughInterpreter(u"cmd /c echo %P", finds({u"cmd"})));
    EXPECT_TRUE(
        runsThroughInterpreter(u"C:\\Windows\\System32\\cmd.exe /c x %P", finds({u"C:\\Windows\\System32\\cmd.exe"})));
    // Only the program's own name counts.
    for (const char16_t* line : {u"\"notepad.exe\" %P", u"\"C:\\app.exe\" x.bat %P", u"\"x.batch\"", u"\"x.bat.exe\"",
                                 u"\"C:\\x.bat\\y.exe\"", u"\"cmdx\"", u"\"C:\\cmd\\app\"", u"\"表cmd\"", u"\"\""})
        EXPECT_FALSE(runsThroughInterpreter(line, none));
}

TEST(InterpreterTarget, UnquotedNameIsTheFirstPrefixTheSystemFinds) {
    EXPECT_FALSE(runsThroughInterpreter(u"notepad.exe %P", finds({u"notepad.exe"})));
    EXPECT_FALSE(runsThroughInterpreter(u"notepad.exe x.bat %P", finds({u"notepad.exe", u"notepad.exe x.bat"})));
    // A name the system does not find is passed over for the longer one.
    EXPECT_TRUE(runsThroughInterpreter(u"notepad.exe x.bat %P", finds({u"notepad.exe x.bat"})));
    EXPECT_TRUE(runsThroughInterpreter(u"C:\\a b\\x.bat %P", finds({u"C:\\a b\\x.bat"})));
    EXPECT_FALSE(runsThroughInterpreter(u"C:\\a b\\x.bat %P", finds({u"C:\\a", u"C:\\a b\\x.bat"})));
    EXPECT_TRUE(runsThroughInterpreter(u"C:\\a\tb.cmd", finds({u"C:\\a\tb.cmd"})));
    // Nothing found: the whole line is the last name tried.
    EXPECT_TRUE(runsThroughInterpreter(u"app.exe x.bat", finds({})));
    EXPECT_FALSE(runsThroughInterpreter(u"x.bat app.exe", finds({})));
    // No file name holds a quote: nothing past the first one is searched for.
    const ProgramFinder quoteless = [](const std::u16string& name) {
        EXPECT_EQ(name.find(u'"'), std::u16string::npos);
        return false;
    };
    EXPECT_FALSE(runsThroughInterpreter(u"C:\\no where\\app.exe \"a b\" \"c\" d", quoteless));
}

// Whether a launch of the template (ASCII text) on the entries may start: the program's
// kind by its name, then the interpreter's reading of the line. Each entry goes in by
// `toUtf16`, one unit a byte unless given otherwise.
bool mayStart(const std::string& commandTemplate, std::initializer_list<const char*> entries,
              bool delayedByDefault = false, const ToUtf16& toUtf16 = widened) {
    const AppTable table{{u"a=" + widened(commandTemplate)}};
    const CommandLine line = planLaunch(listOf(entries), u"a", &table, false, false, cp, toUtf16).commandLine;
    const auto start = interpreterStartOf(
        line.line, finds({u"C:\\d\\show.bat", u"cmd", u"CMD.EXE", u"C:/Windows/cmd.exe", u"notepad.exe", u"x.bat"}));
    return !start || interpreterKeepsEntriesWhole(line.line, line.entries, *start, delayedByDefault);
}

TEST(InterpreterQuotes, TemplateShapesAgainstTheInterpretersReading) {
    const char* const amp = "C:\\dl\\x&mkdir C:\\t\\PWNED&.txt";
    struct Shape {
        const char* commandTemplate;
        bool whole;  // every entry inside quotes as the interpreter reads the line
    };
    const Shape shapes[] = {
        {"\"C:\\d\\show.bat\" %P", true},         // the system's cmd /c "..." strips its own quotes
        {"C:\\d\\show.bat %P", true},             // unquoted batch name
        {"\"C:\\d\\show.bat.\" %P", true},        // trailing dots: still the batch file
        {"\"C:\\d\\show.bat..\" \"%P\"", false},  // the list's quotes cancel the template's
        {"\"C:\\d\\show.bat\" \"%P\"", false},
        {"cmd /c \"C:\\d\\show.bat\" %P", false},  // the first and last quote stripped
        {"cmd /c %P", false},
        {"cmd /c \"\"C:\\d\\show.bat\" %P\"", true},  // the outer pair stripped, the inner kept
        {"cmd /s /c \"\"C:\\d\\show.bat\" %P\"", true},
        {"cmd /s /c \"C:\\d\\show.bat %P\"", true},
        {"cmd /k \"C:\\d\\show.bat\" %P", false},
        {"cmd /k \"\"C:\\d\\show.bat\" %P\"", true},
        {"CMD.EXE /C \"C:\\d\\show.bat\" %P", false},
        {"CMD.EXE /C echo %P", true},
        {"\"cmd.exe..\" /c %P", false},
        {"cmd /q /d /e:on /t:0a /c echo %P", true},
        {"cmd /s/c\t\"\"C:\\d\\show.bat\" %P\"", true},
        {"cmd /c echo \"^\"%P", true},     // "^" inside quotes is a character
        {"cmd /c echo ^\"x\" %P", false},  // outside it takes the quote: one quote short
        {"cmd /c echo ^\" %P", true},
        // Where the interpreter's reading is in doubt: refused.
        {"cmd /r echo %P", false},
        {"cmd foo /c echo %P", false},
        {"C:/Windows/cmd.exe /c echo %P", false},  // its first "/" is taken for a switch
        {"cmd %P", false},
        {"cmd /c echo %X% %P %Y%", false},  // an entry inside "%...%"
        {"cmd /c call \"%U%\\x.bat\" %P", true},
        {"cmd /c ,echo %P", false},
        // Every other program: untouched.
        {"\"C:\\d\\app.exe\" \"%P\"", true},
        {"notepad.exe /c %P", true},
    };
    for (const Shape& shape : shapes) {
        // An entry outside quotes is refused whatever it holds.
        for (const char* entry : {amp, "C:\\My Files\\a b.txt", "a^b", "x(1).txt", "a|b>c", "plain"})
            EXPECT_EQ(mayStart(shape.commandTemplate, {entry}), shape.whole)
                << shape.commandTemplate << " with " << entry;
        // Two entries, the unsafe one second; and no entries at all.
        EXPECT_EQ(mayStart(shape.commandTemplate, {"C:\\a", amp}), shape.whole) << shape.commandTemplate;
        EXPECT_TRUE(mayStart(shape.commandTemplate, {})) << shape.commandTemplate;
    }
}

TEST(InterpreterQuotes, WhatChangesAnEntryInsideQuotesToo) {
    for (const char* t : {"\"C:\\d\\show.bat\" %P", "cmd /c echo %P", "cmd /v:off /c echo %P"}) {
        // "%" is expanded, a line break (a pasted multi-line text) ends the line, and no file
        // name holds a control character.
        for (const char* entry : {"C:\\100%\\a", "%OS%.txt", "a\nb", "a\r\nb",
                                  "a\x1b"
                                  "b"})
            EXPECT_FALSE(mayStart(t, {"C:\\a", entry})) << t << " with " << entry;
        EXPECT_TRUE(mayStart(t, {"a!b!c", "a^b!"})) << t;
    }
    // With delayed expansion on, "!" is expanded inside quotes, and "^" goes where a "!" is.
    for (const char* t :
         {"cmd /v:on /c echo %P", "cmd /V:ON /c echo %P", "cmd /v /c echo %P", "cmd /v:offx /c echo %P"}) {
        EXPECT_FALSE(mayStart(t, {"a!b"})) << t;
        EXPECT_TRUE(mayStart(t, {"a^b&c"})) << t;
        EXPECT_FALSE(mayStart(t + std::string(" !"), {"a^b"})) << t;
    }
    EXPECT_FALSE(mayStart("cmd /v:on /c echo !x %P !", {"a"}));
    // By the registry's default: for a batch file, and for the interpreter without "/v".
    EXPECT_FALSE(mayStart("\"C:\\d\\show.bat\" %P", {"a!b"}, true));
    EXPECT_FALSE(mayStart("cmd /c echo %P", {"a!b"}, true));
    EXPECT_TRUE(mayStart("cmd /v:off /c echo %P", {"a!b"}, true));
}

TEST(InterpreterQuotes, ReadsTheLineInUtf16) {
    // ポ is U+30DD, whatever its code page 932 bytes (83 7C) hold; the spans are in units.
    const std::u16string line = u"\"x.bat\"  \"C:\\\u30DD\\a&b\"";
    EXPECT_TRUE(interpreterKeepsEntriesWhole(line, {{10, 8}}, InterpreterStart::BatchFile, false));
    EXPECT_FALSE(interpreterKeepsEntriesWhole(line, {{10, 9}}, InterpreterStart::BatchFile, false));
    EXPECT_FALSE(interpreterKeepsEntriesWhole(line, {{10, 20}}, InterpreterStart::BatchFile, false));
    // A span the planned line puts exactly inside each entry's quotes, for every "%P".
    const AppTable table{{u"a=x %p y %P"}};
    const CommandLine planned = planLaunch(listOf({"C:\\", "b"}), u"a", &table, false, false, cp, widened).commandLine;
    ASSERT_EQ(planned.entries.size(), 4u);
    std::vector<std::u16string> texts;
    for (const EntrySpan& e : planned.entries) texts.push_back(planned.line.substr(e.at, e.length));
    EXPECT_EQ(texts, (std::vector<std::u16string>{u"C:\\\\", u"b", u"C:\\\\", u"b"}));
    EXPECT_EQ(planned.line[planned.entries[1].at - 1], u'"');
}

TEST(InterpreterQuotes, APercentInAnEntryOnAnInterpreterLineOnly) {
    // The interpreter expands "%...%" even inside quotes: an entry holding "%" is refused
    // where the line runs through it, and only there.
    for (const char* entry : {"%", "C:\\100%\\a", "%OS%.txt", "表%", "x%QM_Q%&echo INJECTED>f&rem "}) {
        EXPECT_FALSE(mayStart("x.bat %P", {"C:\\a", entry})) << entry;
        EXPECT_FALSE(mayStart("cmd /c type %P", {"C:\\a", entry})) << entry;
        EXPECT_TRUE(mayStart("x.bat /q", {"C:\\a", entry})) << entry;
        EXPECT_TRUE(mayStart("notepad.exe %P", {"C:\\a", entry})) << entry;
    }
    // What the conversion gives counts: a byte that becomes a "%" is one.
    const auto percentFor83 = [](std::string_view text) {
        std::u16string out = widened(text);
        for (char16_t& c : out) c = c == 0x83 ? u'%' : c;
        return out;
    };
    EXPECT_FALSE(mayStart("x.bat %P", {"a\x83x"}, false, percentFor83));
    EXPECT_TRUE(mayStart("x.bat %P", {"a\x83x"}));
    for (const char* entry : {"", "C:\\表\\ポ.txt", "a&b^c!d", "パケ", "表 ポ"}) {
        EXPECT_TRUE(mayStart("x.bat %P", {entry})) << entry;
        EXPECT_TRUE(mayStart("cmd /c type %P", {entry})) << entry;
    }
}

}  // namespace
}  // namespace qm
