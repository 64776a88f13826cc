// The main window as it stands on the screen: class, owner, captions, fonts, rectangles
// at the design size and after resizing, the minimum size and the tab order.
#include <gtest/gtest.h>

#include "harness.h"
#include "text/texts.h"
#include "ui/Unit1.h"

namespace qm::e2e {
namespace {

// The settings that give the window the client size asked for (outer size from the frame).
std::string iniForClient(int clientW, int clientH) {
    RECT r{0, 0, clientW, clientH};
    AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_APPWINDOW | WS_EX_CONTROLPARENT);
    return "[Pos]\r\nTop=50\r\nLeft=60\r\nWidth=" + std::to_string(r.right - r.left) +
           "\r\nHeight=" + std::to_string(r.bottom - r.top) + "\r\n[app]\r\nprobe=x %P\r\n";
}

RECT clientOf(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    return r;
}

void expectRect(HWND c, int left, int top, int width, int height, const char* name) {
    const RECT r = rectInParent(c);
    EXPECT_EQ(r.left, left) << name;
    EXPECT_EQ(r.top, top) << name;
    EXPECT_EQ(r.right - r.left, width) << name;
    EXPECT_EQ(r.bottom - r.top, height) << name;
}

class MainWindow : public ::testing::Test {
protected:
    HWND open(int clientW = 332, int clientH = 273) {
        tool_ = std::make_unique<Tool>(iniForClient(clientW, clientH));
        main_ = tool_->startAndWait();
        return main_;
    }
    void resizeClient(int clientW, int clientH) {
        RECT r{0, 0, clientW, clientH};
        AdjustWindowRectEx(&r, GetWindowLongA(main_, GWL_STYLE), FALSE, GetWindowLongA(main_, GWL_EXSTYLE));
        SetWindowPos(main_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
        waitUntil([&] { return clientOf(main_).right == clientW && clientOf(main_).bottom == clientH; }, 3000);
    }
    HWND c(UINT id) { return control(main_, id); }
    std::unique_ptr<Tool> tool_;
    HWND main_ = nullptr;
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
    EXPECT_TRUE(GetWindowLongA(main_, GWL_EXSTYLE) & WS_EX_APPWINDOW);  // taskbar button
    const LONG style = GetWindowLongA(main_, GWL_STYLE);
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
    EXPECT_FALSE(GetWindowLongA(main_, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(MainWindow, ControlsHaveTheirCaptionsAndKinds) {
    ASSERT_NE(open(), nullptr);
    struct Expect {
        UINT id;
        const char* cls;
        const char* text;
    } expected[] = {
        {kIdGroupBox1, "Button", texts::kGroupRunList},  {kIdButton1, "Button", texts::kButtonAddFile},
        {kIdButton2, "Button", texts::kButtonAddFolder}, {kIdButton3, "Button", texts::kButtonClear},
        {kIdButton6, "Button", texts::kButtonRun},       {kIdCheckBox1, "Button", texts::kCheckClear},
        {kIdCheckBox2, "Button", texts::kCheckQuit},     {kIdLabel1, "Static", texts::kLabelApp},
        {kIdListBox1, "ListBox", ""},                     {kIdComboBox1, "ComboBox", ""},
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
    EXPECT_EQ(GetWindowLongA(c(kIdComboBox1), GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    EXPECT_EQ(GetWindowLongA(c(kIdButton6), GWL_STYLE) & 0xF, BS_DEFPUSHBUTTON);
}

TEST_F(MainWindow, DesignClientSizePlacesEveryControlAtItsDesignRectangle) {
    ASSERT_NE(open(), nullptr);
    ASSERT_EQ(clientOf(main_).right, 332);
    ASSERT_EQ(clientOf(main_).bottom, 273);
    expectRect(c(kIdLabel1), 16, 243, 59, 13, "Label1");
    expectRect(c(kIdGroupBox1), 8, 9, 315, 224, "GroupBox1");
    expectRect(c(kIdButton1), 15, 151, 73, 25, "Button1");
    expectRect(c(kIdButton2), 123, 151, 73, 25, "Button2");
    expectRect(c(kIdButton3), 226, 151, 73, 25, "Button3");
    expectRect(c(kIdListBox1), 8, 17, 299, 127, "ListBox1");
    expectRect(c(kIdCheckBox1), 24, 180, 161, 20, "CheckBox1");
    expectRect(c(kIdCheckBox2), 24, 200, 121, 20, "CheckBox2");
    expectRect(c(kIdButton6), 270, 238, 47, 25, "Button6");
    const RECT combo = rectInParent(c(kIdComboBox1));
    EXPECT_EQ(combo.left, 80);
    EXPECT_EQ(combo.top, 240);
    EXPECT_EQ(combo.right - combo.left, 188);
}

TEST_F(MainWindow, ResizingFollowsTheRules) {
    ASSERT_NE(open(), nullptr);
    resizeClient(647, 273);  // group box 630 wide
    expectRect(c(kIdGroupBox1), 8, 9, 630, 224, "GroupBox1");
    expectRect(c(kIdButton1), 66, 151, 73, 25, "Button1");
    expectRect(c(kIdButton2), 282, 151, 73, 25, "Button2");
    expectRect(c(kIdButton3), 488, 151, 73, 25, "Button3");
    expectRect(c(kIdListBox1), 8, 17, 614, 127, "ListBox1");
    expectRect(c(kIdCheckBox1), 24, 180, 476, 20, "CheckBox1");
    expectRect(c(kIdCheckBox2), 24, 200, 121, 20, "CheckBox2");
    resizeClient(292, 373);  // group box 275 wide, 100 taller
    expectRect(c(kIdButton1), 9, 251, 73, 25, "Button1");
    expectRect(c(kIdButton2), 103, 251, 73, 25, "Button2");
    expectRect(c(kIdButton3), 193, 251, 73, 25, "Button3");
    expectRect(c(kIdListBox1), 8, 17, 259, 227, "ListBox1");
    expectRect(c(kIdCheckBox1), 24, 280, 161, 20, "CheckBox1");
    expectRect(c(kIdGroupBox1), 8, 9, 275, 324, "GroupBox1");
    expectRect(c(kIdLabel1), 16, 343, 59, 13, "Label1");
    expectRect(c(kIdButton6), 230, 338, 47, 25, "Button6");
}

TEST_F(MainWindow, RefusesToBeSmallerThan300By200) {
    ASSERT_NE(open(), nullptr);
    MINMAXINFO mmi{};
    SendMessageA(main_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(mmi.ptMinTrackSize.x, 300);
    EXPECT_EQ(mmi.ptMinTrackSize.y, 200);
}

TEST_F(MainWindow, TabOrderRunsFromButton6ThroughTheGroupToTheDropDown) {
    ASSERT_NE(open(), nullptr);
    const UINT order[] = {kIdButton6, kIdButton1, kIdButton2, kIdButton3, kIdListBox1,
                          kIdCheckBox1, kIdCheckBox2, kIdComboBox1, kIdButton6};
    for (std::size_t i = 0; i + 1 < sizeof order / sizeof order[0]; ++i) {
        EXPECT_EQ(GetNextDlgTabItem(main_, c(order[i]), FALSE), c(order[i + 1])) << i;
        EXPECT_EQ(GetNextDlgTabItem(main_, c(order[i + 1]), TRUE), c(order[i])) << i;
    }
}

}  // namespace
}  // namespace qm::e2e
