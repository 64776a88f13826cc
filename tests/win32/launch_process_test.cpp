// Launches against real Win32: command lines built with the system's code page, started with
// CreateProcessA, and read back by qm_probe from its own GetCommandLineA.
#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "launch/launch.h"
#include "launch/process.h"
#include "text/codepage.h"
#include "text/error.h"
#include "support/desktop.h"
#include "support/files.h"

namespace qm {
namespace {

std::string readWhole(HANDLE f) {
    std::string out;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
    return out;
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

    // Starts the command line, waits for the probe by its handle and returns what it got.
    std::string commandLineSeenBy(const std::string& commandLine) {
        StartedProcess p = startProcessOwned(commandLine);
        EXPECT_TRUE(p.started()) << commandLine;
        if (!p.started()) return "(not started)";
        EXPECT_EQ(WaitForSingleObject(p.process(), 30000), WAIT_OBJECT_0);
        DWORD code = 1;
        GetExitCodeProcess(p.process(), &code);
        EXPECT_EQ(code, 0u);
        return probeOutput();
    }
    std::string launched(std::string_view name, const AppTable& table) {
        return commandLineSeenBy(planLaunch(*list_, name, &table, false, false, systemCodePage()).commandLine);
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
    void fill(std::initializer_list<const char*> entries) {
        for (const char* e : entries) list_->append(e);
    }

    std::string out_;
    std::string probe_;
};

TEST_F(LaunchProcessTest, ProgramGetsTheWholeListWithTwoSpacesBeforeIt) {
    fill({"C:\\My Files\\a.txt", "D:\\b"});
    list_->setSelected(1, true);
    const AppTable table{{"probe=" + probe_ + " %P"}};
    EXPECT_EQ(launched("probe", table), probe_ + "  \"C:\\My Files\\a.txt\" \"D:\\b\"");
}

TEST_F(LaunchProcessTest, BothCasesOfThePlaceholderAreReplaced) {
    fill({"C:\\a", "C:\\100%P"});
    const AppTable table{{"p=" + probe_ + " -in%P -out%p"}};
    EXPECT_EQ(launched("p", table), probe_ + " -in \"C:\\a\" \"C:\\100%P\" -out \"C:\\a\" \"C:\\100%P\"");
}

TEST_F(LaunchProcessTest, EmptyListAndTemplateWithoutPlaceholder) {
    const AppTable table{{"p=" + probe_ + " %P", "fixed=" + probe_ + " /x a=b"}};
    EXPECT_EQ(launched("p", table), probe_ + " ");
    fill({"C:\\a"});
    EXPECT_EQ(launched("fixed", table), probe_ + " /x a=b");
}

TEST_F(LaunchProcessTest, NamesDifferingInCaseLaunchTheFirstEntry) {
    fill({"C:\\a"});
    const AppTable table{{"Probe=" + probe_ + " first%P", "PROBE=" + probe_ + " second%P"}};
    EXPECT_EQ(launched("PROBE", table), probe_ + " first \"C:\\a\"");
    EXPECT_EQ(launched("probe", table), probe_ + " first \"C:\\a\"");
}

TEST_F(LaunchProcessTest, DoubleBytePathsArriveByteForByte) {
    // 表 and ポ end in 0x5C and 0x7C; パ and ケ in 0x70 and 0x50 ("p" and "P").
    fill({"C:\\表\\ポ.txt", "D:\\パ\\ケ %p"});
    const AppTable table{{"表示=" + probe_ + " パ%pケ"}};
    EXPECT_EQ(launched("表示", table), probe_ + " パ \"C:\\表\\ポ.txt\" \"D:\\パ\\ケ %p\"ケ");
}

TEST_F(LaunchProcessTest, SystemUpperCaseKeepsTrailBytes) {
    const CodePage& cp = systemCodePage();
    EXPECT_EQ(cp.upper("パケp%p表ポ"), "パケP%P表ポ");
    EXPECT_FALSE(cp.equalsIgnoreCase("パ", "ケ"));
    EXPECT_TRUE(cp.equalsIgnoreCase("abc", "ABC"));
}

TEST_F(LaunchProcessTest, MissingProgramEmptyOrOverlongLineStartsNothing) {
    EXPECT_FALSE(startProcessOwned("\"C:\\no such folder\\missing.exe\" x").started());
    EXPECT_FALSE(startProcessOwned("").started());
    // 32,767 UTF-16 characters with the NUL: counted after the conversion, so a line of
    // double-byte characters may hold twice as many bytes.
    EXPECT_TRUE(commandLineFits(std::string(32766, 'a')));
    EXPECT_FALSE(commandLineFits(std::string(32767, 'a')));
    std::string wide;
    for (int i = 0; i < 32766; ++i) wide += "表";
    EXPECT_TRUE(commandLineFits(wide));
    EXPECT_FALSE(commandLineFits(wide + "a"));
    const std::string tooLong = probe_ + " " + std::string(32767 - probe_.size(), 'x');
    EXPECT_FALSE(startProcessOwned(tooLong).started());
    EXPECT_TRUE(startProcessOwned(tooLong.substr(0, 32766)).started());
    EXPECT_EQ(probeOutput(), tooLong.substr(0, 32766));
}

TEST_F(LaunchProcessTest, AFailedStartKeepsTheListAndAStartedOneClearsIt) {
    const AppTable table{{"p=" + probe_ + " %P", "gone=C:\\nowhere\\missing.exe %P"}};
    fill({"C:\\a", "C:\\b"});
    LaunchPlan plan;
    auto failure = [&](std::string_view name, const AppTable* t) {
        try {
            launchFromRunList(*list_, name, t, true, true, plan);
        } catch (const AppError& e) {
            return e.text();
        }
        return std::string("(started)");
    };
    EXPECT_EQ(failure("gone", &table), "gone を起動できません");
    EXPECT_EQ(plan.commandLine, "C:\\nowhere\\missing.exe  \"C:\\a\" \"C:\\b\"");
    EXPECT_EQ(failure("nothing", &table), "nothing を起動できません");
    EXPECT_EQ(failure("p", nullptr), "p を起動できません");
    EXPECT_EQ(list_->count(), 2);

    EXPECT_TRUE(launchFromRunList(*list_, "P", &table, false, true, plan));
    EXPECT_EQ(probeOutput(), probe_ + "  \"C:\\a\" \"C:\\b\"");
    EXPECT_EQ(list_->count(), 2);

    DeleteFileA(out_.c_str());
    EXPECT_FALSE(launchFromRunList(*list_, "p", &table, true, false, plan));
    EXPECT_EQ(probeOutput(), probe_ + "  \"C:\\a\" \"C:\\b\"");
    EXPECT_EQ(list_->count(), 0);
}

}  // namespace
}  // namespace qm
