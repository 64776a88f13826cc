// Launches against real Win32: command lines built with the system's code page, started with
// CreateProcessW, and read back by qm_probe from its own GetCommandLineA.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "launch/process.h"
#include "launch_fixture.h"
#include "text/codepage.h"

namespace qm::launch_test {
namespace {

using test::toAcp;

TEST_F(LaunchProcessTest, ProgramGetsTheWholeListWithTwoSpacesBeforeIt) {
    fill({"C:\\My Files\\a.txt", "D:\\b"});
    list_->setSelected(1, true);
    const AppTable table = tableOf({"probe=" + probe_ + " %P"});
    EXPECT_EQ(launched("probe", table), probe_ + "  \"C:\\My Files\\a.txt\" \"D:\\b\"");
}

TEST_F(LaunchProcessTest, BothCasesOfThePlaceholderAreReplaced) {
    fill({"C:\\a", "C:\\100%P"});
    const AppTable table = tableOf({"p=" + probe_ + " -in%P -out%p"});
    EXPECT_EQ(launched("p", table), probe_ + " -in \"C:\\a\" \"C:\\100%P\" -out \"C:\\a\" \"C:\\100%P\"");
}

TEST_F(LaunchProcessTest, EmptyListAndTemplateWithoutPlaceholder) {
    const AppTable table = tableOf({"p=" + probe_ + " %P", "fixed=" + probe_ + " /x a=b"});
    EXPECT_EQ(launched("p", table), probe_ + " ");
    fill({"C:\\a"});
    EXPECT_EQ(launched("fixed", table), probe_ + " /x a=b");
}

TEST_F(LaunchProcessTest, NamesDifferingInCaseLaunchTheFirstEntry) {
    fill({"C:\\a"});
    const AppTable table = tableOf({"Probe=" + probe_ + " first%P", "PROBE=" + probe_ + " second%P"});
    EXPECT_EQ(launched("PROBE", table), probe_ + " first \"C:\\a\"");
    EXPECT_EQ(launched("probe", table), probe_ + " first \"C:\\a\"");
}

TEST_F(LaunchProcessTest, DoubleBytePathsArriveByteForByte) {
    // 表 and ポ end in 0x5C and 0x7C; パ and ケ in 0x70 and 0x50 ("p" and "P").
    fill({toAcp(L"C:\\表\\ポ.txt"), toAcp(L"D:\\パ\\ケ %p")});
    const AppTable table = tableOf({toAcp(L"表示=") + probe_ + toAcp(L" パ%pケ")});
    EXPECT_EQ(launched(toAcp(L"表示"), table), probe_ + toAcp(L" パ \"C:\\表\\ポ.txt\" \"D:\\パ\\ケ %p\"ケ"));
}

TEST_F(LaunchProcessTest, SystemCaseCallsKeepEveryCharacter) {
    const CodePage& cp = systemCodePage();
    // The case calls keep every character, those outside the code page too.
    EXPECT_EQ(cp.upper(u"\u30D1\u30B1p%p\u8868\u30DD"), u"\u30D1\u30B1P%P\u8868\u30DD");  // パケp%p表ポ
    EXPECT_EQ(cp.upper(u"caf\u00E9%p\u8868"), u"CAF\u00C9%P\u8868");
    EXPECT_TRUE(cp.equalsIgnoreCase(u"Caf\u00E9", u"CAF\u00C9"));
    EXPECT_FALSE(cp.equalsIgnoreCase(u"Caf\u00E9", u"Cafe"));
    EXPECT_TRUE(cp.equalsIgnoreCase(u"", u""));
}

TEST_F(LaunchProcessTest, MissingProgramOrEmptyLineStartsNothing) {
    const ExeSearchWithoutCurrentFolder search;
    ASSERT_TRUE(search.active());
    EXPECT_FALSE(startProcessOwned(u"\"C:\\no such folder\\missing.exe\" x", search).started());
    EXPECT_FALSE(startProcessOwned(u"", search).started());
}

TEST_F(LaunchProcessTest, ALineOf32767CharactersIsRefusedAndOneLessStartsWhole) {
    // The probe's name and the template's space, and the list's space and quotes.
    const std::size_t beside = probe_.size() + 4;
    const AppTable table = tableOf({"p=" + probe_ + " %P"});
    const std::string longest = std::string(32766 - beside, 'x');
    fill({longest + "x"});
    EXPECT_EQ(refusal("p", table), Refusal::LineTooLong);
    EXPECT_EQ(list_->count(), 1);
    EXPECT_FALSE(test::fileExists(out_));
    // 32,767 with its NUL: the whole line arrives, and the list is cleared after the start.
    list_->remove(0);
    fill({longest});
    EXPECT_EQ(refusal("p", table), Refusal::None);
    EXPECT_EQ(list_->count(), 0);
    EXPECT_EQ(probeOutput(), probe_ + "  \"" + longest + "\"");
}

TEST_F(LaunchProcessTest, AFailedStartKeepsTheListAndAStartedOneClearsIt) {
    const AppTable table = tableOf({"p=" + probe_ + " %P", "gone=C:\\nowhere\\missing.exe %P"});
    fill({"C:\\a", "C:\\b"});
    EXPECT_EQ(failure("gone", &table), toAcp(L"gone を起動できません"));
    EXPECT_EQ(failure("nothing", &table), toAcp(L"nothing を起動できません"));
    EXPECT_EQ(failure("p", nullptr), toAcp(L"p を起動できません"));
    EXPECT_EQ(refusal("gone", table), Refusal::StartFailed);
    EXPECT_EQ(list_->count(), 2);

    EXPECT_TRUE(launchFromRunList(*list_, u"P", &table, false, true));
    EXPECT_EQ(probeOutput(), probe_ + "  \"C:\\a\" \"C:\\b\"");
    EXPECT_EQ(list_->count(), 2);

    DeleteFileA(out_.c_str());
    EXPECT_FALSE(launchFromRunList(*list_, u"p", &table, true, false));
    EXPECT_EQ(probeOutput(), probe_ + "  \"C:\\a\" \"C:\\b\"");
    EXPECT_EQ(list_->count(), 0);
}

}  // namespace
}  // namespace qm::launch_test
