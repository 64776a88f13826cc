// The run list's context menu opened for real (right-click, Shift+F10, the menu key), its
// items read back from the open menu inside the tool, and its access keys pressed; and every
// text of the window, its menu and its boxes read from outside under the system's code page.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>

#include "keys_input.h"
#include "sources_support.h"
#include "ui/resource.h"

namespace qm::e2e {
namespace {

// What the open menu's items hold, in menu order, after the first opening.
const std::vector<std::string> kItems = {toAcp(L"貼り付け(&V)\tCtrl+V"), toAcp(L"クリア(&W)\tDel"),
                                         toAcp(L"オールクリア(&X)\tCtrl+D"), toAcp(L"全て選択(&Y)\tCtrl+A"),
                                         toAcp(L"選択反転(&Z)\tCtrl+R")};

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

// Every text the tool shows is its Japanese text under every code page of the system: read
// with the W calls, from outside the tool (the menu and the fonts from inside it), in UTF-16.
// In the usual run the system's code page is 932; ctest runs these tests once more with code
// page 65001 (the system code page UTF-8) and once with 1252, and QM_TEST_CODEPAGE names the
// one expected (tests/CMakeLists.txt).
//
// How a program under Wine gets another code page: Wine takes the ANSI code page from the
// locale of the process's own Unix environment (LC_ALL), when it starts, whatever the locale of
// the session's wineserver and of the programs already running: a new program in the same
// session gets its own. A program that Wine starts from a Windows program inherits its parent's
// Unix environment (an LC_ALL put in CreateProcess's environment block changes nothing), so
// cmake/wine-exec starts the test program in a locale that gives the code page, and the tool
// it starts runs with that one too. The prefix's registry is not involved.
class AnyCodePage : public KeysTest {
protected:
    void SetUp() override {
        char wanted[16] = "";
        GetEnvironmentVariableA("QM_TEST_CODEPAGE", wanted, sizeof wanted);
        ASSERT_EQ(GetACP(), wanted[0] ? std::stoul(wanted) : 932ul);
    }
    // The tool with an application that cannot start ("gone"), and the three entries.
    void openFailing() {
        ASSERT_NE(startTool(IniText().at(40, 60).apps({"gone=C:\\nowhere\\missing.exe %P"}).bytes(),
                            "C:\\one C:\\two C:\\three"),
                  nullptr);
        GetWindowThreadProcessId(main_, &pid_);
        ASSERT_TRUE(bringToFront(main_));
        spy_ = std::make_unique<Spy>(main_);
    }
};

// What a window answers to WM_GETTEXT sent with the W call, every character kept.
std::wstring answeredText(HWND w) {
    wchar_t buf[256] = L"";
    DWORD_PTR n = 0;
    SendMessageTimeoutW(w, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buf), SMTO_NORMAL, 5000, &n);
    return std::wstring(buf, n);
}

TEST_F(AnyCodePage, TheWindowItsMenuAndItsErrorBoxShowTheirJapaneseTexts) {
    openFailing();
    const struct {
        Ctl control;
        const wchar_t* text;
    } captions[] = {
        {Ctl::GroupBox1, L"\u5B9F\u884C\u30EA\u30B9\u30C8"},      // 実行リスト
        {Ctl::Label1, L"\u30A2\u30D7\u30EA\u9078\u629E"},         // アプリ選択
        {Ctl::Button1, L"\u30D5\u30A1\u30A4\u30EB\u8FFD\u52A0"},  // ファイル追加
        {Ctl::Button2, L"\u30D5\u30A9\u30EB\u30C0\u8FFD\u52A0"},  // フォルダ追加
        {Ctl::Button3, L"\u30AF\u30EA\u30A2"},                    // クリア
        {Ctl::Button6, L"\u5B9F\u884C"},                          // 実行
        {Ctl::CheckBox1, L"\u5B9F\u884C\u3057\u305F\u3089\u30EA\u30B9\u30C8\u3092\u30AF\u30EA\u30A2\u3059\u308B"},
        {Ctl::CheckBox2, L"\u5B9F\u884C\u3057\u305F\u3089\u7D42\u4E86\u3059\u308B"},  // 実行したら終了する
    };
    for (const auto& c : captions) EXPECT_EQ(answeredText(control(main_, c.control)), c.text);
    EXPECT_EQ(answeredText(main_), L"Quillmoor");
    // The application window's text is the tool's title.
    const HWND app = findTopLevel([&](HWND w) { return processOf(w) == pid_ && className(w) == "TApplication"; });
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(answeredText(app), L"Quillmoor");
    // ＭＳ Ｐゴシック, also Label1's own font.
    for (Ctl c : {Ctl::Button6, Ctl::CheckBox1, Ctl::Label1})
        EXPECT_EQ(spy_->fontFace(control(main_, c)), L"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF");

    // The menu with the same access keys as under code page 932, which work: W deletes.
    select({0, 2});
    RECT client{};
    GetClientRect(list(), &client);
    POINT at{40, client.bottom - 15};
    ClientToScreen(list(), &at);
    rightClickAt(at);
    const HWND menu = popupMenuWindow(5000);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(
        spy_->menuItemsWide(menu),
        (std::vector<std::wstring>{L"\u8CBC\u308A\u4ED8\u3051(&V)\tCtrl+V", L"\u30AF\u30EA\u30A2(&W)\tDel",
                                   L"\u30AA\u30FC\u30EB\u30AF\u30EA\u30A2(&X)\tCtrl+D",
                                   L"\u5168\u3066\u9078\u629E(&Y)\tCtrl+A", L"\u9078\u629E\u53CD\u8EE2(&Z)\tCtrl+R"}));
    press('W');
    ASSERT_TRUE(menuClosed());
    ASSERT_TRUE(spy_->sync());
    EXPECT_EQ(listItemsWide(list()), std::vector<std::wstring>{L"C:\\two"});

    // The error box: "gone を起動できません." under the title.
    PostMessageW(main_, WM_COMMAND, MAKEWPARAM(kIdButton6, BN_CLICKED),
                 reinterpret_cast<LPARAM>(control(main_, Ctl::Button6)));
    const HWND box = toolDialog(10000);
    ASSERT_NE(box, nullptr);
    const MessageBoxView view = readMessageBox(box);
    EXPECT_EQ(view.wideCaption, L"Quillmoor");
    EXPECT_EQ(view.wideText, L"gone \u3092\u8D77\u52D5\u3067\u304D\u307E\u305B\u3093.");
    pressOk(box);
    ASSERT_TRUE(enabledAgain());

    // The file dialog's one filter, 全てのファイル, and the folder browser's title, フォルダの選択.
    PostMessageW(control(main_, Ctl::Button1), BM_CLICK, 0, 0);
    const HWND dialog = ownedDialog(GetWindow(main_, GW_OWNER));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(comboItemsWide(descendant(dialog, 0x470, "ComboBox")),  // cmb1: the file types
              std::vector<std::wstring>{L"\u5168\u3066\u306E\u30D5\u30A1\u30A4\u30EB"});
    press(dialog, IDCANCEL);
    ASSERT_TRUE(enabledAgain());
    PostMessageW(control(main_, Ctl::Button2), BM_CLICK, 0, 0);
    const HWND browser = ownedDialog(main_);
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(controlTextWide(descendant(browser, 0x3742, "Static")), L"\u30D5\u30A9\u30EB\u30C0\u306E\u9078\u629E");
    press(browser, IDCANCEL);
    EXPECT_TRUE(enabledAgain());
}

// The title from an exe whose name no 8-bit code page holds whole: its first character, and
// the rest in lower case, as the system names it.
TEST_F(AnyCodePage, TheMissingSettingsNoticeIsCaptionedWithTheExesOwnName) {
    test::TempDir dir("e2e");
    const std::wstring exe = fromAcp(dir.path()) + L"\\\u2603\u00C9T\u00C9.v2.exe";  // ☃ÉTÉ.v2.exe
    ASSERT_TRUE(CopyFileW(fromAcp(programDir() + "\\Quillmoor.exe").c_str(), exe.c_str(), FALSE));
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(test::createProcess(L"\"" + exe + L"\"", dir.path(), 0, pi));
    const Process tool(pi);
    const HWND box = findMessageBox(tool.pid());
    ASSERT_NE(box, nullptr);
    const MessageBoxView view = readMessageBox(box);
    EXPECT_EQ(view.wideCaption, L"\u2603\u00E9t\u00E9");  // ☃été
    // INIファイルを記述して下さい
    EXPECT_EQ(view.wideText, L"INI\u30D5\u30A1\u30A4\u30EB\u3092\u8A18\u8FF0\u3057\u3066\u4E0B\u3055\u3044");
    EXPECT_FALSE(view.icon);
    pressOk(box);
    EXPECT_EQ(tool.wait(), 0);
    tool.end();
}

}  // namespace
}  // namespace qm::e2e
