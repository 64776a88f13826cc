// The launch without a window: quoted path list, "%P" replacement, application lookup and
// the after-launch actions, with the code page 932 model.
#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <string>
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

TEST(PathPlaceholder, EachOccurrenceOfEitherCaseGetsTheWholeList) {
    const std::string paths = " \"C:\\a\" \"C:\\b\"";
    // The template's own space plus the list's leading space: two spaces.
    EXPECT_EQ(replacePathPlaceholder("app.exe %P", paths, cp), "app.exe  \"C:\\a\" \"C:\\b\"");
    EXPECT_EQ(replacePathPlaceholder("a %P b %p c", " \"x\"", cp), "a  \"x\" b  \"x\" c");
    EXPECT_EQ(replacePathPlaceholder("%p", " \"x\"", cp), " \"x\"");
    // The search goes on right after each occurrence.
    EXPECT_EQ(replacePathPlaceholder("%P%p", "L", cp), "LL");
    EXPECT_EQ(replacePathPlaceholder("%%PP", "L", cp), "%LP");
    EXPECT_EQ(replacePathPlaceholder("%%%p%", "L", cp), "%%L%");
}

TEST(PathPlaceholder, InsertedTextIsNeverSearched) {
    // A path that itself holds "%P" or "%p" arrives as it is.
    const std::string paths = quotedPathList(listOf({"C:\\100%P\\x", "D:\\%p"}), cp);
    EXPECT_EQ(replacePathPlaceholder("run %P end", paths, cp), "run  \"C:\\100%P\\x\" \"D:\\%p\" end");
}

TEST(PathPlaceholder, TemplateWithoutPlaceholderStaysAsItIs) {
    for (const char* t : {"", "notepad.exe", "a %Q b", "50% P", "P%", "%", "x=%"})
        EXPECT_EQ(replacePathPlaceholder(t, " \"C:\\a\"", cp), t) << t;
}

TEST(PathPlaceholder, EmptyListLeavesTheTemplatesSpace) {
    EXPECT_EQ(replacePathPlaceholder("app.exe %P", quotedPathList(MemoryRunList(), cp), cp), "app.exe ");
}

TEST(PathPlaceholder, DoubleByteCharactersWithTrailBytePStayWhole) {
    // パ is 83 70 and ケ is 83 50: trail bytes that read as "p" and "P". Upper-casing keeps
    // them (otherwise パ would become ケ), and "%" can never be a trail byte, so a match
    // never begins inside a character.
    EXPECT_EQ(cp.upper("パケp"), "パケP");
    EXPECT_EQ(replacePathPlaceholder("パ%P", "L", cp), "パL");
    EXPECT_EQ(replacePathPlaceholder("C:\\ケ\\%pパ", "L", cp), "C:\\ケ\\Lパ");
    EXPECT_EQ(replacePathPlaceholder("%ケ%パ", "L", cp), "%ケ%パ");
    EXPECT_EQ(replacePathPlaceholder("表%P\\ポ", "L", cp), "表L\\ポ");
}

TEST(PlanLaunch, FirstCaseInsensitiveNameMatchGivesTheTemplate) {
    const AppTable table{{"Edit=first.exe %P", "EDIT=second.exe %P", "Tool=t.exe a=b %P =", "Empty=",
                          "ケ=k.exe", "パ=pa.exe"}};
    const MemoryRunList list = listOf({"C:\\a"});
    EXPECT_EQ(planLaunch(list, "EDIT", &table, false, false, cp).commandLine, "first.exe  \"C:\\a\"");
    EXPECT_EQ(planLaunch(list, "edit", &table, false, false, cp).commandLine, "first.exe  \"C:\\a\"");
    // Everything after the name's "=" is the template, further "=" included.
    EXPECT_EQ(planLaunch(list, "tool", &table, false, false, cp).commandLine, "t.exe a=b  \"C:\\a\" =");
    // Names that differ only in a trail byte are different names.
    EXPECT_EQ(planLaunch(list, "パ", &table, false, false, cp).commandLine, "pa.exe");
    // No match, no selection, an empty template, no table: an empty command line.
    EXPECT_EQ(planLaunch(list, "Edi", &table, false, false, cp).commandLine, "");
    EXPECT_EQ(planLaunch(list, "", &table, false, false, cp).commandLine, "");
    EXPECT_EQ(planLaunch(list, "Empty", &table, false, false, cp).commandLine, "");
    EXPECT_EQ(planLaunch(list, "Edit", nullptr, false, false, cp).commandLine, "");
}

TEST(PlanLaunch, CarriesTheListAndBothAfterLaunchOptions) {
    const AppTable table{{"v=viewer.exe %P"}};
    const MemoryRunList list = listOf({"a", "b"});
    for (bool clear : {false, true}) {
        for (bool quit : {false, true}) {
            const LaunchPlan plan = planLaunch(list, "v", &table, clear, quit, cp);
            EXPECT_EQ(plan.quotedPathList, " \"a\" \"b\"");
            EXPECT_EQ(plan.commandLine, "viewer.exe  \"a\" \"b\"");
            EXPECT_EQ(plan.clearList, clear);
            EXPECT_EQ(plan.closeWindow, quit);
        }
    }
    // A missing table still gives the after-launch actions.
    const LaunchPlan noTable = planLaunch(list, "v", nullptr, true, true, cp);
    EXPECT_EQ(noTable.commandLine, "");
    EXPECT_TRUE(noTable.clearList);
    EXPECT_TRUE(noTable.closeWindow);
}

