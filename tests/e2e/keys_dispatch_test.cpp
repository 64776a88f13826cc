// Real key presses reaching the running tool: which binding wins in the order of dispatch
// (context-menu shortcuts of the list, the window-level keys, navigation, the control).
#include <gtest/gtest.h>

#include <string>

#include "keys_input.h"
#include "ui/resource.h"

namespace qm::e2e {
namespace {

const std::vector<std::string> kThree = {"C:\\one", "C:\\two", "C:\\three"};

std::string line(const char* what, UINT id, unsigned extra) {
    return std::string(what) + " " + std::to_string(id) + " " + std::to_string(extra);
}
std::string clicked(UINT id) {
    return line("command", id, BN_CLICKED);
}

using KeyDispatch = KeysTest;

TEST_F(KeyDispatch, CtrlAInTheListSelectsEveryEntryOnceThroughTheMenuItem) {
    open();
    ASSERT_TRUE(giveFocus(list()));
    spy_->reset();
    press('A', kCtrl);
    ASSERT_TRUE(spy_->sync());
    EXPECT_EQ(listSelection(list()), (std::vector<int>{0, 1, 2}));
    // Select all ran once: the menu item ran and Listkeydown's own binding did not. Its
    // entries go straight to the list box's procedure; the two LB_SETSEL sent at its end
    // (the first and the last entry selected) put the caret where selecting one by one would.
    EXPECT_EQ(spy_->count("setsel " + std::to_string(kIdListBox1)), 2);
    EXPECT_EQ(spy_->count(line("command", kIdN1, 0)), 1);
    // Consumed: no Ctrl+A character (0x01) reached the list.
    EXPECT_EQ(spy_->count(line("char", kIdListBox1, 1)), 0);
    // A key nobody binds goes on to the list, character and all (the spy does see them).
    press('Q');
    ASSERT_TRUE(spy_->sync());
    EXPECT_EQ(spy_->count(line("char", kIdListBox1, 'q')), 1);
}

TEST_F(KeyDispatch, DeleteRemovesTheSelectionOnlyWhenTheListHasTheFocus) {
    open();
    select({0, 2});
    for (UINT id : {kIdButton6, kIdButton1, kIdCheckBox1, kIdComboBox1}) {
        ASSERT_TRUE(giveFocus(c(id))) << id;
        press(VK_DELETE);
        ASSERT_TRUE(spy_->sync());
        EXPECT_EQ(listItems(list()), kThree) << id;
    }
    ASSERT_TRUE(giveFocus(list()));
    press(VK_DELETE);
    ASSERT_TRUE(spy_->sync());
    EXPECT_EQ(listItems(list()), (std::vector<std::string>{"C:\\two"}));
    EXPECT_EQ(listSelection(list()), std::vector<int>{});
}

TEST_F(KeyDispatch, ListShortcutsMatchOnlyTheirExactModifiers) {
    open();
    select({1});
    ASSERT_TRUE(giveFocus(list()));
    spy_->reset();
    press('V', kCtrl | kShift);
    press(VK_DELETE, kShift);
    press('A', kCtrl | kAlt);
    press('D', kCtrl | kShift);
    press('R', kAlt);
    ASSERT_TRUE(spy_->sync());
    EXPECT_EQ(listItems(list()), kThree);
    EXPECT_EQ(listSelection(list()), std::vector<int>{1});
    for (UINT id : {kIdPaste1, kIdDelete1, kIdN3, kIdN1, kIdN2})
        EXPECT_EQ(spy_->count(line("command", id, 0)), 0) << id;
    // The exact ones run their items.
    press('R', kCtrl);
    ASSERT_TRUE(spy_->sync());
    EXPECT_EQ(listSelection(list()), (std::vector<int>{0, 2}));
    press('D', kCtrl);
    ASSERT_TRUE(spy_->sync());
    EXPECT_EQ(listItems(list()), std::vector<std::string>{});
}

TEST_F(KeyDispatch, ShiftEnterOnAButtonLaunchesWithoutPressingIt) {
    open();
    ASSERT_TRUE(giveFocus(c(kIdButton1)));
    spy_->reset();
    press(VK_RETURN, kShift);
    ASSERT_TRUE(spy_->sync());
    EXPECT_EQ(launchesSettled(1), 1u);
    EXPECT_EQ(spy_->count(clicked(kIdButton1)), 0);
    EXPECT_EQ(toolDialog(300), nullptr);  // no file dialog
    // Enter alone presses the focused button itself: "ファイル追加" opens the file dialog.
    press(VK_RETURN);
    ASSERT_TRUE(spy_->sync());
    EXPECT_EQ(spy_->count(clicked(kIdButton1)), 1);
    // Where "ファイル追加" is built, its dialog is open now: cancel it.
    if (HWND dialog = toolDialog(2000)) {
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); }));
    }
    EXPECT_EQ(launches().size(), 1u);
}

