// Launching from the window: "実行" starts the chosen application on the quoted run list
// (the probe records the command line it got and how it splits), then the two check boxes
// apply; a start that fails says so and keeps the list and the window, and a launch the tool
// refuses says why. A batch file beside the tool runs when the tool starts from its own folder.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "harness.h"
#include "ui/resource.h"

namespace qm::e2e {
namespace {

class LifecycleLaunch : public ToolTest {
protected:
    void SetUp() override {
        probe_ = programDir() + "\\qm_probe.exe";
        ASSERT_TRUE(fileExists(probe_)) << probe_;
    }
    // A tool whose first application is the probe; the probe writes into the tool's folder.
    void open(const std::string& check, const std::string& args) {
        // In UTF-8 with its mark: the second application's name, "☃ café", is outside the
        // code page.
        makeTool("\xEF\xBB\xBF[app]\r\nprobe=\"" + probe_ + "\" %P\r\n\xE2\x98\x83 caf\xC3\xA9=nothing.exe\r\n" +
                 check);
        out_ = tool_->dir() + "\\probe.txt";
        args_ = tool_->dir() + "\\probe-args.bin";
        // Passed on to the tool, and by it to the probe.
        SetEnvironmentVariableA("QM_PROBE_OUT", out_.c_str());
        SetEnvironmentVariableA("QM_PROBE_ARGS", args_.c_str());
        ASSERT_NE(startMadeTool(args), nullptr);
    }
    void TearDown() override {
        SetEnvironmentVariableA("QM_PROBE_OUT", nullptr);
        SetEnvironmentVariableA("QM_PROBE_ARGS", nullptr);
        SetEnvironmentVariableA("QM_BATCH_OUT", nullptr);
        process_.end();  // a tool startFrom started, should the test have stopped early
    }
    void click(UINT id) { SendMessageW(c(id), BM_CLICK, 0, 0); }
    // The command line the probe was started with; empty when it did not run.
    std::string probeLine() {
        waitUntil([&] { return !readFile(out_).empty(); }, 5000);
        return readFile(out_);
    }
    // The probe's arguments as CommandLineToArgvW split its line, its own path first.
    std::vector<std::string> probeArgs() {
        probeLine();
        std::vector<std::string> out;
        const std::string all = readFile(args_);
        for (std::size_t at = 0; at < all.size();) {
            const std::size_t nul = all.find('\0', at);
            out.push_back(all.substr(at, nul - at));
            at = nul == std::string::npos ? all.size() : nul + 1;
        }
        return out;
    }
    // Entries arrive through the hand-off, as a later start's arguments would.
    void handOff(const std::string& text, std::size_t count) {
        sendCopyData(main_, text.data(), static_cast<DWORD>(text.size()));
        ASSERT_TRUE(waitUntil([&] { return listItems(c(kIdListBox1)).size() == count; }));
    }
    // Clicks "実行" expecting an error box for `name`: the failed start's text, and under it
    // `why`, a refusal's reason; answers it.
    void failedStart(const std::wstring& name, const std::wstring& why = std::wstring()) {
        PostMessageW(c(kIdButton6), BM_CLICK, 0, 0);  // posted: the error box holds the click
        const HWND box = findMessageBox(process_.pid());
        ASSERT_NE(box, nullptr);
        // " を起動できません", and the error box's "." at the end.
        const std::wstring cannot = name + L" \u3092\u8D77\u52D5\u3067\u304D\u307E\u305B\u3093";
        EXPECT_EQ(readMessageBox(box).wideText, (why.empty() ? cannot : cannot + L"\n" + why) + L".");
        pressOk(box);
        EXPECT_TRUE(answers(main_));
    }
    // Starts the tool made before with `dir` as its current folder.
    void startFrom(const std::string& dir) {
        ASSERT_TRUE(waitUntil([] { return FindWindowA("TQuillmoorMW", nullptr) == nullptr; }));
        process_ = startProcess("\"" + tool_->exePath() + "\"", dir);
        main_ = findMainWindow();
        ASSERT_NE(main_, nullptr);
    }
    // Clicks "実行" and waits for `out` to be written; what it holds, or the text of the box
    // that came instead (answered).
    std::wstring runAndRead(const std::string& out) {
        DeleteFileA(out.c_str());
        PostMessageW(c(kIdButton6), BM_CLICK, 0, 0);
        HWND box = nullptr;
        waitUntil([&] { return fileExists(out) || (box = findMessageBox(process_.pid(), 0)) != nullptr; }, 30000);
        if (box) {
            const std::wstring text = readMessageBox(box).wideText;
            pressOk(box);
            return L"box: " + text;
        }
        std::string got;
        waitUntil([&] { return !(got = readFile(out)).empty(); });
        return fromAcp(got);
    }

