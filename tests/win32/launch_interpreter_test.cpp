// Launches through the command interpreter against real Win32: a batch file reads back the
// arguments the interpreter gives it, and a launch the interpreter would read otherwise than
// planned, or whose program the current folder could stand in for, starts nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <string>

#include "launch_fixture.h"
#include "text/codepage.h"

namespace qm::launch_test {
namespace {

using test::toAcp;

// A batch file runs through the command interpreter, which expands "%...%" even inside
// quotes. The batch writes its arguments, all and one by one, to the file QM_BATCH_OUT names.
class LaunchBatchTest : public LaunchProcessTest {
protected:
    void SetUp() override {
        LaunchProcessTest::SetUp();
        // A space in the folder: the unquoted template below finds the batch only after
        // passing over the name that ends at it.
        dir_ = std::make_unique<test::TempDir>(toAcp(L"表 ポ"));
        bat_ = dir_->file("args.bat");
        test::writeFile(bat_,
                        "@echo [%*]>\"%QM_BATCH_OUT%.part\"\r\n"
                        "@echo [%1][%2][%3][%4][%5][%6]>>\"%QM_BATCH_OUT%.part\"\r\n"
                        "@move /y \"%QM_BATCH_OUT%.part\" \"%QM_BATCH_OUT%\" >nul\r\n");
    }
    void TearDown() override {
        dir_.reset();
        LaunchProcessTest::TearDown();
    }
    // The file the batch writes for the next launch.
    std::string batchOutput() { return dir_->file("out" + std::to_string(++outputs_) + ".txt"); }

