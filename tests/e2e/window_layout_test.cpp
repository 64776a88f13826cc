// The main window as it stands on the screen: class, owner, captions, styles, where its
// controls stand at three client sizes (the design's figures, the resize rules' and the room
// the captions take in the window font, written out), the drop-down's opened height, the
// minimum size, the initial position and the tab order. (The resize rules and the caption
// room at every edge are checked natively in tests/native/layout_test.cpp; fonts and paint
// in-process, in tests/win32/ui_fonts_colours_test.cpp: GDI handles cannot be read from
// another process.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"
#include "runlist/listbox_runlist.h"
#include "ui/layout.h"
#include "ui/resource.h"
#include "window_places.h"

namespace qm::e2e {
namespace {

// The settings that give the window the client size asked for (outer size from the frame).
IniText posForClient(int clientW, int clientH) {
    RECT r{0, 0, clientW, clientH};
    AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_APPWINDOW | WS_EX_CONTROLPARENT);
    return IniText().at(50, 60).size(r.right - r.left, r.bottom - r.top);
}

std::string iniForClient(int clientW, int clientH) {
    return posForClient(clientW, clientH).bytes();
}

// The design size with `names` applications in [app] (none: no [app] section).
std::string iniWithApps(int names) {
    IniText ini = posForClient(332, 273);
    if (names == 0) return ini.withoutApps().bytes();
    std::vector<std::string> apps;
    for (int i = 0; i < names; ++i) apps.push_back("app" + std::to_string(i) + "=x.exe %P");
    return ini.apps(apps).bytes();
}

RECT clientOf(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    return r;
}

// The visible drop-down list of a combo box of process `pid` (class ComboLBox), if any.
HWND droppedList(DWORD pid) {
    return findTopLevel([&](HWND w) {
        return processOf(w) == pid && lstrcmpiA(className(w).c_str(), "ComboLBox") == 0 && IsWindowVisible(w);
    });
}

class MainWindow : public ToolTest {
protected:
    HWND open(int clientW = 332, int clientH = 273) { return startTool(iniForClient(clientW, clientH)); }
    void resizeClient(int clientW, int clientH) {
        RECT r{0, 0, clientW, clientH};
        AdjustWindowRectEx(&r, GetWindowLongA(main_, GWL_STYLE), FALSE, GetWindowLongA(main_, GWL_EXSTYLE));
        SetWindowPos(main_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
        waitUntil([&] { return clientOf(main_).right == clientW && clientOf(main_).bottom == clientH; }, 3000);
    }
};

TEST_F(MainWindow, IsATopLevelWindowOfItsClassOwnedByTheApplicationWindow) {
    ASSERT_NE(open(), nullptr);
    char cls[64] = "";
    GetClassNameA(main_, cls, sizeof cls);
    EXPECT_STREQ(cls, "TQuillmoorMW");
    EXPECT_EQ(windowText(main_), "Quillmoor");
    EXPECT_EQ(GetAncestor(main_, GA_PARENT), GetDesktopWindow());  // top-level
    HWND app = GetWindow(main_, GW_OWNER);
    ASSERT_NE(app, nullptr);
    EXPECT_FALSE(IsWindowVisible(app));
    EXPECT_EQ(windowText(app), "Quillmoor");  // the title from the exe's name
    // Owned, yet on the taskbar and in Alt+Tab: visible, enabled, WS_EX_APPWINDOW and no
    // WS_EX_TOOLWINDOW, while its owner stays hidden.
    const LONG ex = GetWindowLongA(main_, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_APPWINDOW);
    EXPECT_FALSE(ex & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(IsWindowVisible(main_));
    EXPECT_TRUE(IsWindowEnabled(main_));
    const LONG style = GetWindowLongA(main_, GWL_STYLE);
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);  // sizeable, system menu, both boxes
    EXPECT_FALSE(style & (WS_POPUP | WS_CHILD));
    EXPECT_FALSE(ex & WS_EX_TOPMOST);
}

TEST_F(MainWindow, ControlsHaveTheirCaptionsAndKinds) {
    ASSERT_NE(open(), nullptr);
    struct Expect {
        UINT id;
        const char* cls;
        const char* text;
    } expected[] = {
        {kIdGroupBox1, "Button", "\x8E\xC0\x8D\x73\x83\x8A\x83\x58\x83\x67"},        // 実行リスト
        {kIdButton1, "Button", "\x83\x74\x83\x40\x83\x43\x83\x8B\x92\xC7\x89\xC1"},  // ファイル追加
        {kIdButton2, "Button", "\x83\x74\x83\x48\x83\x8B\x83\x5F\x92\xC7\x89\xC1"},  // フォルダ追加
        {kIdButton3, "Button", "\x83\x4E\x83\x8A\x83\x41"},                          // クリア
        {kIdButton6, "Button", "\x8E\xC0\x8D\x73"},                                  // 実行
        {kIdCheckBox1, "Button",  // 実行したらリストをクリアする
         "\x8E\xC0\x8D\x73\x82\xB5\x82\xBD\x82\xE7\x83\x8A\x83\x58\x83\x67\x82\xF0\x83\x4E\x83\x8A\x83\x41\x82\xB7\x82"
         "\xE9"},
        {kIdCheckBox2, "Button",
         "\x8E\xC0\x8D\x73\x82\xB5\x82\xBD\x82\xE7\x8F\x49\x97\xB9\x82\xB7\x82\xE9"},  // 実行したら終了する
        {kIdLabel1, "Static", kAppLabel},
        {kIdListBox1, "ListBox", ""},
        {kIdComboBox1, "ComboBox", ""},
    };
    for (const Expect& e : expected) {
        HWND w = c(e.id);
        ASSERT_NE(w, nullptr) << e.id;
        char cls[64] = "";
        GetClassNameA(w, cls, sizeof cls);
        EXPECT_EQ(lstrcmpiA(cls, e.cls), 0) << e.id << " " << cls;
        if (e.id != kIdComboBox1) {
            EXPECT_EQ(windowText(w), e.text) << e.id;
        }
    }
    // Six controls inside the group box.
    for (UINT id : {kIdButton1, kIdButton2, kIdButton3, kIdListBox1, kIdCheckBox1, kIdCheckBox2}) {
        EXPECT_EQ(GetParent(c(id)), c(kIdGroupBox1)) << id;
    }
    EXPECT_EQ(GetWindowLongA(c(kIdButton6), GWL_STYLE) & 0xF, BS_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongA(c(kIdGroupBox1), GWL_STYLE) & 0xF, BS_GROUPBOX);
    EXPECT_EQ(GetWindowLongA(c(kIdCheckBox1), GWL_STYLE) & 0xF, BS_AUTOCHECKBOX);
    EXPECT_EQ(GetWindowLongA(c(kIdCheckBox2), GWL_STYLE) & 0xF, BS_AUTOCHECKBOX);
    EXPECT_EQ(GetWindowLongA(c(kIdLabel1), GWL_STYLE) & SS_TYPEMASK, SS_CENTER);
    for (UINT id : {kIdGroupBox1, kIdLabel1}) {
        EXPECT_FALSE(GetWindowLongA(c(id), GWL_STYLE) & WS_TABSTOP) << id;
    }
    // The run list: extended selection, not sorted, sunken border, item height 12.
    const LONG list = GetWindowLongA(c(kIdListBox1), GWL_STYLE);
    // (The list box drops WS_VSCROLL and WS_HSCROLL from its style while it shows no bars.)
    EXPECT_EQ(static_cast<DWORD>(list) & kRunListStyle & 0xFFFF, kRunListStyle & 0xFFFF);
    EXPECT_FALSE(list & (LBS_SORT | LBS_MULTIPLESEL | LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE));
    EXPECT_TRUE(GetWindowLongA(c(kIdListBox1), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(SendMessageW(c(kIdListBox1), LB_GETITEMHEIGHT, 0, 0), 12);
    // The drop-down: a list to choose from, no typed text, not sorted, item height 12.
    const LONG combo = GetWindowLongA(c(kIdComboBox1), GWL_STYLE);
    EXPECT_EQ(combo & 3, CBS_DROPDOWNLIST);
    EXPECT_FALSE(combo & CBS_SORT);
    EXPECT_EQ(SendMessageW(c(kIdComboBox1), CB_GETITEMHEIGHT, 0, 0), 12);
}

TEST_F(MainWindow, DropDownOpensOneRowPerNameFromOneToFive) {
    const struct { int names, rows; } cases[] = {{0, 1}, {3, 3}, {8, 5}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.names);
        ASSERT_NE(startTool(iniWithApps(k.names)), nullptr);
        HWND combo = c(kIdComboBox1);
        ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), k.names);
        RECT closed{};
        GetWindowRect(combo, &closed);
        const int closedHeight = closed.bottom - closed.top;
        const int itemHeight = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0));
        // Opened, the list hangs below the closed part and shows that many rows: the opened
        // control is rows x item height + closed height + 2 tall. (Wine answers
        // CB_GETDROPPEDCONTROLRECT with the list's height alone, so the open list is measured.)
        SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
        DWORD pid = 0;
        GetWindowThreadProcessId(main_, &pid);
        HWND list = nullptr;
        EXPECT_TRUE(waitUntil([&] { return (list = droppedList(pid)) != nullptr; }, 3000));
        if (list) {
            RECT open{};
            GetWindowRect(list, &open);
            EXPECT_EQ(open.top, closed.bottom);
            EXPECT_EQ(open.bottom - closed.top, k.rows * itemHeight + closedHeight + 2);
            RECT lc{};
            GetClientRect(list, &lc);
            EXPECT_EQ(lc.bottom, k.rows * itemHeight);
        }
        SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
        EXPECT_TRUE(tool_->close(main_));
        tool_.reset();
    }
}