    std::string probe_, out_, args_;
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

TEST_F(LifecycleLaunch, QuitOptionClosesTheWindowAndWritesTheSettingsBeforeTheClickReturns) {
    open("[check]\r\nquit=1\r\n", "q");
    click(kIdButton6);
    // The close sequence ran inside the click: settings written, window out of view.
    EXPECT_FALSE(IsWindowVisible(main_));
    const std::string ini = readFile(tool_->iniPath());
    EXPECT_EQ(process_.wait(), 0);
    EXPECT_EQ(probeLine(), "\"" + probe_ + "\"  \"q\"");
    EXPECT_EQ(iniValue(ini, "check", "quit"), "1");
    EXPECT_EQ(iniValue(ini, "check", "clear"), "0");
    for (const char* key : {"Top", "Left", "Height", "Width"}) EXPECT_NE(iniValue(ini, "Pos", key), "<missing>") << key;
}

TEST_F(LifecycleLaunch, EveryEntryReachesTheProgramAsOneArgument) {
    open("", "");
    // A drive root and a folder that end in "\\", a name ending in 表 (trail byte 0x5C), and
    // an entry with a quote that would let "& b" out.
    const std::string table = "C:\\\x83\x66\x81\x5B\x83\x5E\x95\x5C";  // C:\データ表
    handOff("C:\\|D:\\dir\\|" + table + "|a\" & b", 4);
    click(kIdButton6);
    EXPECT_EQ(probeLine(), "\"" + probe_ + "\"  \"C:\\\\\" \"D:\\dir\\\\\" \"" + table + "\" \"a & b\"");
    EXPECT_EQ(probeArgs(), (std::vector<std::string>{probe_, "C:\\", "D:\\dir\\", table, "a & b"}));
    // The list keeps every entry as it came.
    EXPECT_EQ(listItems(c(kIdListBox1)), (std::vector<std::string>{"C:\\", "D:\\dir\\", table, "a\" & b"}));
    EXPECT_TRUE(tool_->close(main_));
}

TEST_F(LifecycleLaunch, EntriesOf600And30000BytesLaunchWhole) {
    open("", "");
    std::string e600 = "C:\\";
    while (e600.size() < 600)
        e600 +=
            "\x95\x5C"
            "abc";     // 表abc
    e600.resize(600);  // ending in 表
    const std::string e30k = "D:\\" + std::string(29997, 'z');
    handOff(e600 + "|" + e30k, 2);
    click(kIdButton6);
    EXPECT_EQ(probeLine(), "\"" + probe_ + "\"  \"" + e600 + "\" \"" + e30k + "\"");
    EXPECT_EQ(listItems(c(kIdListBox1)), (std::vector<std::string>{e600, e30k}));
    EXPECT_TRUE(tool_->close(main_));
}

TEST_F(LifecycleLaunch, AFailedStartSaysSoAndKeepsTheListAndTheWindow) {
    open("[check]\r\nclear=1\r\nquit=1\r\n", "a b");
    // "☃ café" names a program that does not exist; the box names it as the file does.
    SendMessageW(c(kIdComboBox1), CB_SETCURSEL, 1, 0);
    failedStart(L"\u2603 caf\u00E9");
    EXPECT_EQ(listItems(c(kIdListBox1)), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(IsWindowVisible(main_));

    // 400 entries of 100 bytes: a command line longer than a process can take starts nothing.
    SendMessageW(c(kIdComboBox1), CB_SETCURSEL, 0, 0);
    std::string many;
    for (int i = 0; i < 400; ++i) many += (i ? "|" : "") + std::string(100, static_cast<char>('a' + i % 26));
    handOff(many, 402);
    // "コマンドラインが 32,766 文字を超えます。リストの項目を減らしてください"
    failedStart(L"probe",
                L"\u30B3\u30DE\u30F3\u30C9\u30E9\u30A4\u30F3\u304C 32,766 \u6587\u5B57\u3092\u8D85\u3048"
                L"\u307E\u3059\u3002\u30EA\u30B9\u30C8\u306E\u9805\u76EE\u3092\u6E1B\u3089\u3057\u3066"
                L"\u304F\u3060\u3055\u3044");
    EXPECT_FALSE(fileExists(out_));
    EXPECT_EQ(listItems(c(kIdListBox1)).size(), 402u);
    EXPECT_TRUE(IsWindowVisible(main_));
    EXPECT_EQ(process_.wait(0), -1);
    EXPECT_TRUE(tool_->close(main_));
}

TEST_F(LifecycleLaunch, ABatchFileBesideTheToolRunsFromItsOwnFolderAndALookAlikeElsewhereIsRefused) {
    makeTool("[app]\r\nbatch=tb.bat %P\r\nplain=tb.bat\r\ncmd=cmd /c tb %P\r\n");
    // Beside the tool: a batch file that writes its arguments to the file QM_BATCH_OUT names.
    writeFile(tool_->dir() + "\\tb.bat",
              "@echo [%*]>\"%QM_BATCH_OUT%.part\"\r\n@move /y \"%QM_BATCH_OUT%.part\" \"%QM_BATCH_OUT%\" >nul\r\n");
    const std::string out = tool_->dir() + "\\batch.txt";
    SetEnvironmentVariableA("QM_BATCH_OUT", out.c_str());
    // The tool's own folder, as its name is written and by its short name.
    char shortDir[MAX_PATH] = {};
    ASSERT_NE(GetShortPathNameA(tool_->dir().c_str(), shortDir, MAX_PATH), 0u);
    ASSERT_NE(std::string(shortDir), tool_->dir());
    for (const std::string& dir : {tool_->dir(), std::string(shortDir) + "\\"}) {
        startFrom(dir);
        handOff("C:\\a b", 1);
        // Each application in turn: what the batch file writes.
        const std::pair<int, const wchar_t*> runs[] = {
            {0, L"[\"C:\\a b\"]\r\n"}, {1, L"[]\r\n"}, {2, L"[\"C:\\a b\"]\r\n"}};
        for (const auto& [app, written] : runs) {
            SendMessageW(c(kIdComboBox1), CB_SETCURSEL, app, 0);
            EXPECT_EQ(runAndRead(out), written) << dir << " " << app;
        }
        PostMessageW(main_, WM_CLOSE, 0, 0);
        EXPECT_EQ(process_.wait(), 0);
    }

    // A stranger's folder with a look-alike: the box names it, nothing starts, the list stays.
    const test::TempDir foreign("foreign");
    const std::string tally = foreign.file("planted.txt");
    writeFile(foreign.file("tb.bat"), "@echo planted>>\"" + tally + "\"\r\n");
    startFrom(foreign.path());
    handOff("C:\\a b", 1);
    DeleteFileA(out.c_str());
    // "現在のフォルダに tb.bat
    // のファイルがあります。プログラムをフォルダ付きで書くか、別のフォルダから起動してください"
    failedStart(L"batch",
                L"\u73FE\u5728\u306E\u30D5\u30A9\u30EB\u30C0\u306B tb.bat \u306E\u30D5\u30A1\u30A4\u30EB\u304C"
                L"\u3042\u308A\u307E\u3059\u3002\u30D7\u30ED\u30B0\u30E9\u30E0\u3092\u30D5\u30A9\u30EB\u30C0"
                L"\u4ED8\u304D\u3067\u66F8\u304F\u304B\u3001\u5225\u306E\u30D5\u30A9\u30EB\u30C0\u304B\u3089"
                L"\u8D77\u52D5\u3057\u3066\u304F\u3060\u3055\u3044");
    EXPECT_EQ(listItems(c(kIdListBox1)), (std::vector<std::string>{"C:\\a b"}));
    EXPECT_FALSE(fileExists(tally));
    EXPECT_FALSE(fileExists(out));
    EXPECT_TRUE(tool_->close(main_));
}

}  // namespace
}  // namespace qm::e2e
