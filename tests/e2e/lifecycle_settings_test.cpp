// The creation and close sequences against a real settings file: what the window opens
// with, what closing writes, the missing-file notice and a write that the system refuses.
#include <gtest/gtest.h>

#include <algorithm>

#include "harness.h"
#include "ui/Unit1.h"
#include "wide_names.h"

namespace qm::e2e {
namespace {

RECT windowRect(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

bool checked(HWND main, UINT id) { return SendMessageW(control(main, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

// The six values that closing writes, as the file holds them.
struct Stored {
    std::string top, left, height, width, clear, quit;
};
Stored stored(const std::string& iniPath) {
    const std::string ini = readFile(iniPath);
    return {iniValue(ini, "Pos", "Top"),      iniValue(ini, "Pos", "Left"),     iniValue(ini, "Pos", "Height"),
            iniValue(ini, "Pos", "Width"),    iniValue(ini, "check", "clear"), iniValue(ini, "check", "quit")};
}

void expectStored(const std::string& iniPath, const RECT& r, const char* clear, const char* quit) {
    const Stored s = stored(iniPath);
    EXPECT_EQ(s.top, std::to_string(r.top));
    EXPECT_EQ(s.left, std::to_string(r.left));
    EXPECT_EQ(s.height, std::to_string(r.bottom - r.top));
    EXPECT_EQ(s.width, std::to_string(r.right - r.left));
    EXPECT_EQ(s.clear, clear);
    EXPECT_EQ(s.quit, quit);
}

TEST(LifecycleSettings, FileWithOnlyAppsOpensAtTheDefaultsAndClosingWritesAllSixValues) {
    Tool tool("; names only\r\n[app]\r\nzeta=z.exe %P\r\nalpha=a.exe %P\r\nAlpha=other.exe\r\n");
    const HWND main = tool.startAndWait();
    ASSERT_NE(main, nullptr);
    const RECT r = windowRect(main);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right - r.left, 400);
    EXPECT_EQ(r.bottom - r.top, 300);
    EXPECT_FALSE(checked(main, kIdCheckBox1));
    EXPECT_FALSE(checked(main, kIdCheckBox2));
    const HWND combo = control(main, kIdComboBox1);
    EXPECT_EQ(comboItems(combo), (std::vector<std::string>{"zeta", "alpha", "Alpha"}));  // table order
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);  // registered for dropped files

    ASSERT_TRUE(tool.close(main));
    expectStored(tool.iniPath(), RECT{0, 0, 400, 300}, "0", "0");
    // Written in order: Top, Left, Height, Width, then clear and quit; [app] kept.
    const std::string ini = readFile(tool.iniPath());
    const std::size_t top = ini.find("Top="), left = ini.find("Left="), height = ini.find("Height="),
                      width = ini.find("Width="), clear = ini.find("clear="), quit = ini.find("quit=");
    EXPECT_LT(top, left);
    EXPECT_LT(left, height);
    EXPECT_LT(height, width);
    EXPECT_LT(width, clear);
    EXPECT_LT(clear, quit);
    EXPECT_NE(quit, std::string::npos);
    EXPECT_EQ(iniValue(ini, "app", "zeta"), "z.exe %P");
}

TEST(LifecycleSettings, StoredValuesAreAppliedAndTooSmallASizeGivesTheMinimum) {
    Tool tool("[Pos]\r\nTop=40\r\nLeft=0x32\r\nHeight=100\r\nWidth=420\r\n[check]\r\nclear=1\r\nquit=7\r\n");
    const HWND main = tool.startAndWait("p1 p2");
    ASSERT_NE(main, nullptr);
    const RECT r = windowRect(main);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.bottom - r.top, kMinHeight);
    EXPECT_EQ(r.right - r.left, 420);
    EXPECT_TRUE(checked(main, kIdCheckBox1));
    EXPECT_TRUE(checked(main, kIdCheckBox2));
    EXPECT_TRUE(comboItems(control(main, kIdComboBox1)).empty());  // no [app]
    // The command line's paths are there when the window is first shown.
    EXPECT_EQ(listItems(control(main, kIdListBox1)), (std::vector<std::string>{"p1", "p2"}));

    ASSERT_TRUE(tool.close(main));
    expectStored(tool.iniPath(), RECT{50, 40, 470, 40 + kMinHeight}, "1", "1");
}

TEST(LifecycleSettings, ClosingMinimizedStoresTheRestoredRectangleAndMaximizedTheMaximizedFrame) {
    const std::string ini = "[Pos]\r\nTop=70\r\nLeft=90\r\nHeight=330\r\nWidth=450\r\n[app]\r\n";
    {
        Tool tool(ini);
        const HWND main = tool.startAndWait();
        ASSERT_NE(main, nullptr);
        PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        ASSERT_TRUE(waitUntil([&] { return IsIconic(main) != 0; }, 5000));
        ASSERT_TRUE(tool.close(main));
        expectStored(tool.iniPath(), RECT{90, 70, 540, 400}, "0", "0");
    }
    {
        Tool tool(ini);
        const HWND main = tool.startAndWait();
        ASSERT_NE(main, nullptr);
        PostMessageA(main, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        ASSERT_TRUE(waitUntil([&] { return IsZoomed(main) != 0; }, 5000));
        RECT frame{};
        ASSERT_TRUE(waitUntil(
            [&] {
                frame = windowRect(main);
                return frame.right - frame.left > 1000;
            },
            5000));
        ASSERT_TRUE(tool.close(main));
        expectStored(tool.iniPath(), frame, "0", "0");
    }
}

// A stored position on no screen (a monitor unplugged since) moves onto the work area, its size
// kept; the extreme values an int holds neither crash the tool nor leave the window off-screen;
// a window that meets the work area stays where it was stored. Closing writes where it stands.
TEST(LifecycleSettings, StoredPositionOnNoScreenMovesOntoTheWorkArea) {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int maxW = GetSystemMetrics(SM_CXMAXTRACK), maxH = GetSystemMetrics(SM_CYMAXTRACK);
    // As wide as the system lets it be, shrunk to the work area: left where it was, moved in
    // only as far as that takes.
    const int w = std::min<int>(maxW, work.right - work.left), h = std::min<int>(maxH, work.bottom - work.top);
    const int left = std::max<int>(work.left, std::min<int>(100, work.right - w));
    const struct {
        const char* pos;
        RECT expected;  // left, top, right, bottom
    } cases[] = {
        {"Top=100\r\nLeft=-5000\r\nHeight=300\r\nWidth=340", {work.left, 100, work.left + 340, 400}},
        {"Top=-2147483648\r\nLeft=100\r\nHeight=300\r\nWidth=2147483647", {left, work.top, left + w, work.top + 300}},
        {"Top=-2147483648\r\nLeft=-2147483648\r\nHeight=2147483647\r\nWidth=2147483647",
         {work.left, work.top, work.left + w, work.top + h}},
        {"Top=100\r\nLeft=100\r\nHeight=2147483647\r\nWidth=2147483647", {100, 100, 100 + maxW, 100 + maxH}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.pos);
        Tool tool(std::string("[Pos]\r\n") + k.pos + "\r\n[app]\r\nx=y\r\n");
        const HWND main = tool.startAndWait();
        ASSERT_NE(main, nullptr);
        const RECT r = windowRect(main);
        EXPECT_EQ(r.left, k.expected.left);
        EXPECT_EQ(r.top, k.expected.top);
        EXPECT_EQ(r.right, k.expected.right);
        EXPECT_EQ(r.bottom, k.expected.bottom);
        EXPECT_TRUE(answers(main));
        ASSERT_TRUE(tool.close(main));
        expectStored(tool.iniPath(), r, "0", "0");
    }
}

// No settings file: the switches and paths of the command line have taken effect on the
// hidden window before the notice appears; after it the tool ends and writes nothing.
TEST(LifecycleSettings, MissingFileShowsTheNoticeAndEndsWithoutWritingAnything) {
    Tool tool(nullptr, "QmTOOL.Test.exe");
    Process p = tool.start("/t \"C:\\a b\\c.txt\" d");
    const HWND box = findMessageBox(p.pid());
    ASSERT_NE(box, nullptr);
    const MessageBoxView view = readMessageBox(box);
    EXPECT_EQ(view.text, "INIファイルを記述して下さい");
    EXPECT_EQ(view.caption, "Qmtool");
    EXPECT_EQ(view.buttons, (std::vector<std::string>{"OK"}));
    EXPECT_FALSE(view.icon);
    // Centred on the screen.
    const int cx = (view.rect.left + view.rect.right) / 2, cy = (view.rect.top + view.rect.bottom) / 2;
    EXPECT_NEAR(cx, GetSystemMetrics(SM_CXSCREEN) / 2, 2);
    EXPECT_NEAR(cy, GetSystemMetrics(SM_CYSCREEN) / 2, 2);

    const HWND main = FindWindowA("TQuillmoorMW", nullptr);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(processOf(main), p.pid());
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_TRUE(GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(listItems(control(main, kIdListBox1)), (std::vector<std::string>{"C:\\a b\\c.txt", "d"}));

    pressOk(box);
    EXPECT_EQ(p.wait(), 0);
    EXPECT_FALSE(fileExists(tool.iniPath()));
}

// A process that is ended when the object goes, also when a check has failed.
struct Started : Process {
    using Process::Process;
    ~Started() { end(); }
};

// The tool in a folder "Café" beside a folder "Cafe", the look-alike that code page 932's
// best fit makes of it, which holds another settings file. The tool reads its own file
// through the file's short form, and without it shows the notice; the other is never read
// nor written.
TEST(LifecycleSettings, ExeInAFolderOutsideTheCodePageNeverReadsTheLookAlikeFolder) {
    WideNames names;
    const std::string decoyIni = "[Pos]\r\nTop=5\r\n[app]\r\ndecoy=decoy.exe %P\r\n";
    const std::string decoy = toAcp(names.make(L"Cafe\\Quillmoor.ini"));
    writeFile(decoy, decoyIni);
    const std::wstring exe = names.make(L"Caf\u00E9\\Quillmoor.exe");
    ASSERT_TRUE(CopyFileW(fromAcp(programDir() + "\\Quillmoor.exe").c_str(), exe.c_str(), FALSE));
    const auto start = [&] {
        PROCESS_INFORMATION pi{};
        EXPECT_TRUE(test::createProcess(L"\"" + exe + L"\"", std::string(), 0, pi));
        return pi;
    };
    {
        Started p(start());
        const HWND box = findMessageBox(p.pid());
        ASSERT_NE(box, nullptr) << "no notice: another settings file was read";
        const MessageBoxView view = readMessageBox(box);
        EXPECT_EQ(view.text, "INIファイルを記述して下さい");
        EXPECT_EQ(view.caption, "Quillmoor");  // the file name's, not its short form's
        pressOk(box);
        EXPECT_EQ(p.wait(), 0);
    }
    const std::string staged = toAcp(names.dir()) + "\\own.ini";
    writeFile(staged, "[app]\r\nown=own.exe %P\r\n");
    ASSERT_TRUE(MoveFileExW(fromAcp(staged).c_str(), names.make(L"Caf\u00E9\\Quillmoor.ini").c_str(),
                            MOVEFILE_REPLACE_EXISTING));
    {
        Started p(start());
        const HWND main = findMainWindow();
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(comboItems(control(main, kIdComboBox1)), (std::vector<std::string>{"own"}));
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(p.wait(), 0);
    }
    EXPECT_EQ(readFile(decoy), decoyIni);
}

// A write that the system refuses: the error box names the file, and the window closes all
// the same.
TEST(LifecycleSettings, RefusedWriteShowsTheErrorBoxAndTheWindowStillCloses) {
    const std::string ini = "[Pos]\r\nTop=10\r\nLeft=20\r\nHeight=300\r\nWidth=400\r\n[app]\r\nx=y\r\n";
    Tool tool(ini);
    Process p = tool.start();
    const HWND main = findMainWindow();
    ASSERT_NE(main, nullptr);
    const DWORD pid = p.pid();
    const HWND app = GetWindow(main, GW_OWNER);
    // Moved, so that any value that did get written would change the file.
    SetWindowPos(main, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    HANDLE held = CreateFileA(tool.iniPath().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    PostMessageA(main, WM_CLOSE, 0, 0);
    const HWND box = findMessageBox(pid);
    ASSERT_NE(box, nullptr);
    const MessageBoxView view = readMessageBox(box);
    EXPECT_EQ(view.text, tool.iniPath() + " に書き込めません.");
    EXPECT_EQ(view.caption, "Quillmoor");
    EXPECT_EQ(view.buttons, (std::vector<std::string>{"OK"}));
    EXPECT_TRUE(view.icon);
    EXPECT_EQ(view.owner, app);
    EXPECT_FALSE(IsWindowEnabled(main));  // modal

    pressOk(box);
    EXPECT_EQ(p.wait(), 0);
    CloseHandle(held);
    EXPECT_EQ(readFile(tool.iniPath()), ini);
}

}  // namespace
}  // namespace qm::e2e
