// The launch's plan without a window: quoted path list, "%P" replacement, application lookup
// and the after-launch actions, with the code page 932 model.
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

// The quoted path list alone: the line of the template "%P".
std::u16string quotedList(const RunList& list) {
    const AppTable table{{u"q=%P"}};
    return planLaunch(list, u"q", &table, false, false, cp).commandLine.line;
}

TEST(QuotedPathList, QuotesEveryEntryInOrderSelectedOrNot) {
    EXPECT_EQ(quotedList(MemoryRunList()), u"");
    MemoryRunList list = listOf({u"C:\\a.txt", u"C:\\My Files\\b c.txt", u"C:\\a.txt"});
    list.setSelected(1, true);
    EXPECT_EQ(quotedList(list), u" \"C:\\a.txt\" \"C:\\My Files\\b c.txt\" \"C:\\a.txt\"");
    // Not trimmed; characters whose code page bytes end in "\" or "|", and characters outside
    // the code page, stay whole, also at the end.
    EXPECT_EQ(quotedList(listOf({u" x ", u"C:\\表\\ポ.txt", u"D:\\表", u"a\\b", u"E:\\caf\u00E9 \U0001F600"})),
              u" \" x \" \"C:\\表\\ポ.txt\" \"D:\\表\" \"a\\b\" \"E:\\caf\u00E9 \U0001F600\"");
    // Building the list leaves the run list as it was.
    EXPECT_EQ(list.count(), 3);
    EXPECT_TRUE(list.isSelected(1));
}

TEST(QuotedPathList, EveryEntryStaysOneArgument) {
    // Backslashes that end an entry are doubled, so that none escapes the closing quote.
    EXPECT_EQ(quotedList(listOf({u"C:\\", u"D:\\dir\\", u"E:\\a\\\\", u"\\"})),
              u" \"C:\\\\\" \"D:\\dir\\\\\" \"E:\\a\\\\\\\\\" \"\\\\\"");
    // Quotes are left out, and a backslash then at the end is doubled; the full-width quote
    // is no quote.
    EXPECT_EQ(quotedList(listOf({u"say \"hi\"", u"a\" & b", u"C:\\x\\\"", u"\uFF02\"z\uFF02"})),
              u" \"say hi\" \"a & b\" \"C:\\x\\\\\" \"\uFF02z\uFF02\"");
    // Surrogate pairs and surrogates alone go in as they are, backslashes behind them doubled.
    const std::u16string high{u'a', 0xD800}, low{0xDC00, u'\\'};
    EXPECT_EQ(quotedList(listOf({u"C:\\\U0001F600\\", u"\U0001F600\\\\", high, low})),
              u" \"C:\\\U0001F600\\\\\" \"\U0001F600\\\\\\\\\" \"" + high + u"\" \"" + low + u"\\\"");
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
    const MemoryRunList list = listOf({u"C:\\a"});
    const auto line = [&](std::u16string_view name, const AppTable* t) {
        return planLaunch(list, name, t, false, false, cp).commandLine.line;
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
    const MemoryRunList list = listOf({u"a", u"b\\", u"\U0001F600"});
    for (bool clear : {false, true}) {
        for (bool quit : {false, true}) {
            const LaunchPlan plan = planLaunch(list, u"v", &table, clear, quit, cp);
            EXPECT_EQ(plan.commandLine.line, u"viewer.exe  \"a\" \"b\\\\\" \"\U0001F600\"");
            EXPECT_EQ(plan.clearList, clear);
            EXPECT_EQ(plan.closeWindow, quit);
        }
    }
    // A missing table still gives the after-launch actions.
    const LaunchPlan noTable = planLaunch(list, u"v", nullptr, true, true, cp);
    EXPECT_EQ(noTable.commandLine.line, u"");
    EXPECT_TRUE(noTable.clearList);
    EXPECT_TRUE(noTable.closeWindow);
}

TEST(PlanLaunch, AProgramNamedWithItsFullPathIsSearchedForNowhere) {
    for (const char16_t* line : {u"\"C:\\a b\\x.exe\" y", u"C:\\Program Files\\x.exe", u"c:/x.exe",
                                 u"\\\\srv\\s\\x.exe", u"\"\\\\?\\C:\\x.exe\"", u"Z:\\"})
        EXPECT_TRUE(programNamedWithFullPath(line)) << ::testing::PrintToString(std::u16string(line));
    // A bare name, one relative to a drive's or the current folder, or the current drive's root.
    for (const char16_t* line : {u"x.exe", u"\"x.exe\" C:\\a", u"C:x.exe", u"\\x.exe", u".\\x.exe", u"", u"\"",
                                 u"1:\\x.exe", u"\u00C4:\\x.exe", u"x C:\\a"})
        EXPECT_FALSE(programNamedWithFullPath(line)) << ::testing::PrintToString(std::u16string(line));
}

TEST(CannotStart, ARefusalSaysWhyOnASecondLineAndAFailedStartDoesNot) {
    EXPECT_EQ(cannotStartText(u"app", Refusal::StartFailed, u""), u"app を起動できません");
    std::set<std::u16string> reasons;
    for (const Refusal refusal : {Refusal::SearchTakesCurrentFolder, Refusal::LineTooLong,
                                  Refusal::InterpreterLineTooLong, Refusal::EntryNotWhole, Refusal::EntryChanged,
                                  Refusal::ProgramInCurrentFolder, Refusal::ProgramNameInDoubt}) {
        const std::u16string text = cannotStartText(u"\u2603 caf\u00E9", refusal, u"tb.bat");
        const std::size_t lineEnd = text.find(u'\n');
        ASSERT_NE(lineEnd, std::u16string::npos) << static_cast<int>(refusal);
        EXPECT_EQ(text.substr(0, lineEnd), u"\u2603 caf\u00E9 を起動できません");
        const std::u16string reason = text.substr(lineEnd + 1);
        EXPECT_GT(reason.size(), 10u) << static_cast<int>(refusal);
        EXPECT_EQ(reason.find(u'\n'), std::u16string::npos) << static_cast<int>(refusal);
        reasons.insert(reason);
    }
    EXPECT_EQ(reasons.size(), 7u);  // each its own
    // The look-alike is named, a name holding "%s" or "%d" as it is.
    EXPECT_NE(cannotStartText(u"a", Refusal::ProgramInCurrentFolder, u"x%d%s").find(u"に x%d%s のファイル"),
              std::u16string::npos);
}

}  // namespace
}  // namespace qm