TEST_F(KeyDispatch, EnterPressesTheFocusedPushButtonAndCtrlEnterNothing) {
    open();
    select({0});
    ASSERT_TRUE(giveFocus(c(kIdButton3)));
    spy_->reset();
    press(VK_RETURN, kCtrl);
    ASSERT_TRUE(spy_->sync());
    EXPECT_EQ(listItems(list()), kThree);  // "クリア" not pressed
    EXPECT_EQ(spy_->count(clicked(kIdButton3)), 0);
    EXPECT_EQ(spy_->count(clicked(kIdButton6)), 0);
    EXPECT_EQ(launchesSettled(0), 0u);
    press(VK_RETURN, kCtrl | kShift);
    EXPECT_EQ(launchesSettled(1), 1u);
    EXPECT_EQ(listItems(list()), kThree);
    press(VK_RETURN);  // "クリア" runs its own command, and nothing launches
    ASSERT_TRUE(spy_->sync());
    EXPECT_EQ(listItems(list()), (std::vector<std::string>{"C:\\two", "C:\\three"}));
    EXPECT_EQ(launchesSettled(1), 1u);
    EXPECT_EQ(spy_->count(line("char", kIdButton3, '\r')), 0);
}

TEST_F(KeyDispatch, EnterElsewhereLaunchesThroughTheDefaultButton) {
    open();
    const UINT places[] = {kIdCheckBox1, kIdListBox1, kIdComboBox1, kIdButton6};
    std::size_t n = 0;
    for (UINT id : places) {
        ASSERT_TRUE(giveFocus(c(id))) << id;
        press(VK_RETURN);
        EXPECT_EQ(launchesSettled(++n), n) << id;
    }
    EXPECT_EQ(SendMessageW(c(kIdCheckBox1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(listItems(list()), kThree);
    EXPECT_EQ(spy_->count(clicked(kIdButton6)), 4);
    for (UINT id : places) EXPECT_EQ(spy_->count(line("char", id, '\r')), 0) << id;
    EXPECT_NE(launches()[0].find(" \"C:\\one\" \"C:\\two\" \"C:\\three\""), std::string::npos) << launches()[0];
}

TEST_F(KeyDispatch, ShiftEnterWithQuitOnLaunchesOnceAndCloses) {
    open("C:\\one", true);
    ASSERT_TRUE(giveFocus(list()));
    press(VK_RETURN, kShift);
    EXPECT_TRUE(ended());
    EXPECT_EQ(launchesSettled(1), 1u);
}

TEST_F(KeyDispatch, EscapeClosesFromTheListAndWithShiftHeld) {
    open();
    ASSERT_TRUE(giveFocus(list()));
    press(VK_ESCAPE);
    EXPECT_TRUE(ended());
    spy_.reset();
    open();
    ASSERT_TRUE(giveFocus(c(kIdCheckBox2)));
    SendMessageW(c(kIdCheckBox2), BM_SETCHECK, BST_CHECKED, 0);
    press(VK_ESCAPE, kShift);
    EXPECT_TRUE(ended());
    // The close sequence ran: it wrote the check box back.
    EXPECT_NE(readFile(tool_->iniPath()).find("quit=1"), std::string::npos);
}

TEST_F(KeyDispatch, OpenDropDownTakesEscapeAndShiftEnterToCloseItsList) {
    open();
    HWND combo = c(kIdComboBox1);
    ASSERT_TRUE(giveFocus(combo));
    press(VK_DOWN, kAlt);
    ASSERT_TRUE(waitUntil([&] { return SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; }));
    press(VK_ESCAPE);
    ASSERT_TRUE(spy_->sync());
    EXPECT_EQ(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0), 0);
    EXPECT_TRUE(IsWindowVisible(main_));
    press(VK_DOWN, kAlt);
    ASSERT_TRUE(waitUntil([&] { return SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; }));
    press(VK_RETURN, kShift);
    ASSERT_TRUE(spy_->sync());
    EXPECT_EQ(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0), 0);
    EXPECT_EQ(launchesSettled(0), 0u);
    // Closed again, the drop-down has Shift+Enter launch and Escape close the window.
    press(VK_RETURN, kShift);
    EXPECT_EQ(launchesSettled(1), 1u);
    press(VK_ESCAPE);
    EXPECT_TRUE(ended());
}

TEST_F(KeyDispatch, TabWalksTheTabOrderAndTheDefaultFrameFollowsTheActiveButton) {
    open();
    auto isDefault = [&](UINT id) { return (GetWindowLongA(c(id), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; };
    const UINT order[] = {kIdButton6,   kIdButton1,   kIdButton2,   kIdButton3, kIdListBox1,
                          kIdCheckBox1, kIdCheckBox2, kIdComboBox1, kIdButton6};
    ASSERT_EQ(focusIn(main_), c(kIdButton6));
    EXPECT_TRUE(isDefault(kIdButton6));
    spy_->reset();
    for (std::size_t i = 1; i < sizeof order / sizeof order[0]; ++i) {
        press(VK_TAB);
        ASSERT_TRUE(spy_->sync());
        EXPECT_EQ(focusIn(main_), c(order[i])) << i;
        const bool onButton = order[i] == kIdButton1 || order[i] == kIdButton2 || order[i] == kIdButton3;
        for (UINT b : {kIdButton1, kIdButton2, kIdButton3, kIdButton6}) {
            EXPECT_EQ(isDefault(b), onButton ? b == order[i] : b == kIdButton6) << i << " " << b;
        }
    }
    for (std::size_t i = sizeof order / sizeof order[0] - 1; i-- > 0;) {
        press(VK_TAB, kShift);
        ASSERT_TRUE(spy_->sync());
        EXPECT_EQ(focusIn(main_), c(order[i])) << i;
    }
    EXPECT_EQ(spy_->count(line("char", kIdButton6, '\t')), 0);
    // Ctrl+Tab is no navigation.
    press(VK_TAB, kCtrl);
    ASSERT_TRUE(spy_->sync());
    EXPECT_EQ(focusIn(main_), c(kIdButton6));
}

TEST_F(KeyDispatch, ArrowsMoveWithinTheContainerUnlessTheControlTakesThem) {
    open();
    struct Step {
        UINT from;
        WORD key;
        UINT to;
    } steps[] = {
        {kIdButton1, VK_RIGHT, kIdButton2},   {kIdButton2, VK_DOWN, kIdButton3},
        {kIdButton3, VK_LEFT, kIdButton2},    {kIdButton1, VK_UP, kIdCheckBox2},
        {kIdCheckBox2, VK_DOWN, kIdButton1},  {kIdCheckBox1, VK_UP, kIdListBox1},
        {kIdListBox1, VK_DOWN, kIdListBox1},  {kIdListBox1, VK_LEFT, kIdListBox1},
        {kIdButton6, VK_RIGHT, kIdComboBox1}, {kIdComboBox1, VK_RIGHT, kIdComboBox1},
        {kIdButton6, VK_LEFT, kIdComboBox1},
    };
    for (const Step& s : steps) {
        ASSERT_TRUE(giveFocus(c(s.from))) << s.from;
        press(s.key);
        ASSERT_TRUE(spy_->sync());
        EXPECT_EQ(focusIn(main_), c(s.to)) << s.from << " " << s.key;
    }
    // The list used its Down and Left for itself: the caret moved, one entry selected.
    EXPECT_EQ(listSelection(list()).size(), 1u);
}

TEST_F(KeyDispatch, ErrorFromAShortcutShowsTheErrorBoxAndTheWindowGoesOn) {
    open();
    ASSERT_TRUE(giveFocus(list()));
    // The clipboard's text appended by Ctrl+V shows that pasting is built into this tool.
    const std::string text = "C:\\pasted";
    putOnClipboard(CF_TEXT, std::string(text.c_str(), text.size() + 1));
    press('V', kCtrl);
    ASSERT_TRUE(spy_->sync());
    if (listItems(list()).size() == kThree.size()) GTEST_SKIP() << "pasting from the clipboard is not built";
    ASSERT_EQ(listItems(list()).back(), text);

    // Held open by this test, the clipboard refuses the tool: the error box shows, and after
    // it the list still takes its keys.
    ASSERT_TRUE(OpenClipboard(nullptr));
    press('V', kCtrl);
    HWND box = toolDialog(5000);
    CloseClipboard();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(windowText(GetDlgItem(box, 0xFFFF)), std::string(kCannotOpenClipboard) + ".");
    EXPECT_EQ(spy_->count(line("char", kIdListBox1, 0x16)), 0);
    ASSERT_TRUE(bringToFront(box));
    press(VK_RETURN);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(box); }));
    ASSERT_TRUE(bringToFront(main_));
    ASSERT_TRUE(giveFocus(list()));
    press('A', kCtrl);
    ASSERT_TRUE(spy_->sync());
    EXPECT_EQ(listSelection(list()).size(), 4u);
}

}  // namespace
}  // namespace qm::e2e
