// Launching from the window: "実行" starts the chosen application on the quoted run list
// (the probe records the command line it got), then the two check boxes apply.
#include <gtest/gtest.h>

#include "harness.h"
#include "ui/Unit1.h"

namespace qm::e2e {
namespace {

class LifecycleLaunch : public ::testing::Test {
protected:
    void SetUp() override {
        probe_ = programDir() + "\\qm_probe.exe";
        ASSERT_TRUE(fileExists(probe_)) << probe_;
    }
    // A tool whose first application is the probe; the probe writes into the tool's folder.
    void open(const std::string& check, const std::string& args) {
        tool_ = std::make_unique<Tool>("[app]\r\nprobe=\"" + probe_ + "\" %P\r\nother=nothing.exe\r\n" + check);
        out_ = tool_->dir() + "\\probe.txt";
        SetEnvironmentVariableA("QM_PROBE_OUT", out_.c_str());  // passed on to the tool, and by it to the probe
        process_ = tool_->start(args);
        main_ = findMainWindow();
        ASSERT_NE(main_, nullptr);
    }
    void TearDown() override { SetEnvironmentVariableA("QM_PROBE_OUT", nullptr); }
    HWND c(UINT id) { return control(main_, id); }
    void click(UINT id) { SendMessageW(c(id), BM_CLICK, 0, 0); }
    // The command line the probe was started with; empty when it did not run.
    std::string probeLine() {
        waitUntil([&] { return !readFile(out_).empty(); }, 5000);
        return readFile(out_);
    }

    std::string probe_, out_;
    std::unique_ptr<Tool> tool_;
    Process process_;
    HWND main_ = nullptr;
};

TEST_F(LifecycleLaunch, RunButtonStartsTheProbeOnTheQuotedListAndKeepsTheList) {
    open("", "a \"b c\" \x83\x7C\x95\x5C");  // ポ表
    // Selected or not, every entry goes in list order.
    SendMessageW(c(kIdListBox1), LB_SETSEL, TRUE, 1);
    click(kIdButton6);
    EXPECT_EQ(probeLine(), "\"" + probe_ + "\"  \"a\" \"b c\" \"\x83\x7C\x95\x5C\"");
    EXPECT_EQ(listItems(c(kIdListBox1)).size(), 3u);
    EXPECT_EQ(process_.wait(0), -1);  // still running

    // "クリア" removes the selected entries only.
    click(kIdButton3);
    EXPECT_EQ(listItems(c(kIdListBox1)), (std::vector<std::string>{"a", "\x83\x7C\x95\x5C"}));
    EXPECT_TRUE(tool_->close(main_));
}

TEST_F(LifecycleLaunch, ClearOptionEmptiesTheListAfterTheStart) {
    open("", "x y");
    click(kIdCheckBox1);
    ASSERT_EQ(SendMessageW(c(kIdCheckBox1), BM_GETCHECK, 0, 0), BST_CHECKED);
    click(kIdButton6);
    EXPECT_EQ(probeLine(), "\"" + probe_ + "\"  \"x\" \"y\"");
    EXPECT_TRUE(listItems(c(kIdListBox1)).empty());
    EXPECT_EQ(process_.wait(0), -1);
    EXPECT_TRUE(tool_->close(main_));
}

TEST_F(LifecycleLaunch, QuitOptionClosesTheWindowAndWritesTheSettings) {
    open("[check]\r\nquit=1\r\n", "q");
    click(kIdButton6);
    EXPECT_EQ(process_.wait(), 0);
    EXPECT_EQ(probeLine(), "\"" + probe_ + "\"  \"q\"");
    const std::string ini = readFile(tool_->iniPath());
    EXPECT_EQ(iniValue(ini, "check", "quit"), "1");
    EXPECT_EQ(iniValue(ini, "check", "clear"), "0");
    for (const char* key : {"Top", "Left", "Height", "Width"}) EXPECT_NE(iniValue(ini, "Pos", key), "<missing>") << key;
}

}  // namespace
}  // namespace qm::e2e