    std::unique_ptr<test::TempDir> dir_;
    std::string bat_;
    int outputs_ = 0;
};

TEST_F(LaunchBatchTest, EntriesWithoutPercentArriveUnchanged) {
    fill({"a&b", "c^d", "e!f", "g h", toAcp(L"C:\\表\\ポ.txt"), "&echo x>y&rem "});
    const std::string out = batchOutput();
    SetEnvironmentVariableA("QM_BATCH_OUT", out.c_str());
    const AppTable table = tableOf({"bat=\"" + bat_ + "\" %P"});
    EXPECT_FALSE(launchFromRunList(*list_, u"bat", &table, true, false));
    EXPECT_EQ(list_->count(), 0);
    // The batch renames its output into place; the file may still be held a moment after.
    std::string got;
    ASSERT_TRUE(test::waitUntil([&] { return !(got = test::readFile(out)).empty(); }, 30000));
    EXPECT_EQ(got,
              "[\"a&b\" \"c^d\" \"e!f\" \"g h\" \"C:\\\x95\x5c\\\x83\x7c.txt\" \"&echo x>y&rem \"]\r\n"
              "[\"a&b\"][\"c^d\"][\"e!f\"][\"g h\"][\"C:\\\x95\x5c\\\x83\x7c.txt\"][\"&echo x>y&rem \"]\r\n");
}

TEST_F(LaunchBatchTest, PercentForTheInterpreterIsRefusedAndStartsNothing) {
    // A quote in a variable would end the entry's quoting early and let the rest run.
    SetEnvironmentVariableA("QM_Q", "\"");
    // Where the injected command would write: a name without spaces.
    const std::string marker = test::tempPath("qm_injected");
    const std::string refused = batchOutput();
    SetEnvironmentVariableA("QM_BATCH_OUT", refused.c_str());
    const AppTable table = tableOf({"bat=" + bat_ + " %P", "cmd=cmd /c echo %P", "fixed=" + bat_ + " fixed"});
    fill({"C:\\a", "x%QM_Q%&echo INJECTED>" + marker + "&rem ", "%OS%.txt"});
    EXPECT_EQ(refusal("bat", table), Refusal::EntryChanged);
    EXPECT_EQ(refusal("cmd", table), Refusal::EntryChanged);
    EXPECT_EQ(list_->count(), 3);

    // A template without "%P" passes none of the list, and starts.
    const std::string fixed = batchOutput();
    SetEnvironmentVariableA("QM_BATCH_OUT", fixed.c_str());
    EXPECT_FALSE(launchFromRunList(*list_, u"fixed", &table, false, false));
    // The batch renames its output into place; the file may still be held a moment after.
    std::string got;
    ASSERT_TRUE(test::waitUntil([&] { return !(got = test::readFile(fixed)).empty(); }, 30000));
    EXPECT_EQ(got, "[fixed]\r\n[fixed][][][][][]\r\n");
    // The refused launches started nothing: once a later launch has finished, neither their
    // output nor the injected command's file is there.
    EXPECT_FALSE(test::fileExists(refused));
    EXPECT_FALSE(test::fileExists(marker));
    DeleteFileA(marker.c_str());
}

TEST_F(LaunchBatchTest, AnEntryTheInterpreterWouldReadOutsideQuotesStartsNothing) {
    // Where the entry's "mkdir" would make a folder: a name without spaces.
    const std::string pwned = test::tempPath("qm_pwned", "");
    const std::string entry = "C:\\dl\\x&mkdir " + pwned + "&.txt";
    fill({"C:\\a", entry});
    const std::string refused = batchOutput();
    SetEnvironmentVariableA("QM_BATCH_OUT", refused.c_str());
    // The interpreter strips the first and the last quote after "/c": the list then sits
    // outside quotes.
    const AppTable table = tableOf({"outer=cmd /c \"" + bat_ + "\" %P", "bare=cmd /c %P", "bat=\"" + bat_ + "\" %P",
                                    "inner=cmd /c \"\"" + bat_ + "\" %P\""});
    // The box says why; the list stays.
    EXPECT_EQ(failureText("outer", &table),
              u"outer を起動できません\nこのコマンドではリストの項目がコマンド プロンプトにそのまま渡りません。"
              u"コマンドの引用符や % を直してください");
    EXPECT_EQ(refusal("outer", table), Refusal::EntryNotWhole);
    EXPECT_EQ(refusal("bare", table), Refusal::EntryNotWhole);
    EXPECT_EQ(list_->count(), 2);
    // The usual shape, and the outer pair around it, hand the batch the entry whole.
    const std::string expected = "[\"C:\\a\" \"" + entry + "\"]\r\n[\"C:\\a\"][\"" + entry + "\"][][][][]\r\n";
    for (const char* name : {"bat", "inner"}) {
        const std::string out = batchOutput();
        SetEnvironmentVariableA("QM_BATCH_OUT", out.c_str());
        EXPECT_FALSE(launchFromRunList(*list_, u16(name), &table, false, false));
        std::string got;
        ASSERT_TRUE(test::waitUntil([&] { return !(got = test::readFile(out)).empty(); }, 30000)) << name;
        EXPECT_EQ(got, expected) << name;
    }
    EXPECT_FALSE(test::fileExists(refused));
    EXPECT_FALSE(test::fileExists(pwned));
    RemoveDirectoryA(pwned.c_str());
}

TEST_F(LaunchBatchTest, ALineLongerThanTheInterpreterReadsStartsNothing) {
    SetEnvironmentVariableA("QM_BATCH_OUT", batchOutput().c_str());  // where it would write, were it started
    const AppTable table = tableOf({"bat=\"" + bat_ + "\" %P", "cmd=cmd /c call \"" + bat_ + "\" %P"});
    // 9,000 characters: the quoted name, the template's space, the list's space and quotes.
    fill({"C:\\" + std::string(9000 - (u16(bat_).size() + 3) - 3 - 3, 'x')});
    const LaunchPlan plan = planLaunch(*list_, u"bat", &table, false, false, systemCodePage());
    ASSERT_EQ(plan.commandLine.line.size(), 9000u);
    EXPECT_EQ(refusal("bat", table), Refusal::InterpreterLineTooLong);
    EXPECT_EQ(refusal("cmd", table), Refusal::InterpreterLineTooLong);
    EXPECT_EQ(list_->count(), 1);
}

TEST_F(LaunchProcessTest, UnderTheSystemsCodePageEntriesStandWhereTheSpansSay) {
    // ポ ends in 0x7C: in UTF-16 it is one unit and no "|".
    const AppTable table = tableOf({"t=\"x.bat\" %P"});
    fill({toAcp(L"C:\\表\\ポ&.txt")});
    const LaunchPlan plan = planLaunch(*list_, u"t", &table, false, false, systemCodePage());
    const CommandLine& line = plan.commandLine;
    EXPECT_EQ(line.line, u"\"x.bat\"  \"C:\\\u8868\\\u30DD&.txt\"");
    ASSERT_EQ(line.entries.size(), 1u);
    EXPECT_EQ(line.line.substr(line.entries[0].at, line.entries[0].length), u"C:\\\u8868\\\u30DD&.txt");
    const auto nowhere = [](const std::u16string&) { return false; };
    EXPECT_EQ(refusalOf(plan, false, nowhere), Refusal::None);
    const AppTable outer = tableOf({"t=cmd /c \"x.bat\" %P"});
    const ProgramFinder findsCmd = [](const std::u16string& name) { return name == u"cmd"; };
    EXPECT_EQ(refusalOf(planLaunch(*list_, u"t", &outer, false, false, systemCodePage(), findsCmd), false, nowhere),
              Refusal::EntryNotWhole);
}

// A program planted in the tool's current folder under the name of a system program.
class LaunchCurrentFolderTest : public LaunchProcessTest {
protected:
    void SetUp() override {
        LaunchProcessTest::SetUp();
        char previous[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, previous);
        previous_ = previous;
        dir_ = std::make_unique<test::TempDir>("cwd");
        // The planted programs only note that they ran.
        tally_ = dir_->file("planted.txt");
        SetEnvironmentVariableA("QM_TALLY_OUT", tally_.c_str());
        for (const char* name : {"cmd.exe", "qm_only_here.exe"})
            ASSERT_TRUE(CopyFileA((test::programDir() + "\\qm_tally.exe").c_str(), dir_->file(name).c_str(), FALSE));
        ASSERT_TRUE(SetCurrentDirectoryA(dir_->path().c_str()));
        char path[32767];
        const DWORD length = GetEnvironmentVariableA("PATH", path, sizeof path);
        previousPath_.assign(path, length < sizeof path ? length : 0);
    }
    void TearDown() override {
        SetEnvironmentVariableA("PATH", previousPath_.c_str());
        SetEnvironmentVariableA("QM_BATCH_OUT", nullptr);
        SetCurrentDirectoryA(previous_.c_str());
        SetEnvironmentVariableA("QM_TALLY_OUT", nullptr);
        SetEnvironmentVariableA("NoDefaultCurrentDirectoryInExePath", nullptr);
        dir_.reset();
        LaunchProcessTest::TearDown();
    }
    // Launches "cmd.exe" by its bare name; the program writes its environment and its
    // current folder to a file, whose text comes back.
    std::string environmentOfStarted() {
        const std::string out = test::tempPath("qm_env");
        const AppTable table = tableOf({"c=cmd.exe /c set>\"" + out + "\"&cd>>\"" + out + "\"&rem %P"});
        EXPECT_FALSE(launchFromRunList(*list_, u"c", &table, false, false));
        std::string text;
        EXPECT_TRUE(test::waitUntil(
            [&] { return (text = test::readFile(out)).find("\r\n" + dir_->path()) != std::string::npos; }, 30000));
        DeleteFileA(out.c_str());
        return text;
    }

