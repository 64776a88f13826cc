// The run list's context menu opened for real (right-click, Shift+F10, the menu key), its
// items read back from the open menu inside the tool, and its access keys pressed.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>

#include "keys_input.h"
#include "ui/resource.h"

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
Where where(POINT p) {
    return {p.x, p.y};
}

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

// Select all and Invert on 50 entries end where setting each entry with LB_SETSEL, one by one
// in ascending order, ends: the same selection, caret, anchor and top entry, the list box
// shown again after the command's pause. The model is a list box of the same size, styles
// and item height in this process, given the same start.
struct ListState {
    std::vector<int> selection;
    LRESULT caret, anchor, top;
    bool shown;
    bool operator==(const ListState& o) const {
        return selection == o.selection && caret == o.caret && anchor == o.anchor && top == o.top && shown == o.shown;
    }
};
std::ostream& operator<<(std::ostream& out, const ListState& s) {
    out << "{selected " << s.selection.size() << ", caret " << s.caret << ", anchor " << s.anchor << ", top " << s.top
        << (s.shown ? "" : ", hidden") << "}";
    return out;
}
ListState stateOf(HWND list) {
    return {listSelection(list), SendMessageW(list, LB_GETCARETINDEX, 0, 0),
            SendMessageW(list, LB_GETANCHORINDEX, 0, 0), SendMessageW(list, LB_GETTOPINDEX, 0, 0),
            (GetWindowLongPtrW(list, GWL_STYLE) & WS_VISIBLE) != 0};
}

TEST(ContextMenuCommands, SelectAllAndInvertEndAsSelectingEntryByEntryDoes) {
    Tool tool(IniText().withoutPos().apps({"x=y %P"}).bytes());
    const HWND main = tool.startAndWait();
    ASSERT_NE(main, nullptr);
    const HWND list = control(main, kIdListBox1);
    std::string paths;
    for (int i = 0; i < 50; ++i) paths += (i ? "|C:\\entry" : "C:\\entry") + std::to_string(i);
    sendCopyData(main, paths.c_str(), static_cast<DWORD>(paths.size() + 1));
    ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 50);

    RECT outer{};
    GetWindowRect(list, &outer);
    const HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    const HWND model =
        CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VISIBLE | kRunListStyle, 0, 0,
                        outer.right - outer.left, outer.bottom - outer.top, parent, nullptr, nullptr, nullptr);
    ASSERT_NE(model, nullptr);
    SendMessageW(model, LB_SETITEMHEIGHT, 0, SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    for (int i = 0; i < 50; ++i) SendMessageA(model, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("x"));
    RECT a{}, b{};
    GetClientRect(list, &a);
    GetClientRect(model, &b);
    ASSERT_EQ(a.bottom, b.bottom);  // the same page of entries
    const LRESULT page = a.bottom / SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
    ASSERT_LT(page, 20);

    // Both lists get the same start: these entries selected, the caret, then the top entry.
    auto start = [&](const std::vector<int>& selected, int caret, int top) {
        for (HWND l : {list, model}) {
            SendMessageW(l, LB_SETSEL, FALSE, -1);
            for (int i : selected) SendMessageW(l, LB_SELITEMRANGEEX, i, i);
            SendMessageW(l, LB_SETCARETINDEX, caret, FALSE);
            SendMessageW(l, LB_SETANCHORINDEX, caret, 0);
            SendMessageW(l, LB_SETTOPINDEX, top, 0);
        }
        ASSERT_EQ(stateOf(list), stateOf(model));
    };
    auto selectAllByHand = [&] {
        for (int i = 0; i < 50; ++i) SendMessageW(model, LB_SETSEL, TRUE, i);
    };
    auto invertByHand = [&] {
        for (int i = 0; i < 50; ++i)
            SendMessageW(model, LB_SETSEL, SendMessageW(model, LB_GETSEL, i, 0) > 0 ? FALSE : TRUE, i);
    };
    auto command = [&](UINT id) { SendMessageW(main, WM_COMMAND, MAKEWPARAM(id, 0), 0); };
    std::vector<int> allBut3And27;
    for (int i = 0; i < 50; ++i)
        if (i != 3 && i != 27) allBut3And27.push_back(i);

    struct Case {
        const char* what;
        UINT id;
        std::vector<int> selected;
        int caret, top;
        int lastSelected;  // -1: the command selects nothing
    };
    const std::vector<Case> cases = {
        {"select all, scrolled to the middle", kIdN1, {}, 30, 25, 49},
        {"select all, the caret already on the last entry", kIdN1, {7}, 49, 0, 49},
        // 3 then 27: the list scrolls up to 3, then down just enough for 27.
        {"invert to two entries, the second one in view", kIdN2, allBut3And27, 10, 20, 27},
        {"invert to all but a few", kIdN2, {0, 12, 49}, 12, 30, 48},
        {"invert to nothing", kIdN2,
         [] {
             std::vector<int> all(50);
             for (int i = 0; i < 50; ++i) all[static_cast<std::size_t>(i)] = i;
             return all;
         }(),
         40, 35, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        start(c.selected, c.caret, c.top);
        command(c.id);
        c.id == kIdN1 ? selectAllByHand() : invertByHand();
        const ListState got = stateOf(list);
        EXPECT_EQ(got, stateOf(model));
        if (c.lastSelected >= 0) {
            EXPECT_EQ(got.caret, c.lastSelected);
            EXPECT_EQ(got.anchor, c.lastSelected);
            EXPECT_TRUE(got.top <= got.caret && got.caret < got.top + page) << got;
        }
    }
    DestroyWindow(parent);
    EXPECT_TRUE(tool.close(main));
}

}  // namespace
}  // namespace qm::e2e
