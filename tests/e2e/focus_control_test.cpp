// Which window holds the foreground, with real processes: the tool, a window of a second
// program (qm_frontwin) put in front of it, and hand-offs sent as a later start would send
// them. "Raised" is read from the window's own thread (its active window, through
// GetGUIThreadInfo) as well as from the foreground: Wine may answer GetForegroundWindow with
// none after the forced foreground sequence has detached the two threads' input again.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"
#include "keys_input.h"
#include "ui/resource.h"

namespace qm::e2e {
namespace {

// The active window of `w`'s thread, as that thread sees it.
HWND activeWindowOf(HWND w) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(w, nullptr), &info)) return nullptr;
    return info.hwndActive;
}

bool isTopmost(HWND w) {
    return (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// True when `upper` stands above `lower` in the z-order of top-level windows.
bool isAbove(HWND upper, HWND lower) {
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == lower) return true;
    }
    return false;
}

// A window of a second program that takes the foreground.
class FrontWindow {
public:
    // Opens it over `cover` (the tool's window), or at 0,0 when none is given.
    explicit FrontWindow(HWND cover = nullptr) {
        RECT r{0, 0, 300, 200};
        if (cover) GetWindowRect(cover, &r);
        process_ = startProcess("\"" + programDir() + "\\qm_frontwin.exe\" " + std::to_string(r.left) + " " +
                                std::to_string(r.top) + " " + std::to_string(r.right - r.left) + " " +
                                std::to_string(r.bottom - r.top));
        waitUntil([&] {
            for (HWND w = FindWindowA("QmFrontWin", nullptr); w; w = FindWindowExA(nullptr, w, "QmFrontWin", nullptr)) {
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                if (pid == process_.pid() && IsWindowVisible(w)) hwnd_ = w;
            }
            return hwnd_ != nullptr && inFront();
        });
    }
    ~FrontWindow() {
        if (hwnd_) PostMessageA(hwnd_, WM_CLOSE, 0, 0);
        if (process_.wait(5000) == -1) process_.end();
    }
    HWND hwnd() const { return hwnd_; }
    // Its own thread sees it as the foreground window or as its active window.
    bool inFront() const {
        DWORD_PTR state = 0;
        SendMessageTimeoutA(hwnd_, WM_APP, 0, 0, SMTO_NORMAL, 5000, &state);
        return state != 0;
    }
    bool takeForeground() const {
        DWORD_PTR state = 0;
        SendMessageTimeoutA(hwnd_, WM_APP + 1, 0, 0, SMTO_NORMAL, 5000, &state);
        return waitUntil([&] { return inFront(); }, 3000);
    }
    LRESULT activations() const {
        DWORD_PTR n = 0;
        SendMessageTimeoutA(hwnd_, WM_APP + 2, 0, 0, SMTO_NORMAL, 5000, &n);
        return static_cast<LRESULT>(n);
    }

private:
    Process process_;
    HWND hwnd_ = nullptr;
};

class Focus : public ToolTest {
protected:
    HWND open(const std::string& args = std::string()) { return startTool(IniText().bytes(), args); }
    // The window is in front: its thread's active window, and the foreground window unless
    // Wine answers none.
    bool raised() const {
        HWND fg = GetForegroundWindow();
        return activeWindowOf(main_) == main_ && (fg == main_ || fg == nullptr);
    }
    bool waitRaised() const {
        return waitUntil([&] { return raised(); }, 3000);
    }
    // Gives the window and the other program time to act on a foreground change, if any.
    static void settle() { Sleep(300); }
};

using Items = std::vector<std::string>;

TEST_F(Focus, TopmostSwitchOnTheCommandLineKeepsTheWindowAboveOtherPrograms) {
    ASSERT_NE(open("/t x"), nullptr);
    EXPECT_TRUE(isTopmost(main_));
    EXPECT_EQ(items(), Items{"x"});
    FrontWindow front(main_);
    ASSERT_TRUE(front.takeForeground());
    EXPECT_FALSE(raised());
    EXPECT_TRUE(isAbove(main_, front.hwnd()));  // the other program is active, yet below
    handOff("y");
    settle();
    front.takeForeground();
    EXPECT_TRUE(isTopmost(main_));
    EXPECT_TRUE(isAbove(main_, front.hwnd()));
    EXPECT_EQ(items(), (Items{"x", "y"}));
}

TEST_F(Focus, TopmostSwitchInAHandOffMakesTheRunningWindowTopmostForGood) {
    ASSERT_NE(open("a"), nullptr);
    EXPECT_FALSE(isTopmost(main_));
    FrontWindow front(main_);
    ASSERT_TRUE(front.takeForeground());
    EXPECT_TRUE(isAbove(front.hwnd(), main_));
    // A later start with "/t" alone: nothing appended, the window topmost.
    Process second = tool_->start("/t");
    EXPECT_EQ(second.wait(10000), 0);
    EXPECT_TRUE(isTopmost(main_));
    EXPECT_EQ(items(), Items{"a"});
    // Nothing undoes it: not a hand-off without the switch, not another program in front.
    handOff("b|/d");
    front.takeForeground();
    settle();
    EXPECT_TRUE(isTopmost(main_));
    EXPECT_TRUE(isAbove(main_, front.hwnd()));
    EXPECT_EQ(items(), (Items{"a", "/d"}));
}

