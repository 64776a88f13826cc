// "ファイル追加": the system's open-file dialog driven as a user would, typing names into
// its file-name box, in a drive root, in a folder whose name ends in 表 and elsewhere.
#include "sources_support.h"
#include "ui/resource.h"
#include "wide_names.h"

namespace qm::e2e {
namespace {

constexpr int kFileNameBox = 0x47C;  // cmb13: the file-name combo box and its edit

class FileDialog : public SourcesTest {
protected:
    // Opens the dialog with "ファイル追加".
    HWND open() {
        command(kIdButton1);
        HWND dialog = ownedDialog(app_);
        EXPECT_NE(dialog, nullptr) << "no file dialog owned by the application window";
        return dialog;
    }
    static HWND fileNameBox(HWND dialog) { return descendant(dialog, kFileNameBox, "Edit"); }
    // Types into the file-name box and presses "開く".
    static void type(HWND dialog, const std::string& text) {
        setText(fileNameBox(dialog), text);
        press(dialog, IDOK);
    }
    // Moves the dialog into `folder` as typing the folder's path and Enter does.
    static void enter(HWND dialog, const std::string& folder) {
        type(dialog, folder);
        // The box empties once the dialog shows the folder.
        EXPECT_TRUE(waitUntil([&] { return controlText(fileNameBox(dialog)).empty(); }, 5000)) << folder;
    }
    bool closed(HWND dialog) {
        return waitUntil([&] { return !IsWindow(dialog); });
    }