// A finder that knows exactly these program names.
ProgramFinder finds(std::initializer_list<const char*> names) {
    return [known = std::set<std::string>(names.begin(), names.end())](const std::string& name) {
        return known.count(name) > 0;
    };
}

TEST(InterpreterTarget, BatchFilesAndTheInterpreterByName) {
    const ProgramFinder none = finds({});
    for (const char* line : {"x.bat", "X.Bat", "\"C:\\a b\\x.CMD\" %P", "\"x.bat. \" a", "x.cmd.", "\"ポ.bat\"",
                             "\"C:\\表\\cmd\" /c", "C:\\Windows\\System32\\cmd.exe", "\"cmd.EXE\" /c x %P"})
        EXPECT_TRUE(runsThroughInterpreter(line, none, cp)) << line;
    EXPECT_TRUE(runsThroughInterpreter("cmd /c echo %P", finds({"cmd"}), cp));
    EXPECT_TRUE(runsThroughInterpreter("C:\\Windows\\System32\\cmd.exe /c x %P",
                                       finds({"C:\\Windows\\System32\\cmd.exe"}), cp));
    // Only the program's own name counts; a trail byte 0x5C (表) is no folder separator.
    for (const char* line : {"\"notepad.exe\" %P", "\"C:\\app.exe\" x.bat %P", "\"x.batch\"", "\"x.bat.exe\"",
                             "\"C:\\x.bat\\y.exe\"", "\"cmdx\"", "\"C:\\cmd\\app\"", "\"表cmd\"", "\"\""})
        EXPECT_FALSE(runsThroughInterpreter(line, none, cp)) << line;
}

TEST(InterpreterTarget, UnquotedNameIsTheFirstPrefixTheSystemFinds) {
    EXPECT_FALSE(runsThroughInterpreter("notepad.exe %P", finds({"notepad.exe"}), cp));
    EXPECT_FALSE(runsThroughInterpreter("notepad.exe x.bat %P", finds({"notepad.exe", "notepad.exe x.bat"}), cp));
    // A name the system does not find is passed over for the longer one.
    EXPECT_TRUE(runsThroughInterpreter("notepad.exe x.bat %P", finds({"notepad.exe x.bat"}), cp));
    EXPECT_TRUE(runsThroughInterpreter("C:\\a b\\x.bat %P", finds({"C:\\a b\\x.bat"}), cp));
    EXPECT_FALSE(runsThroughInterpreter("C:\\a b\\x.bat %P", finds({"C:\\a", "C:\\a b\\x.bat"}), cp));
    EXPECT_TRUE(runsThroughInterpreter("C:\\a\tb.cmd", finds({"C:\\a\tb.cmd"}), cp));
    // Nothing found: the whole line is the last name tried.
    EXPECT_TRUE(runsThroughInterpreter("app.exe x.bat", finds({}), cp));
    EXPECT_FALSE(runsThroughInterpreter("x.bat app.exe", finds({}), cp));
    // A lead byte takes the space or quote after it into its character: neither ends the name.
    EXPECT_TRUE(runsThroughInterpreter("d\x83 x.bat a", finds({"d\x83", "d\x83 x.bat"}), cp));
    EXPECT_TRUE(runsThroughInterpreter("\"d\x83\" x.bat\" a", finds({}), cp));
}

// The command line of a launch as UTF-16, for lines of ASCII text (one unit a byte).
std::u16string widened(std::string_view line) {
    return std::u16string(line.begin(), line.end());
}

// Whether a launch of the template on the entries may start: the program's kind by its name,
// then the interpreter's reading of the line.
bool mayStart(const std::string& commandTemplate, std::initializer_list<const char*> entries,
              bool delayedByDefault = false) {
    const AppTable table{{"a=" + commandTemplate}};
    const LaunchPlan plan = planLaunch(listOf(entries), "a", &table, false, false, cp);
    const auto start = interpreterStartOf(
        plan.commandLine, finds({"C:\\d\\show.bat", "cmd", "CMD.EXE", "C:/Windows/cmd.exe", "notepad.exe"}), cp);
    return !start || interpreterKeepsEntriesWhole(widened(plan.commandLine), plan.entries, *start, delayedByDefault);
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
    const AppTable table{{"a=x %p y %P"}};
    const LaunchPlan plan = planLaunch(listOf({"C:\\", "b"}), "a", &table, false, false, cp);
    ASSERT_EQ(plan.entries.size(), 4u);
    std::vector<std::string> texts;
    for (const EntrySpan& e : plan.entries) texts.push_back(plan.commandLine.substr(e.at, e.length));
    EXPECT_EQ(texts, (std::vector<std::string>{"C:\\\\", "b", "C:\\\\", "b"}));
    EXPECT_EQ(plan.commandLine[plan.entries[1].at - 1], '"');
}

}  // namespace
}  // namespace qm
