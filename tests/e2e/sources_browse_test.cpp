// "フォルダ追加": the system's folder browser, rooted at the computer folder, driven
// through its tree as a user's clicks would, with its status line read from outside.
#include "sources_support.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/resource.h"
#include "wide_names.h"

namespace qm::e2e {
namespace {

constexpr int kTitle = 0x3742, kStatus = 0x3743, kTree = 0x3741;

class FolderBrowser : public SourcesTest {
protected:
    HWND open() {
        command(kIdButton2);
        HWND browser = ownedDialog(main_);
        EXPECT_NE(browser, nullptr) << "no folder browser over the main window";
        if (browser) tree_ = descendant(browser, kTree, WC_TREEVIEWA);
        return browser;
    }
    HTREEITEM item(UINT relation, HTREEITEM from = nullptr) const {
        return reinterpret_cast<HTREEITEM>(
            SendMessageW(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(from)));
    }
    // Highlights an item as a click does and returns the status line that follows.
    std::string highlight(HWND browser, HTREEITEM it) const {
        SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(it));
        return controlText(descendant(browser, kStatus, "Static"));
    }
    bool closed(HWND browser) const {
        return waitUntil([&] { return !IsWindow(browser); });
    }
    // Walks the tree down to the folder `path` as a user opens one level after the other,
    // each item told by the path the status line shows for it; false when it is not found.
    bool highlightFolder(HWND browser, const std::wstring& path) const {
        HTREEITEM at = item(TVGN_ROOT);
        std::wstring shown;
        while (at && shown != path) {
            SendMessageW(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(at));
            HTREEITEM next = nullptr;
            for (HTREEITEM it = item(TVGN_CHILD, at); it && !next; it = item(TVGN_NEXT, it)) {
                SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(it));
                const std::wstring status = controlTextWide(descendant(browser, kStatus, "Static"));
                const bool below =
                    !status.empty() && path.compare(0, status.size(), status) == 0 &&
                    (status.size() == path.size() || status.back() == L'\\' || path[status.size()] == L'\\');
                if (below) {
                    next = it;
                    shown = status;
                }
            }
            at = next;
        }
        return at != nullptr;
    }
    HWND tree_ = nullptr;
};

TEST_F(FolderBrowser, ConfirmingADriveAppendsItsRootPath) {
    handOff("existing");
    ASSERT_TRUE(waitForCount(1));
    HWND browser = open();
    ASSERT_NE(browser, nullptr);
    EXPECT_FALSE(IsWindowEnabled(main_));
    EXPECT_EQ(controlText(descendant(browser, kTitle, "Static")),
              "\x83\x74\x83\x48\x83\x8B\x83\x5F\x82\xCC\x91\x49\x91\xF0");  // フォルダの選択

    // The root is the computer folder: no path. Its children are the drives (with their
    // root paths) and folders without a path, such as the control panel.
    HTREEITEM root = item(TVGN_ROOT);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(highlight(browser, root), "");
    HTREEITEM driveC = nullptr;
    std::vector<std::string> statuses;
    for (HTREEITEM it = item(TVGN_CHILD, root); it; it = item(TVGN_NEXT, it)) {
        statuses.push_back(highlight(browser, it));
        if (statuses.back() == "C:\\") driveC = it;
    }
    EXPECT_NE(std::find(statuses.begin(), statuses.end(), ""), statuses.end()) << "an item without a path";
    ASSERT_NE(driveC, nullptr);
    EXPECT_EQ(highlight(browser, driveC), "C:\\");

    press(browser, IDOK);
    ASSERT_TRUE(closed(browser));
    ASSERT_TRUE(waitForCount(2));
    EXPECT_EQ(items(), (std::vector<std::string>{"existing", "C:\\"}));
    EXPECT_TRUE(listSelection(list_).empty());
    EXPECT_TRUE(enabledAgain());
}

TEST_F(FolderBrowser, TheComputerFolderOrACancelAppendsNothing) {
    handOff("existing");
    ASSERT_TRUE(waitForCount(1));
    HWND browser = open();
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(highlight(browser, item(TVGN_ROOT)), "");
    press(browser, IDOK);
    ASSERT_TRUE(closed(browser));

    browser = open();
    ASSERT_NE(browser, nullptr);
    highlight(browser, item(TVGN_CHILD, item(TVGN_ROOT)));
    press(browser, IDCANCEL);
    ASSERT_TRUE(closed(browser));

    // A third use still works: the tool is unharmed by the two that gave no path.
    browser = open();
    ASSERT_NE(browser, nullptr);
    press(browser, IDCANCEL);
    ASSERT_TRUE(closed(browser));
    EXPECT_EQ(items(), std::vector<std::string>{"existing"});
    EXPECT_TRUE(enabledAgain());
}

TEST_F(FolderBrowser, AFolderNamedOutsideTheCodePageIsShownAndAppendedExactly) {
    WideNames names;
    const std::wstring folder = names.dir() + L"\\\u2603 caf\u00E9 \U0001F600";
    names.make(L"\u2603 caf\u00E9 \U0001F600\\x.txt");
    HWND browser = open();
    ASSERT_NE(browser, nullptr);
    ASSERT_TRUE(highlightFolder(browser, folder));
    EXPECT_EQ(controlTextWide(descendant(browser, kStatus, "Static")), folder);
    press(browser, IDOK);
    ASSERT_TRUE(closed(browser));
    ASSERT_TRUE(waitForCount(1));
    expectListedAndLaunched(*tool_, main_, {folder});
}

}  // namespace
}  // namespace qm::e2e
