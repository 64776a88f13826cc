// One instance holds the window; every later start forwards its arguments to it (or only
// raises it) and ends with exit code 0. Real processes, started as a file manager would.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "harness.h"
#include "ui/resource.h"

namespace qm::e2e {
namespace {

const std::string kIni = IniText().withoutPos().bytes();

// Every main window of the tool, visible or not, in whatever process.
std::vector<HWND> allMainWindows() {
    std::vector<HWND> found;
    for (HWND w = FindWindowExA(nullptr, nullptr, "TQuillmoorMW", nullptr); w;
         w = FindWindowExA(nullptr, w, "TQuillmoorMW", nullptr))
        found.push_back(w);
    return found;
}

bool isTopmost(HWND w) {
    return (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

HWND runList(HWND main) {
    return control(main, kIdListBox1);
}

// A visible window of the test program that takes the foreground away from the tool.
class OtherWindow {
public:
    OtherWindow() {
        hwnd_ = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE | WS_BORDER, 600, 600, 120, 60, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~OtherWindow() { DestroyWindow(hwnd_); }
    // Takes the foreground from the tool's window `from`; true once this thread holds it and
    // `from` is no longer active in its own thread (the tool learns of the change a moment
    // after this thread does).
    bool takeForegroundFrom(HWND from) {
        SetForegroundWindow(hwnd_);
        return pumpUntil([&] { return GetActiveWindow() == hwnd_ && activeWindowOf(from) != from; }, 3000);
    }

private:
    HWND hwnd_ = nullptr;
};

TEST(ProgramInstance, LaterStartsForwardTheirPathsOrOnlyRaiseTheWindow) {
    Tool tool(kIni);
    const HWND main = tool.startAndWait("first");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(listItems(runList(main)), (std::vector<std::string>{"first"}));

    // Paths: appended in order, the later process ends with 0 and has shown nothing.
    Process second = tool.start("a b c");
    EXPECT_EQ(second.wait(), 0);
    EXPECT_EQ(listItems(runList(main)), (std::vector<std::string>{"first", "a", "b", "c"}));
    EXPECT_EQ(allMainWindows().size(), 1u);

    // No arguments: the window comes to the foreground, nothing else changes.
    OtherWindow other;
    ASSERT_TRUE(other.takeForegroundFrom(main));
    // (The test's own window must answer while the tool takes the foreground from it.)
    EXPECT_EQ(waitPumping(tool.start()), 0);
    EXPECT_TRUE(pumpUntil([&] { return activeWindowOf(main) == main; }, 3000));
    EXPECT_EQ(listItems(runList(main)), (std::vector<std::string>{"first", "a", "b", "c"}));
    EXPECT_FALSE(isTopmost(main));

    // "/t" alone: topmost, raised, nothing appended.
    ASSERT_TRUE(other.takeForegroundFrom(main));
    EXPECT_EQ(waitPumping(tool.start("/t")), 0);
    EXPECT_TRUE(isTopmost(main));
    EXPECT_TRUE(pumpUntil([&] { return activeWindowOf(main) == main; }, 3000));
    EXPECT_EQ(listItems(runList(main)), (std::vector<std::string>{"first", "a", "b", "c"}));
    EXPECT_TRUE(tool.close(main));
}

// While the first instance is busy (its thread held still here), a later start waits in its
// send without a time limit and creates no window of its own; the paths arrive once the
// first instance goes on.
TEST(ProgramInstance, LaterStartWaitsForABusyInstanceAndShowsNothing) {
    Tool tool(kIni);
    const HWND main = tool.startAndWait();
    ASSERT_NE(main, nullptr);
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(main, nullptr));
    ASSERT_NE(thread, nullptr);
    struct Resume {
        HANDLE h;
        bool suspended = false;
        ~Resume() {
            if (suspended) ResumeThread(h);
            CloseHandle(h);
        }
    } resume{thread};
    ASSERT_NE(SuspendThread(thread), static_cast<DWORD>(-1));
    resume.suspended = true;

    Process later = tool.start("late");
    EXPECT_EQ(later.wait(2000), -1) << "the later start must wait for its hand-off to be handled";
    EXPECT_TRUE(topLevelWindowsOf(later.pid()).empty());

    ResumeThread(thread);
    resume.suspended = false;
    EXPECT_EQ(later.wait(), 0);
    EXPECT_EQ(listItems(runList(main)), (std::vector<std::string>{"late"}));
    EXPECT_TRUE(tool.close(main));
}

TEST(ProgramInstance, TenForwardingStartsAtOnceAllDeliver) {
    Tool tool(kIni);
    const HWND main = tool.startAndWait("first");
    ASSERT_NE(main, nullptr);
    std::vector<Process> later;
    for (int i = 0; i < 10; ++i) later.push_back(tool.start("p" + std::to_string(i) + " q" + std::to_string(i)));
    for (Process& p : later) EXPECT_EQ(p.wait(20000), 0);

    std::vector<std::string> items = listItems(runList(main));
    ASSERT_EQ(items.size(), 21u);
    EXPECT_EQ(items[0], "first");
    // Each start's two paths stay together and in order; the starts may come in any order.
    for (int i = 0; i < 10; ++i) {
        const auto at = std::find(items.begin(), items.end(), "p" + std::to_string(i));
        ASSERT_NE(at, items.end()) << i;
        ASSERT_NE(at + 1, items.end());
        EXPECT_EQ(*(at + 1), "q" + std::to_string(i));
    }
    EXPECT_TRUE(tool.close(main));
}

// Ten starts with no instance running: one becomes the first instance, the others find its
// mutex (or lose the race to create it) and wait for its window; none opens a second window
// and no path is lost or doubled.
TEST(ProgramInstance, TenStartsAtOnceEndWithOneWindowHoldingEveryPath) {
    Tool tool(kIni);
    ASSERT_TRUE(allMainWindows().empty());
    std::vector<std::string> argsList, expected;
    for (int i = 0; i < 10; ++i) {
        const std::string n = std::to_string(i);
        argsList.push_back("x" + n + " y" + n + " z" + n);
        for (const char* p : {"x", "y", "z"}) expected.push_back(p + n);
    }
    std::vector<Process> starts = tool.startTogether(argsList);
    ASSERT_EQ(starts.size(), 10u);
    // Nine end with 0; one stays, holding the window.
    const DWORD begin = GetTickCount();
    std::size_t running = starts.size();
    while (GetTickCount() - begin < 30000) {
        running = static_cast<std::size_t>(
            std::count_if(starts.begin(), starts.end(), [](const Process& p) { return p.running(); }));
        if (running == 1) break;
        Sleep(50);
    }
    ASSERT_EQ(running, 1u);
    for (Process& p : starts) {
        if (!p.running()) {
            EXPECT_EQ(p.wait(0), 0);
        }
    }
    const HWND main = findMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(allMainWindows().size(), 1u);

    std::vector<std::string> items = listItems(runList(main));
    std::sort(items.begin(), items.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(items, expected);
    EXPECT_TRUE(tool.close(main));
}

// A start that finds the mutex but no window (the first instance still starting, or
// ending) keeps its paths: it waits, and when the mutex goes away it becomes the first
// instance itself.
TEST(ProgramInstance, StartFindingTheMutexWithoutWindowTakesOverWhenTheMutexGoes) {
    HANDLE mutex = CreateMutexA(nullptr, FALSE, "QuillmoorMW");
    ASSERT_NE(mutex, nullptr);
    ASSERT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS)) << "a Quillmoor instance is running";
    Tool tool(kIni);
    Process p = tool.start("m \"n o\"");
    EXPECT_EQ(p.wait(1000), -1);
    EXPECT_TRUE(allMainWindows().empty());
    CloseHandle(mutex);

    const HWND main = findMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(processOf(main), p.pid());
    EXPECT_EQ(listItems(runList(main)), (std::vector<std::string>{"m", "n o"}));
    EXPECT_TRUE(tool.close(main));
    EXPECT_EQ(p.wait(), 0);
}

// An error that nothing catches ends the program with its own box in Japanese (its title as
// caption, an error icon), never the runtime's English one, and the exit code of an abort.
TEST(UncaughtError, EndsWithTheToolsOwnBoxInJapanese) {
    struct Case {
        const char* argument;
        std::string text;
    };
    const Case cases[] = {
        {"memory", "\x83\x81\x83\x82\x83\x8A\x82\xAA\x91\xAB\x82\xE8\x82\xDC\x82\xB9\x82\xF1"},  // メモリが足りません
        // 予期しないエラーのため終了します
        {"other",
         "\x97\x5C\x8A\xFA\x82\xB5\x82\xC8\x82\xA2\x83\x47\x83\x89\x81\x5B\x82\xCC\x82\xBD\x82\xDF\x8F\x49"
         "\x97\xB9\x82\xB5\x82\xDC\x82\xB7"},
    };
    for (const Case& c : cases) {
        Process p = startProcess("\"" + programDir() + "\\qm_uncaught.exe\" " + c.argument);
        const HWND box = findMessageBox(p.pid());
        ASSERT_NE(box, nullptr) << c.argument;
        const MessageBoxView view = readMessageBox(box);
        EXPECT_EQ(view.text, c.text) << c.argument;
        EXPECT_EQ(view.caption, "qm_uncaught");
        EXPECT_TRUE(view.icon);
        pressOk(box);
        EXPECT_EQ(p.wait(), 3) << c.argument;
    }
}

}  // namespace
}  // namespace qm::e2e