TEST_F(Focus, WithoutGiveBackEveryHandOffRaisesTheWindowFromBehindAnotherProgram) {
    ASSERT_NE(open(), nullptr);
    ASSERT_TRUE(waitRaised());
    FrontWindow front(main_);
    // A path, the topmost switch alone, and no argument at all: each raises the window.
    for (const char* text : {"x", "/t", ""}) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(front.takeForeground());
        ASSERT_FALSE(raised());
        handOff(text);
        EXPECT_TRUE(waitRaised());
        EXPECT_FALSE(front.inFront());
        EXPECT_TRUE(waitUntil([&] { return isAbove(main_, front.hwnd()); }, 3000));
    }
    EXPECT_EQ(items(), Items{"x"});
    // A later start of the tool does the same.
    ASSERT_TRUE(front.takeForeground());
    Process second = tool_->start("y");
    EXPECT_EQ(second.wait(10000), 0);
    EXPECT_TRUE(waitRaised());
    EXPECT_FALSE(front.inFront());
    // A hand-off while the window is in front leaves it there.
    handOff("z");
    settle();
    EXPECT_TRUE(raised());
    EXPECT_EQ(items(), (Items{"x", "y", "z"}));
}

TEST_F(Focus, WithGiveBackOnTheCommandLineHandOffsLeaveTheOtherProgramInFront) {
    ASSERT_NE(open("/d"), nullptr);
    FrontWindow front(main_);
    for (const char* text : {"x", "", "/t"}) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(front.takeForeground());
        handOff(text);
        settle();
        EXPECT_TRUE(front.inFront());
        EXPECT_FALSE(raised());
    }
    EXPECT_TRUE(isTopmost(main_));  // the switch still works, it only does not raise
    EXPECT_EQ(items(), Items{"x"});
}

TEST_F(Focus, AHandOffHoldingGiveBackStopsThatAndEveryLaterRaise) {
    ASSERT_NE(open(), nullptr);
    FrontWindow front(main_);
    ASSERT_TRUE(front.takeForeground());
    handOff("/d|x");
    settle();
    EXPECT_TRUE(front.inFront());
    EXPECT_FALSE(raised());
    handOff("y");
    settle();
    EXPECT_TRUE(front.inFront());
    EXPECT_FALSE(raised());
    EXPECT_EQ(items(), (Items{"x", "y"}));
}

TEST_F(Focus, WithGiveBackTheFirstActivationHandsTheForegroundBack) {
    FrontWindow front;
    ASSERT_TRUE(front.inFront());
    const LRESULT before = front.activations();
    ASSERT_NE(open("/d"), nullptr);
    // The window shows, is activated once and gives the foreground straight back (the other
    // program was in front all along, so wait for its activation to come round again).
    EXPECT_TRUE(waitUntil([&] { return front.activations() > before && front.inFront(); }, 3000))
        << front.activations() << " activations, " << before << " before";
    settle();
    EXPECT_TRUE(front.inFront());
    EXPECT_FALSE(raised());
    // Later activations keep the foreground with the window.
    SetForegroundWindow(main_);
    EXPECT_TRUE(waitRaised());
    settle();
    EXPECT_TRUE(raised());
    EXPECT_FALSE(front.inFront());
}

TEST_F(Focus, WithoutGiveBackTheWindowKeepsTheForegroundItTookAtStart) {
    FrontWindow front;
    ASSERT_TRUE(front.inFront());
    ASSERT_NE(open(), nullptr);
    EXPECT_TRUE(waitRaised());
    settle();
    EXPECT_TRUE(raised());
    EXPECT_FALSE(front.inFront());
}

// A hand-off while the error box is open adds its paths and leaves the box in front with the
// input (read from the box's own thread), so that Enter answers it; also from behind another
// program, it brings the box forward, not the window the box disables.
TEST_F(Focus, AHandOffWhileTheErrorBoxIsOpenLeavesTheBoxInFront) {
    ASSERT_NE(startTool(IniText().apps({"missing=C:\\no\\such\\program.exe %P"}).bytes()), nullptr);
    ASSERT_TRUE(bringToFront(main_));
    HWND box = nullptr;
    auto boxHasTheInput = [&] {
        const GUITHREADINFO state = threadState(box);
        return state.hwndActive == box && state.hwndFocus && IsChild(box, state.hwndFocus);
    };
    auto openBox = [&] {
        PostMessageW(c(kIdButton6), BM_CLICK, 0, 0);
        box = findMessageBox(process_.pid());
        return box != nullptr && waitUntil(boxHasTheInput, 3000);
    };
    ASSERT_TRUE(openBox());
    EXPECT_EQ(tool_->start("x").wait(10000), 0);
    handOff("y");
    settle();
    EXPECT_TRUE(boxHasTheInput());
    press(VK_RETURN);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(box); }, 5000));
    ASSERT_TRUE(enabledAgain());

    ASSERT_TRUE(openBox());
    FrontWindow front(main_);
    ASSERT_TRUE(front.takeForeground());
    ASSERT_FALSE(boxHasTheInput());
    handOff("z");
    EXPECT_TRUE(waitUntil(boxHasTheInput, 3000));
    EXPECT_FALSE(front.inFront());
    EXPECT_EQ(items(), (Items{"x", "y", "z"}));
    pressOk(box);
}

}  // namespace
}  // namespace qm::e2e
