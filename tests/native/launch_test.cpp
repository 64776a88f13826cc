// The launch without a window: quoted path list, "%P" replacement, application lookup and
// the after-launch actions, with the code page 932 model.
#include <gtest/gtest.h>

#include <initializer_list>
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

}  // namespace
}  // namespace qm
