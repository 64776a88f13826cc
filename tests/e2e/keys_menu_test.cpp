// The run list's context menu opened for real (right-click, Shift+F10, the menu key), its
// items read back from the open menu inside the tool, and its access keys pressed.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "keys_input.h"
#include "ui/Unit1.h"

namespace qm::e2e {
namespace {

// What the open menu's items hold, in menu order, after the first opening.
const std::vector<std::string> kItems = {"貼り付け(&V)\tCtrl+V", "クリア(&W)\tDel", "オールクリア(&X)\tCtrl+D",
                                         "全て選択(&Y)\tCtrl+A", "選択反転(&Z)\tCtrl+R"};

bool menuClosed() {
    return waitUntil([] {
        HWND m = FindWindowA("#32768", nullptr);
        return !m || !IsWindowVisible(m);
    });
}

using Where = std::pair<LONG, LONG>;
Where topLeft(HWND menu) {
    RECT r{};
    GetWindowRect(menu, &r);
    return {r.left, r.top};
}
Where where(POINT p) { return {p.x, p.y}; }

using ContextMenu = KeysTest;

TEST_F(ContextMenu, RightClickBelowTheLastEntryOpensItAtThePointerAndItsKeysWork) {
    open();
    select({0, 2});
    RECT client{};
    GetClientRect(list(), &client);
    POINT at{40, client.bottom - 15};
    const LRESULT itemHeight = SendMessageW(list(), LB_GETITEMHEIGHT, 0, 0);
    ASSERT_GT(at.y, 3 * itemHeight);  // below the last entry
    ClientToScreen(list(), &at);

    rightClickAt(at);
    HWND menu = popupMenuWindow(5000);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(topLeft(menu), where(at));
    EXPECT_EQ(spy_->menuItems(menu), kItems);
    press('W');
    ASSERT_TRUE(menuClosed());
    ASSERT_TRUE(spy_->sync());
    EXPECT_EQ(listItems(list()), std::vector<std::string>{"C:\\two"});

    // Opened again, the captions have kept their keys; Z inverts the selection.
    rightClickAt(at);
    menu = popupMenuWindow(5000);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(spy_->menuItems(menu), kItems);
    press('Z');
    ASSERT_TRUE(menuClosed());
    ASSERT_TRUE(spy_->sync());
    EXPECT_EQ(listSelection(list()), std::vector<int>{0});
}

TEST_F(ContextMenu, KeyboardRequestOpensItAtTheListsTopLeftOnlyFromTheList) {
    open();
    ASSERT_TRUE(giveFocus(list()));
    POINT corner{0, 0};
    ClientToScreen(list(), &corner);
    const struct {
        WORD key;
        int mods;
    } requests[] = {{VK_F10, kShift}, {VK_APPS, kNoMods}};
    for (const auto& r : requests) {
        press(r.key, r.mods);
        HWND menu = popupMenuWindow(5000);
        ASSERT_NE(menu, nullptr) << r.key;
        EXPECT_EQ(topLeft(menu), where(corner)) << r.key;
        EXPECT_EQ(spy_->menuItems(menu), kItems) << r.key;
        press(VK_ESCAPE);  // closes the menu, not the window
        ASSERT_TRUE(menuClosed());
        ASSERT_TRUE(spy_->sync());
        EXPECT_TRUE(IsWindowVisible(main_));
    }
    // (Shift+F10 would also put a window without a list into the system's menu mode.)
    ASSERT_TRUE(giveFocus(c(kIdButton6)));
    press(VK_APPS);
    ASSERT_TRUE(spy_->sync());
    EXPECT_EQ(popupMenuWindow(500), nullptr);
}

TEST_F(ContextMenu, RightClickOnTheListsScrollBarIsLeftToTheSystem) {
    std::string args;
    for (int i = 1; i <= 30; ++i) args += " C:\\e" + std::to_string(i);
    open(args);
    ASSERT_TRUE(GetWindowLongA(list(), GWL_STYLE) & WS_VSCROLL);
    RECT window{}, client{};
    GetWindowRect(list(), &window);
    GetClientRect(list(), &client);
    POINT bar{window.right - 2 - GetSystemMetrics(SM_CXVSCROLL) / 2, (window.top + window.bottom) / 2};
    POINT local = bar;
    ScreenToClient(list(), &local);
    ASSERT_GE(local.x, client.right);  // on the bar, outside the client area

    rightClickAt(bar);
    ASSERT_TRUE(spy_->sync());
    if (HWND menu = popupMenuWindow(700)) {  // the system's own menu, if it has one
        EXPECT_NE(spy_->menuItems(menu), kItems);
        press(VK_ESCAPE);
        ASSERT_TRUE(menuClosed());
    }
    // Inside the client area it opens.
    POINT inside{client.right / 2, client.bottom / 2};
    ClientToScreen(list(), &inside);
    rightClickAt(inside);
    HWND menu = popupMenuWindow(5000);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(spy_->menuItems(menu), kItems);
    press(VK_ESCAPE);
    EXPECT_TRUE(menuClosed());
}

}  // namespace
}  // namespace qm::e2e
