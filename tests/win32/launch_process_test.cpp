// Launches against real Win32: command lines built with the system's code page, started with
// CreateProcessW, and read back by qm_probe from its own GetCommandLineA or by a batch file
// from the arguments the command interpreter gives it.
#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "launch/launch.h"
#include "launch/process.h"
#include "launch/run.h"
#include "support/desktop.h"
#include "support/files.h"
#include "text/codepage.h"
#include "text/error.h"

namespace qm {

void PrintTo(Refusal refusal, std::ostream* os) {
    *os << "Refusal " << static_cast<int>(refusal);
}

namespace {

std::string readWhole(HANDLE f) {
    std::string out;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
    return out;
}

// Code page text (as these tests spell it) in UTF-16, as the settings file gives it.
std::u16string u16(const std::string& acp) {
    const std::wstring w = test::fromAcp(acp);
    return std::u16string(w.begin(), w.end());
}
AppTable tableOf(std::initializer_list<std::string> entries) {
    AppTable table;
    for (const std::string& e : entries) table.entries.push_back(u16(e));
    return table;
}

class LaunchProcessTest : public test::ListBoxFixture {
protected:
    void SetUp() override {
        ListBoxFixture::SetUp();
        // The probe inherits the environment, and with it the name of the file to write.
        out_ = test::tempPath("qm_launch");
        SetEnvironmentVariableA("QM_PROBE_OUT", out_.c_str());
        probe_ = "\"" + test::programDir() + "\\qm_probe.exe\"";
    }
    void TearDown() override {
        DeleteFileA(out_.c_str());
        ListBoxFixture::TearDown();
    }

    // Launches the application as the "実行" button does and returns what the probe got.
    std::string launched(std::string_view name, const AppTable& table) {
        DeleteFileA(out_.c_str());
        EXPECT_FALSE(launchFromRunList(*list_, u16(std::string(name)), &table, false, false)) << name;
        return probeOutput();
    }
    // Why a launch with "clear" checked starts nothing (Refusal::None: it started).
    Refusal refusal(std::string_view name, const AppTable& table) {
        return startLaunch(*list_, u16(std::string(name)), &table, true);
    }
    // The AppError text of a launch that fails, with both after-launch options checked.
    std::string failure(std::string_view name, const AppTable* table) {
        try {
            launchFromRunList(*list_, u16(std::string(name)), table, true, true);
        } catch (const AppError& e) {
            return test::toAcp(std::wstring(e.text().begin(), e.text().end()));
        }
        return std::string("(started)");
    }
    // The probe holds its file open without sharing until it has written everything, so the
    // file opens here only once it is complete.
    std::string probeOutput() {
        for (int i = 0; i < 1500; ++i) {
            HANDLE f = CreateFileA(out_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            if (f != INVALID_HANDLE_VALUE) {
                const std::string text = readWhole(f);
                CloseHandle(f);
                return text;
            }
            Sleep(20);
        }
        ADD_FAILURE() << "the probe wrote nothing";
        return std::string();
    }
    void fill(std::initializer_list<std::string> entries) {
        for (const std::string& e : entries) list_->append(u16(e));
    }

    std::string out_;
    std::string probe_;
};

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
    fill({"C:\\表\\ポ.txt", "D:\\パ\\ケ %p"});
    const AppTable table = tableOf({"表示=" + probe_ + " パ%pケ"});
    EXPECT_EQ(launched("表示", table), probe_ + " パ \"C:\\表\\ポ.txt\" \"D:\\パ\\ケ %p\"ケ");
}

TEST_F(LaunchProcessTest, SystemUpperCaseKeepsTrailBytes) {
    const CodePage& cp = systemCodePage();
    EXPECT_EQ(cp.upper("パケp%p表ポ"), "パケP%P表ポ");
    // In UTF-16 the same calls keep every character, those outside the code page too.
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
    EXPECT_EQ(failure("gone", &table), "gone を起動できません");
    EXPECT_EQ(failure("nothing", &table), "nothing を起動できません");
    EXPECT_EQ(failure("p", nullptr), "p を起動できません");
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

// A batch file runs through the command interpreter, which expands "%...%" even inside
// quotes. The batch writes its arguments, all and one by one, to the file QM_BATCH_OUT names.
class LaunchBatchTest : public LaunchProcessTest {
protected:
    void SetUp() override {
        LaunchProcessTest::SetUp();
        // A space in the folder: the unquoted template below finds the batch only after
        // passing over the name that ends at it.
        dir_ = std::make_unique<test::TempDir>("表 ポ");
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
    fill({"a&b", "c^d", "e!f", "g h", "C:\\表\\ポ.txt", "&echo x>y&rem "});
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
    EXPECT_EQ(refusal("bat", table), Refusal::EntryNotWhole);
    EXPECT_EQ(refusal("cmd", table), Refusal::EntryNotWhole);
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
    // The user sees the usual box; the list stays.
    EXPECT_EQ(failure("outer", &table), "outer を起動できません");
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
    fill({"C:\\表\\ポ&.txt"});
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
    EXPECT_EQ(failure("only", &table), "only を起動できません");
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
    // In the current folder: look-alikes that only note that they ran.
    for (const char* name : {"tb.bat", "tb.cmd"})
        test::writeFile(dir_->file(name), "@echo planted %*>>\"" + tally_ + "\"\r\n");
    fill({"C:\\dir\\"});
    const AppTable table =
        tableOf({"bare=tb.bat %P", "quoted=\"tb.bat\" %P", "cmd=cmd /c tb.bat %P", "ext=cmd /c tb %P", "plain=tb.bat"});
    const char* const names[] = {"bare", "quoted", "cmd", "ext", "plain"};
    for (const char* name : names) EXPECT_EQ(refusal(name, table), Refusal::ProgramInCurrentFolder) << name;
    EXPECT_EQ(failure("bare", &table), "bare を起動できません");
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
    // Once those have run, no planted one has.
    EXPECT_FALSE(test::fileExists(tally_));
}

}  // namespace
}  // namespace qm