    // Files made for a test and removed after it.
    std::string makeFile(const std::string& path) {
        writeFile(path, "x");
        made_.push_back(path);
        return path;
    }
    void TearDown() override {
        for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
            if (!DeleteFileA(it->c_str())) RemoveDirectoryA(it->c_str());
        }
    }
    std::vector<std::string> made_;
};

TEST_F(FileDialog, IsAModalFramePlacedOnTheMonitorAndOneFileIsItsFullPath) {
    HWND dialog = open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindowEnabled(main_));
    // Centred horizontally and at one third vertically on the whole monitor area.
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    GetMonitorInfoA(MonitorFromWindow(main_, MONITOR_DEFAULTTONEAREST), &mi);
    RECT r{};
    GetWindowRect(dialog, &r);
    const int monitorW = mi.rcMonitor.right - mi.rcMonitor.left, monitorH = mi.rcMonitor.bottom - mi.rcMonitor.top;
    EXPECT_EQ(r.left, mi.rcMonitor.left + (monitorW - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, mi.rcMonitor.top + (monitorH - (r.bottom - r.top)) / 3);

    type(dialog, tool_->iniPath());
    ASSERT_TRUE(closed(dialog));
    ASSERT_TRUE(waitForCount(1));
    EXPECT_EQ(items(), std::vector<std::string>{tool_->iniPath()});
    EXPECT_TRUE(listSelection(list_).empty());
    // Enabled again, active again, and the focus back on the button.
    EXPECT_TRUE(enabledAgain());
    EXPECT_TRUE(waitUntil([&] { return threadState(main_).hwndActive == main_; }, 3000));
    EXPECT_EQ(threadState(main_).hwndFocus, control(main_, kIdButton1));
}

TEST_F(FileDialog, SeveralFilesGetOneBackslashBetweenFolderAndName) {
    // A folder whose name ends in 表 (95 5C): its last byte is no "\".
    const std::string folder = tool_->dir() + toAcp(L"\\データ表");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    made_.push_back(folder);
    makeFile(folder + "\\a.txt");
    makeFile(folder + "\\b c.txt");
    makeFile(folder + toAcp(L"\\表.txt"));
    // A drive root ends in "\".
    const std::string stem = "qm-sources-" + std::to_string(GetCurrentProcessId());
    makeFile("C:\\" + stem + "-1.txt");
    makeFile("C:\\" + stem + "-2.txt");
    handOff("existing");
    ASSERT_TRUE(waitForCount(1));

    HWND dialog = open();
    ASSERT_NE(dialog, nullptr);
    enter(dialog, folder);
    type(dialog, toAcp(L"\"a.txt\" \"b c.txt\" \"表.txt\""));
    ASSERT_TRUE(closed(dialog));
    ASSERT_TRUE(waitForCount(4));

    dialog = open();
    ASSERT_NE(dialog, nullptr);
    enter(dialog, "C:\\");
    type(dialog, "\"" + stem + "-1.txt\" \"" + stem + "-2.txt\"");
    ASSERT_TRUE(closed(dialog));
    ASSERT_TRUE(waitForCount(6));

    EXPECT_EQ(items(), (std::vector<std::string>{"existing", folder + "\\a.txt", folder + "\\b c.txt",
                                                 folder + toAcp(L"\\表.txt"), "C:\\" + stem + "-1.txt",
                                                 "C:\\" + stem + "-2.txt"}));
    EXPECT_TRUE(listSelection(list_).empty());
}

TEST_F(FileDialog, NextUseStartsWithTheFirstPathAndACancelChangesNothing) {
    const std::string folder = tool_->dir() + "\\sub";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    made_.push_back(folder);
    makeFile(folder + "\\first.txt");
    makeFile(folder + "\\second.txt");
    HWND dialog = open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(controlText(fileNameBox(dialog)), "");  // empty at the first use
    enter(dialog, folder);
    type(dialog, "\"second.txt\" \"first.txt\"");
    ASSERT_TRUE(closed(dialog));
    ASSERT_TRUE(waitForCount(2));
    const std::vector<std::string> chosen = items();  // in the dialog's order
    ASSERT_EQ(chosen.size(), 2u);
    EXPECT_TRUE(chosen[0] == folder + "\\first.txt" || chosen[0] == folder + "\\second.txt") << chosen[0];
    EXPECT_NE(chosen[0], chosen[1]);

    // The next use starts in the first path's folder with its name in the box; a cancel
    // appends nothing and keeps that name for the use after.
    dialog = open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(controlText(fileNameBox(dialog)), chosen[0].substr(chosen[0].rfind('\\') + 1));
    press(dialog, IDCANCEL);
    ASSERT_TRUE(closed(dialog));
    EXPECT_TRUE(enabledAgain());
    EXPECT_TRUE(waitUntil([&] { return threadState(main_).hwndActive == main_; }, 3000));

    dialog = open();
    ASSERT_NE(dialog, nullptr);
    press(dialog, IDOK);  // confirms the name the dialog started with
    ASSERT_TRUE(closed(dialog));
    ASSERT_TRUE(waitForCount(3));
    EXPECT_EQ(items(), (std::vector<std::string>{chosen[0], chosen[1], chosen[0]}));
}

TEST_F(FileDialog, ASelectionTooLargeForTheResultAddsNothingAndKeepsTheList) {
    // 340 names of 200 bytes: about 68,000 bytes, more than the 65,519 the dialog is offered.
    const std::string folder = tool_->dir() + "\\many";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    made_.push_back(folder);
    std::string typed;
    for (int i = 0; i < 340; ++i) {
        const std::string name = std::to_string(1000 + i) + std::string(192, 'n') + ".txt";
        makeFile(folder + "\\" + name);
        typed += "\"" + name + "\" ";
    }
    const std::string kept = folder + "\\1000" + std::string(192, 'n') + ".txt";
    HWND dialog = open();
    ASSERT_NE(dialog, nullptr);
    type(dialog, kept);
    ASSERT_TRUE(closed(dialog));
    ASSERT_TRUE(waitForCount(1));

    dialog = open();
    ASSERT_NE(dialog, nullptr);
    setText(fileNameBox(dialog), typed);
    press(dialog, IDOK);
    ASSERT_TRUE(closed(dialog));
    EXPECT_TRUE(enabledAgain());
    ASSERT_TRUE(answers(main_));  // the click's handler has returned: what it appends is in
    EXPECT_EQ(items(), std::vector<std::string>{kept});

    // The tool goes on, and the next use still starts with the name kept before.
    dialog = open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(controlText(fileNameBox(dialog)), kept.substr(folder.size() + 1));
    press(dialog, IDCANCEL);
    EXPECT_TRUE(closed(dialog));
}

TEST_F(FileDialog, NamesOutsideTheCodePageReachTheListAndTheLaunchedProgramExactly) {
    const WideNames names;
    auto typeWide = [](HWND dialog, const std::wstring& text) {
        SendMessageW(fileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        press(dialog, IDOK);
    };
    HWND dialog = open();
    ASSERT_NE(dialog, nullptr);
    enter(dialog, toAcp(names.dir()));
    typeWide(dialog,
             L"\"caf\u00E9 \u2603.txt\" \"na\u00EFve.txt\" \"\u00A5.txt\" \"\uD55C\uAD6D \u7B80 \U0001F600.txt\" "
             L"\"\u8868.txt\" \"\u30DD.txt\"");
    ASSERT_TRUE(closed(dialog));
    ASSERT_TRUE(waitForCount(6));
    dialog = open();
    ASSERT_NE(dialog, nullptr);
    typeWide(dialog, names.paths()[2]);  // one file in the folder "\u0394", by its full path
    ASSERT_TRUE(closed(dialog));
    ASSERT_TRUE(waitForCount(7));
    const std::vector<std::wstring>& p = names.paths();
    expectListedAndLaunched(*tool_, main_, {p[0], p[1], p[3], p[4], p[5], p[6], p[2]});
}

// The dialog record's size follows the system's version: the full record (88 bytes, with
// the places bar) from NT 5 on, the 76-byte one before. Wine reports NT 4.0 to a program
// named in AppDefaults with Version "nt40".
TEST(FileDialogRecord, IsTheOldOneOnNt4AndTheFullOneAfter) {
    const std::string ini = IniText().at(100, 120).size(400, 300).bytes();
    const std::string exeName = "QmNt4-" + std::to_string(GetCurrentProcessId()) + ".exe";
    const std::string key = "Software\\Wine\\AppDefaults\\" + exeName;
    HKEY k = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(k, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("nt40"), 5);
    RegCloseKey(k);
    struct RemoveKey {
        std::string key;
        ~RemoveKey() { RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str()); }
    } removeKey{key};

    for (const std::string& name : {std::string("Quillmoor.exe"), exeName}) {
        Tool tool(&ini, name);
        HWND main = tool.startAndWait();
        ASSERT_NE(main, nullptr);
        PostMessageW(control(main, kIdButton1), BM_CLICK, 0, 0);
        HWND dialog = ownedDialog(GetWindow(main, GW_OWNER));
        ASSERT_NE(dialog, nullptr);
        HWND placesBar = descendant(dialog, 0x4A0, "ToolbarWindow32");
        EXPECT_EQ(placesBar != nullptr && IsWindowVisible(placesBar), name == "Quillmoor.exe") << name;
        press(dialog, IDCANCEL);
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); }));
    }
}

}  // namespace
}  // namespace qm::e2e
