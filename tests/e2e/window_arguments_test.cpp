// Arguments reaching the window: the tool's own command line, read by GetCommandLineW and
// applied at creation before the window first shows, and hand-off texts cut at "|" by
// doublerun. Paths with double-byte characters whose trail byte is "\" (表) or "|" (ポ)
// must arrive whole both ways; names the code page lacks arrive as paths to their files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"
#include "ui/resource.h"
#include "wide_names.h"

namespace qm::e2e {
namespace {

using Items = std::vector<std::string>;

const std::string kIni = IniText().bytes();

class Arguments : public ToolTest {
protected:
    // Starts the tool with `args` and reads the run list as soon as the window shows.
    Items startWith(const std::string& args) {
        if (!startTool(kIni, args)) return {"(no window)"};
        return items();
    }
    bool topmost() const { return (GetWindowLongA(main_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
};

TEST_F(Arguments, CommandLinePathsAreInTheListWhenTheWindowFirstShows) {
    // Quoted paths with spaces arrive whole; 表 ends in 0x5C and ポ in 0x7C.
    EXPECT_EQ(startWith(toAcp(L"a \"C:\\my dir\\file name.txt\" C:\\表示\\ポート.txt \"D:\\表 ポ\\x\"")),
              (Items{"a", "C:\\my dir\\file name.txt", toAcp(L"C:\\表示\\ポート.txt"), toAcp(L"D:\\表 ポ\\x")}));
    EXPECT_FALSE(topmost());
    closeTool();
    EXPECT_EQ(startWith(""), Items{});
    EXPECT_FALSE(topmost());
}

TEST_F(Arguments, CommandLineIsSplitByTheToolsOwnRule) {
    const struct {
        const char* args;
        Items items;
    } cases[] = {
        {"a\tb\x01"
         "c\x1F"
         "d",
         {"a", "b", "c", "d"}},             // tabs and control characters are blanks
        {"\"\" x \"\"\"\" y", {"x", "y"}},  // empty quotes at an argument's start vanish
        {"x\"\"y", {"xy"}},                 // and add nothing inside one
        {"a\\\"b c\" d", {"a\\b c", "d"}},  // no escape: the backslash stays, the quote opens
        {"\"open to the end", {"open to the end"}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.args);
        EXPECT_EQ(startWith(k.args), k.items);
        closeTool();
    }
}

TEST_F(Arguments, SwitchesOnTheCommandLineCountAndTheSkipRuleDropsThatManyLeadingArguments) {
    const struct {
        const char* args;
        Items items;
        bool topmost;
    } cases[] = {
        {"/t x y", {"x", "y"}, true}, {"x /t y", {"/t", "y"}, true}, {"/d /t x", {"x"}, true}, {"/t", {}, true},
        {"/T x", {"/T", "x"}, false}, {"/tx /d", {"/d"}, false},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.args);
        EXPECT_EQ(startWith(k.args), k.items);
        EXPECT_EQ(topmost(), k.topmost);
        closeTool();
    }
}

TEST_F(Arguments, HandOffTextsAreCutAtBarsByWholeCharacters) {
    ASSERT_EQ(startWith("first"), Items{"first"});
    handOff(toAcp(L"C:\\表示\\ポート.txt|C:\\ポ|表"));  // the trail bytes 0x7C and 0x5C cut nothing
    handOff("x||y");                                    // an empty piece between
    handOff("z|");                                      // no piece after a final bar
    handOff("|w");                                      // an empty piece first
    handOff("");                                        // nothing at all
    handOff("first");                                   // duplicates are kept
    EXPECT_EQ(items(), (Items{"first", toAcp(L"C:\\表示\\ポート.txt"), toAcp(L"C:\\ポ"), toAcp(L"表"), "x", "", "y",
                              "z", "", "w", "first"}));
    // A later start hands its arguments over the same way.
    Process second = tool_->start(toAcp(L"\"C:\\ポ ポ\\表.txt\" v"));
    EXPECT_EQ(second.wait(10000), 0);
    const Items all = items();
    ASSERT_GE(all.size(), 2u);
    EXPECT_EQ(Items(all.end() - 2, all.end()), (Items{toAcp(L"C:\\ポ ポ\\表.txt"), "v"}));
}

TEST_F(Arguments, NamesOutsideTheCodePageReachTheListAndTheLaunchedProgramExactlyFromTheCommandLineAndALaterStart) {
    const WideNames names;
    // No short form can stand in for a name in the "\\?\" form, nor for one of 300
    // characters: only the name itself names its file.
    std::vector<std::wstring> given = names.paths();
    given.push_back(L"\\\\?\\" + names.dir() + L"\\r\u00E9sum\u00E9 \u2603" + std::wstring(300, L'\u7B80') + L".txt");
    std::wstring line;
    for (const std::wstring& p : given) line += L" \"" + p + L"\"";
    makeTool(probeIni());
    {
        ProbeOutput output(*tool_);
        tool_->start(line);
        main_ = findMainWindow();
    }
    ASSERT_NE(main_, nullptr);
    expectListedAndLaunched(*tool_, main_, given);
    // A later start hands them over in UTF-16, whole.
    EXPECT_EQ(tool_->start(line).wait(), 0);
    std::vector<std::wstring> twice = given;
    twice.insert(twice.end(), given.begin(), given.end());
    expectListedAndLaunched(*tool_, main_, twice);
}

}  // namespace
}  // namespace qm::e2e