// Every control stands where the window's client size puts it: at the design size 332 x 273
// on its design rectangle; with the group box at its narrowest (275 wide) and at 630 x 324,
// the three buttons spread, the list and CheckBox1 as wide as the rules make them and the
// bottom row 100 lower. Each caption wider than its control gets just the room it needs: in
// the window font (UmePlus P Gothic at -12) 「ファイル追加」 and 「フォルダ追加」 are 72 wide,
// and a button takes 2 on each side, 76 of 73: 1 more on the left, 2 on the right; the check
// boxes take 16 before their text, 「実行したらリストをクリアする」 (168) needs 184 and
// 「実行したら終了する」 (108) 124, each growing right. Label1 is sized to 「アプリ選択」 in its
// own font (-13), 65 x 13, and the drop-down starts 2 after it, at 16 + 65 + 2, keeping its
// right edge.
TEST_F(MainWindow, ControlsStandWhereTheLayoutPutsThem) {
    ASSERT_NE(open(), nullptr);
    const test::TextMeasure measure = test::measureInFace(kWindowFace, -12, -13);
    // As opened (no resize), then narrowed, then widened.
    const struct {
        int width, height;
        std::vector<Place> places;
    } sizes[] = {
        {332,
         273,
         {{kIdLabel1, "Label1", 16, 243, 65, 13},
          {kIdGroupBox1, "GroupBox1", 8, 9, 315, 224},
          {kIdButton1, "Button1", 15 - 1, 151, 73 + 3, 25},
          {kIdButton2, "Button2", 123 - 1, 151, 73 + 3, 25},
          {kIdButton3, "Button3", 226, 151, 73, 25},
          {kIdListBox1, "ListBox1", 8, 17, 299, 127},
          {kIdCheckBox1, "CheckBox1", 24, 180, 161 + 23, 20},
          {kIdCheckBox2, "CheckBox2", 24, 200, 121 + 3, 20},
          {kIdButton6, "Button6", 270, 238, 47, 25},
          {kIdComboBox1, "ComboBox1", 83, 240, 188 - 3, 0}}},
        {292,
         273,
         {{kIdLabel1, "Label1", 16, 243, 65, 13},
          {kIdGroupBox1, "GroupBox1", 8, 9, 275, 224},
          {kIdButton1, "Button1", 9 - 1, 151, 73 + 3, 25},
          {kIdButton2, "Button2", 103 - 1, 151, 73 + 3, 25},
          {kIdButton3, "Button3", 193, 151, 73, 25},
          {kIdListBox1, "ListBox1", 8, 17, 259, 127},
          {kIdCheckBox1, "CheckBox1", 24, 180, 161 + 23, 20},
          {kIdCheckBox2, "CheckBox2", 24, 200, 121 + 3, 20},
          {kIdButton6, "Button6", 230, 238, 47, 25},
          {kIdComboBox1, "ComboBox1", 83, 240, 148 - 3, 0}}},
        {647,
         373,
         {{kIdLabel1, "Label1", 16, 343, 65, 13},
          {kIdGroupBox1, "GroupBox1", 8, 9, 630, 324},
          {kIdButton1, "Button1", 66 - 1, 251, 73 + 3, 25},
          {kIdButton2, "Button2", 282 - 1, 251, 73 + 3, 25},
          {kIdButton3, "Button3", 488, 251, 73, 25},
          {kIdListBox1, "ListBox1", 8, 17, 614, 227},
          {kIdCheckBox1, "CheckBox1", 24, 280, 476, 20},
          {kIdCheckBox2, "CheckBox2", 24, 300, 121 + 3, 20},
          {kIdButton6, "Button6", 585, 338, 47, 25},
          {kIdComboBox1, "ComboBox1", 83, 340, 503 - 3, 0}}},
    };
    for (const auto& size : sizes) {
        SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
        if (clientOf(main_).right != size.width || clientOf(main_).bottom != size.height)
            resizeClient(size.width, size.height);
        expectPlaces(main_, size.width, size.height, size.places);
        test::expectCaptionsFitAndNothingOverlaps(main_, 12, measure);
    }
}