    std::unique_ptr<test::TempDir> dir_;
    std::string previous_, previousPath_, tally_;
};

TEST_F(LaunchCurrentFolderTest, ABareNameStartsTheSystemsProgramNeverThePlantedOne) {
    fill({"C:\\a"});
    const std::string text = environmentOfStarted();
    // The system's program ran, in the tool's current folder, with the tool's environment
    // and nothing added to it; the tool's own environment is as it was.
    EXPECT_NE(text.find("QM_TALLY_OUT="), std::string::npos);
    EXPECT_EQ(text.find("NoDefaultCurrentDirectoryInExePath"), std::string::npos);
    EXPECT_EQ(GetEnvironmentVariableA("NoDefaultCurrentDirectoryInExePath", nullptr, 0), 0u);
    // A program that only the current folder holds is not found.
    const AppTable table = tableOf({"only=qm_only_here.exe %P"});
    EXPECT_EQ(failure("only", &table), toAcp(L"only を起動できません"));
    EXPECT_FALSE(test::fileExists(tally_));
    // The user's own setting goes on to the program.
    SetEnvironmentVariableA("NoDefaultCurrentDirectoryInExePath", "x");
    EXPECT_NE(environmentOfStarted().find("NoDefaultCurrentDirectoryInExePath=x"), std::string::npos);
    EXPECT_FALSE(test::fileExists(tally_));
}

TEST_F(LaunchCurrentFolderTest, ABareBatchNameRunsTheOneOnTheSearchPathNeverAPlantedOne) {
    // On the search path: a batch file that writes its arguments to the file QM_BATCH_OUT names.
    const test::TempDir onPath("path");
    test::writeFile(onPath.file("tb.bat"),
                    "@echo [%*]>\"%QM_BATCH_OUT%.part\"\r\n"
                    "@move /y \"%QM_BATCH_OUT%.part\" \"%QM_BATCH_OUT%\" >nul\r\n");
    ASSERT_TRUE(SetEnvironmentVariableA("PATH", (onPath.path() + ";" + previousPath_).c_str()));
    // In the current folder: look-alikes that only note that they ran, of the batch and of the
    // interpreter's own commands, which it never looks up.
    for (const char* name : {"tb.bat", "tb.cmd", "call.bat", "ver.bat", "if.bat", "start.bat"})
        test::writeFile(dir_->file(name), "@echo planted %*>>\"" + tally_ + "\"\r\n");
    fill({"C:\\dir\\"});
    // "tb" wherever the interpreter runs it: first, after "call", "&&", "||" or a condition.
    const AppTable table =
        tableOf({"bare=tb.bat %P", "quoted=\"tb.bat\" %P", "cmd=cmd /c tb.bat %P", "ext=cmd /c tb %P", "plain=tb.bat",
                 "call=cmd /c call tb %P", "ver=cmd /c ver && tb %P", "if=cmd /c if 1==1 tb %P",
                 "or=cmd /c tbx %P || tb %P", "start=cmd /c start \"\" /b " + probe_ + " %P"});
    const char* const names[] = {"bare", "quoted", "cmd", "ext", "plain", "call", "ver", "if", "or"};
    // The name each looks up, as its template spells it.
    const char16_t* const lookedUp[] = {u"tb.bat", u"tb.bat", u"tb.bat", u"tb", u"tb.bat", u"tb", u"tb", u"tb", u"tb"};
    for (std::size_t i = 0; i < std::size(names); ++i) {
        std::u16string found;
        EXPECT_EQ(refusal(names[i], table, &found), Refusal::ProgramInCurrentFolder) << names[i];
        EXPECT_EQ(found, lookedUp[i]) << names[i];
    }
    EXPECT_EQ(failureText("bare", &table),
              u"bare を起動できません\n現在のフォルダに tb.bat のファイルがあります。"
              u"プログラムをフォルダ付きで書くか、別のフォルダから起動してください");
    EXPECT_EQ(list_->count(), 1);
    // Another of the extensions the interpreter tries makes "tb" a look-alike still.
    ASSERT_TRUE(DeleteFileA(dir_->file("tb.bat").c_str()));
    EXPECT_EQ(refusal("ext", table), Refusal::ProgramInCurrentFolder);
    ASSERT_TRUE(DeleteFileA(dir_->file("tb.cmd").c_str()));
    // With no look-alike the one on the search path runs, every way it is named, and gets the
    // entry as written (the list is cleared after each start).
    for (const char* name : names) {
        const std::string out = test::tempPath("qm_searched");
        SetEnvironmentVariableA("QM_BATCH_OUT", out.c_str());
        if (list_->count() == 0) fill({"C:\\dir\\"});
        EXPECT_EQ(refusal(name, table), Refusal::None) << name;
        std::string got;
        EXPECT_TRUE(test::waitUntil([&] { return !(got = test::readFile(out)).empty(); }, 30000)) << name;
        EXPECT_EQ(got, std::string(name) == "plain" ? "[]\r\n" : "[\"C:\\dir\\\"]\r\n") << name;
        DeleteFileA(out.c_str());
    }
    // The interpreter's own "start" starts the program it names (which Wine's hands the
    // entries split and joined again).
    fill({"C:\\a b"});
    EXPECT_EQ(refusal("start", table), Refusal::None);
    const std::string started = probeOutput();
    EXPECT_EQ(started.find(probe_ + " "), 0u) << started;
    EXPECT_NE(started.find("C:\\a b"), std::string::npos) << started;
    // Once those have run, no planted one has.
    EXPECT_FALSE(test::fileExists(tally_));
}

// The interpreter's default for delayed expansion, as the user's registry sets it; the value
// the prefix held before goes back afterwards.
class LaunchDelayedExpansionTest : public LaunchProcessTest {
protected:
    void SetUp() override {
        LaunchProcessTest::SetUp();
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Command Processor", 0, nullptr, 0,
                                  KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr),
                  ERROR_SUCCESS);
        DWORD size = sizeof previous_;
        had_ = RegQueryValueExW(key_, kValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&previous_), &size) ==
               ERROR_SUCCESS;
    }
    void TearDown() override {
        if (had_) {
            setDefault(previous_);
        } else {
            RegDeleteValueW(key_, kValue);
        }
        RegCloseKey(key_);
        LaunchProcessTest::TearDown();
    }
    void setDefault(DWORD on) {
        EXPECT_EQ(RegSetValueExW(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on), sizeof on),
                  ERROR_SUCCESS);
    }

    static constexpr const wchar_t* kValue = L"DelayedExpansion";
    HKEY key_ = nullptr;
    DWORD previous_ = 0;
    bool had_ = false;
};

TEST_F(LaunchDelayedExpansionTest, TheUsersDefaultDecidesWhetherABangIsTheInterpreters) {
    const AppTable table = tableOf({"cmd=cmd /c rem %P", "off=cmd /v:off /c rem %P"});
    fill({"a!b"});
    setDefault(1);
    EXPECT_EQ(refusal("cmd", table), Refusal::EntryChanged);
    EXPECT_EQ(list_->count(), 1);
    // The line's own switch wins over the default.
    EXPECT_EQ(refusal("off", table), Refusal::None);
    EXPECT_EQ(list_->count(), 0);
    fill({"a!b"});
    setDefault(0);
    EXPECT_EQ(refusal("cmd", table), Refusal::None);
    EXPECT_EQ(list_->count(), 0);
}

}  // namespace
}  // namespace qm::launch_test
