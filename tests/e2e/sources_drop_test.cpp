// Dropped files: WM_DROPFILES with a drop block the tool's process can read, as the system
// delivers it. (Wine carries no drop handle across processes, and its drag and drop reaches
// only windows of the dropping process, so the block is written into the tool's memory.)
#include "sources_support.h"

#include <shlobj.h>  // DROPFILES

#include "ui/resource.h"
#include "wide_names.h"

namespace qm::e2e {
namespace {

class Drop : public SourcesTest {
protected:
    void TearDown() override {
        for (void* block : blocks_) VirtualFreeEx(process(), block, 0, MEM_RELEASE);
    }
    HANDLE process() {
        if (!process_.valid()) {
            DWORD pid = 0;
            GetWindowThreadProcessId(main_, &pid);
            process_.reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid));
        }
        return process_.get();
    }
    // Drops `names` at `pt` (main window client coordinates), in ANSI or in UTF-16.
    void drop(const std::vector<std::string>& names, POINT pt = {10, 10}, bool wide = false) {
        std::vector<std::wstring> wideNames;
        std::string block;
        for (const std::string& name : names) {
            wideNames.push_back(fromAcp(name));
            block.append(name.c_str(), name.size() + 1);
        }
        if (wide) return dropWide(wideNames, pt);
        post(block + '\0', pt, false);
    }
    void dropWide(const std::vector<std::wstring>& names, POINT pt = {10, 10}) {
        std::string block;
        for (const std::wstring& w : names) {
            block.append(reinterpret_cast<const char*>(w.c_str()), (w.size() + 1) * sizeof(wchar_t));
        }
        post(block + std::string(2, '\0'), pt, true);
    }
    // Writes the drop block (the names and their final empty one) into the tool's process
    // and posts it.
    void post(const std::string& names, POINT pt, bool wide) {
        DROPFILES head{};
        head.pFiles = sizeof head;
        head.pt = pt;
        head.fWide = wide;
        const std::string block = std::string(reinterpret_cast<const char*>(&head), sizeof head) + names;
        void* remote = VirtualAllocEx(process(), nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        ASSERT_NE(remote, nullptr);
        blocks_.push_back(remote);
        ASSERT_TRUE(WriteProcessMemory(process(), remote, block.data(), block.size(), nullptr));
        PostMessageW(main_, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
    }
    // Where a point of `control` lies in the main window's client area.
    POINT pointOn(HWND c) const {
        RECT r{};
        GetWindowRect(c, &r);
        POINT pt{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ScreenToClient(main_, &pt);
        return pt;
    }

    test::Handle process_;  // after the blocks are freed, closed with the fixture
    std::vector<void*> blocks_;
};

TEST_F(Drop, NamesAreAppendedInTheDropsOrderAfterTheEntriesNoneSelected) {
    handOff("C:\\first|C:\\second");
    ASSERT_TRUE(waitForCount(2));
    SendMessageW(list_, LB_SETSEL, TRUE, 1);
    const std::vector<std::string> names = {"C:\\b.txt", "C:\\a folder", toAcp(L"C:\\データ表"),
                                            toAcp(L"D:\\表\\ポ.txt"), "C:\\b.txt"};
    drop(names);
    ASSERT_TRUE(waitForCount(7));
    std::vector<std::string> expected = {"C:\\first", "C:\\second"};
    expected.insert(expected.end(), names.begin(), names.end());
    EXPECT_EQ(items(), expected);
    EXPECT_EQ(listSelection(list_), std::vector<int>{1});  // the earlier selection stays
}

TEST_F(Drop, ALongNameArrivesWholeAndUnicodeNamesArriveInTheCodePage) {
    const std::string longName = "C:\\" + std::string(297, 'n');  // 300 bytes
    drop({longName, "C:\\short"});
    ASSERT_TRUE(waitForCount(2));
    drop({toAcp(L"C:\\データ表\\x"), std::string("C:\\") + std::string(126, 'w') + toAcp(L"表表")}, {10, 10}, true);
    ASSERT_TRUE(waitForCount(4));
    const std::vector<std::string> got = items();
    EXPECT_EQ(got[0], longName);
    EXPECT_EQ(got[1], "C:\\short");
    EXPECT_EQ(got[2], toAcp(L"C:\\データ表\\x"));
    EXPECT_EQ(got[3], std::string("C:\\") + std::string(126, 'w') + toAcp(L"表表"));  // 133 bytes
}

TEST_F(Drop, OnTheListAButtonOrTheDropDownItIsTheWindowsDrop) {
    // Only the main window takes drops, so the system hands it every drop on its controls.
    EXPECT_TRUE(GetWindowLongW(main_, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    for (UINT id : {kIdListBox1, kIdButton1, kIdButton6, kIdComboBox1, kIdGroupBox1}) {
        EXPECT_FALSE(GetWindowLongW(control(main_, id), GWL_EXSTYLE) & WS_EX_ACCEPTFILES) << id;
    }
    const POINT points[] = {pointOn(list_), pointOn(control(main_, kIdButton1)), pointOn(control(main_, kIdComboBox1)),
                            POINT{3, 3}};
    std::size_t count = 0;
    for (const POINT& pt : points) {
        drop({"C:\\x", "C:\\y"}, pt);
        count += 2;
        ASSERT_TRUE(waitForCount(count));
    }
    EXPECT_EQ(items(),
              (std::vector<std::string>{"C:\\x", "C:\\y", "C:\\x", "C:\\y", "C:\\x", "C:\\y", "C:\\x", "C:\\y"}));
}

TEST_F(Drop, TwoThousandNamesAtOnce) {
    std::vector<std::string> names;
    for (int i = 0; i < 2000; ++i) names.push_back("C:\\files\\" + std::to_string(i) + ".txt");
    drop(names);
    ASSERT_TRUE(waitForCount(2000, 60000));
    EXPECT_EQ(items(), names);
}

TEST_F(Drop, NamesOutsideTheCodePageAndNamesOver260CharactersReachTheListAndTheLaunchedProgramExactly) {
    WideNames names;
    std::vector<std::wstring> dropped = names.paths();
    dropped.push_back(names.dir() + L"\\" + std::wstring(300, L'\u8868') + L"\\\u2603.txt");
    dropWide(dropped);
    ASSERT_TRUE(waitForCount(dropped.size()));
    expectListedAndLaunched(*tool_, main_, dropped);
}

}  // namespace
}  // namespace qm::e2e