TEST_F(MainWindow, RefusesToBeSmallerThan300By200) {
    ASSERT_NE(open(), nullptr);
    MINMAXINFO mmi{};
    SendMessageA(main_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(mmi.ptMinTrackSize.x, 300);
    EXPECT_EQ(mmi.ptMinTrackSize.y, 200);
    EXPECT_EQ(mmi.ptMaxTrackSize.x, 0);  // no maximum of its own
    EXPECT_EQ(mmi.ptMaxTrackSize.y, 0);

    // Dragging the lower right corner far up and left stops at 300 x 200.
    RECT r{};
    GetWindowRect(main_, &r);
    SetForegroundWindow(main_);
    // One batch of absolute moves (a separate SetCursorPos may not be seen by the click).
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    auto at = [&](int x, int y, DWORD flags) {
        INPUT i{};
        i.type = INPUT_MOUSE;
        i.mi.dx = MulDiv(x, 65535, sw - 1);
        i.mi.dy = MulDiv(y, 65535, sh - 1);
        i.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
        return i;
    };
    INPUT in[4] = {at(r.right - 2, r.bottom - 2, 0), at(r.right - 2, r.bottom - 2, MOUSEEVENTF_LEFTDOWN),
                   at(r.right - 252, r.bottom - 252, 0), at(r.right - 252, r.bottom - 252, MOUSEEVENTF_LEFTUP)};
    for (INPUT& i : in) {
        SendInput(1, &i, sizeof i);
        Sleep(100);
    }
    EXPECT_TRUE(waitUntil(
        [&] {
            GetWindowRect(main_, &r);
            return r.right - r.left == 300 && r.bottom - r.top == 200;
        },
        3000))
        << r.right - r.left << " x " << r.bottom - r.top;
    EXPECT_EQ(r.left, 60);
    EXPECT_EQ(r.top, 50);

    // A program asking for less gets the minimum too; a larger size is taken as it is.
    SetWindowPos(main_, nullptr, 0, 0, 120, 80, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(main_, &r);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(r.bottom - r.top, 200);
    SetWindowPos(main_, nullptr, 0, 0, 1200, 900, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(main_, &r);
    EXPECT_EQ(r.right - r.left, 1200);
    EXPECT_EQ(r.bottom - r.top, 900);
}

// The design position, left 884, top 111, 340 x 300, is what the window has before the
// settings are read; without a settings file it keeps it while the notice is up.
TEST(MainWindowCreation, StandsAtTheLayoutsPositionBeforeTheSettingsAreRead) {
    Tool tool(nullptr);
    Process p = tool.start();
    HWND main = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (main = FindWindowA("TQuillmoorMW", nullptr)) != nullptr; }));
    EXPECT_FALSE(IsWindowVisible(main));
    RECT r{};
    GetWindowRect(main, &r);
    EXPECT_EQ(r.left, 884);
    EXPECT_EQ(r.top, 111);
    EXPECT_EQ(r.right - r.left, 340);
    EXPECT_EQ(r.bottom - r.top, 300);
    // Answer the notice: the tool ends.
    HWND box = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        box = FindWindowA("#32770", nullptr);
        DWORD pid = 0;
        GetWindowThreadProcessId(box, &pid);
        return box && pid == p.pid();
    }));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_NE(p.wait(10000), -1);
}

TEST_F(MainWindow, TabOrderRunsFromButton6ThroughTheGroupToTheDropDown) {
    ASSERT_NE(open(), nullptr);
    const UINT order[] = {kIdButton6,   kIdButton1,   kIdButton2,   kIdButton3, kIdListBox1,
                          kIdCheckBox1, kIdCheckBox2, kIdComboBox1, kIdButton6};
    for (std::size_t i = 0; i + 1 < sizeof order / sizeof order[0]; ++i) {
        EXPECT_EQ(GetNextDlgTabItem(main_, c(order[i]), FALSE), c(order[i + 1])) << i;
        EXPECT_EQ(GetNextDlgTabItem(main_, c(order[i + 1]), TRUE), c(order[i])) << i;
    }
}

}  // namespace
}  // namespace qm::e2e
