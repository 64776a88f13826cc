// The launch without a window: quoted path list, "%P" replacement, application lookup and
// the after-launch actions, with the code page 932 model.
#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <string>

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

TEST(PercentCheck, WalksWholeCharacters) {
    for (const char* text : {"%", "C:\\100%\\a", "%OS%.txt", "表%", "x\x83%"})
        EXPECT_TRUE(holdsPercent(text, cp)) << text;
    for (const char* text : {"", "C:\\表\\ポ.txt", "a&b^c!d", "パケ"}) EXPECT_FALSE(holdsPercent(text, cp)) << text;
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

TEST(InterpreterTarget, RefusedOnlyForAPercentOnAnInterpreterLine) {
    const AppTable table{{"b=x.bat %P", "fixed=x.bat /q", "n=notepad.exe %P", "c=cmd /c type %P"}};
    const ProgramFinder found = finds({"x.bat", "notepad.exe", "cmd"});
    const MemoryRunList percent = listOf({"C:\\a", "x%QM_Q%&echo INJECTED>f&rem "});
    const MemoryRunList plain = listOf({"C:\\a&b", "c^d!", "表 ポ"});
    EXPECT_TRUE(interpreterWouldAlterList(planLaunch(percent, "b", &table, true, true, cp), found, cp));
    EXPECT_TRUE(interpreterWouldAlterList(planLaunch(percent, "c", &table, true, true, cp), found, cp));
    EXPECT_FALSE(interpreterWouldAlterList(planLaunch(percent, "fixed", &table, true, true, cp), found, cp));
    EXPECT_FALSE(interpreterWouldAlterList(planLaunch(percent, "n", &table, true, true, cp), found, cp));
    EXPECT_FALSE(interpreterWouldAlterList(planLaunch(plain, "b", &table, true, true, cp), found, cp));
    EXPECT_FALSE(interpreterWouldAlterList(planLaunch(plain, "c", &table, true, true, cp), found, cp));
}

}  // namespace
}  // namespace qm
