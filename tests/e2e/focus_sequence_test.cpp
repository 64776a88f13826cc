// The forced foreground sequence, the give-back and the topmost call, in this one process
// with real windows: whom they bring to the front and what the sequence leaves behind (the
// foreground lock timeout as it was). The cases across processes are in focus_control_test.
// (Here rather than among the Windows-layer tests: they move the desktop's foreground, so
// they run one at a time with the other window tests.)
#include <windows.h>

#include <gtest/gtest.h>

#include "args/focus.h"

namespace qm {
namespace {

HWND makeWindow(const char* title) {
    HWND w = CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(w, nullptr);
    return w;
}

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

DWORD lockTimeout() {
    DWORD value = 0;
    SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &value, 0);
    return value;
}

void setLockTimeout(DWORD value) {
    SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<PVOID>(static_cast<ULONG_PTR>(value)),
                          0);
}

class ForcedForeground : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = lockTimeout();
        other_ = makeWindow("other");
        main_ = makeWindow("main");
        SetForegroundWindow(other_);
        pump();
        ASSERT_EQ(GetForegroundWindow(), other_);
    }
    void TearDown() override {
        DestroyWindow(main_);
        DestroyWindow(other_);
        setLockTimeout(saved_);
    }
    DWORD saved_ = 0;
    HWND other_ = nullptr, main_ = nullptr;
};

TEST_F(ForcedForeground, BringsTheWindowToTheFrontAndPutsTheLockTimeoutBack) {
    setLockTimeout(54321);
    ASSERT_EQ(lockTimeout(), 54321u);  // the value travels in the pointer argument itself
    FocusControl focus;
    focus.recordPreviousForeground();
    EXPECT_EQ(focus.previousForeground(), other_);
    focus.forceForeground(main_);
    pump();
    EXPECT_EQ(GetActiveWindow(), main_);
    EXPECT_EQ(lockTimeout(), 54321u);
}

TEST_F(ForcedForeground, WithNoPreviousWindowStillAsksForTheForeground) {
    FocusControl focus;  // nothing recorded: the attach fails, the rest runs
    focus.forceForeground(main_);
    pump();
    EXPECT_EQ(GetActiveWindow(), main_);
    EXPECT_EQ(lockTimeout(), saved_);
}

TEST_F(ForcedForeground, GiveBackOnlyWithTheFlag) {
    FocusControl focus;
    focus.recordPreviousForeground();
    SetForegroundWindow(main_);
    pump();
    focus.active();  // flag not set: nothing
    pump();
    EXPECT_EQ(GetForegroundWindow(), main_);
    focus.setGiveBack();
    focus.setGiveBack();
    EXPECT_TRUE(focus.giveBack());
    focus.active();
    pump();
    EXPECT_EQ(GetForegroundWindow(), other_);
}

TEST(Topmost, MakesTheWindowTopmostWithoutMovingSizingOrActivatingIt) {
    HWND other = makeWindow("other");
    HWND w = makeWindow("w");
    SetForegroundWindow(other);
    pump();
    RECT before{};
    GetWindowRect(w, &before);
    FocusControl::makeTopmost(w);
    pump();
    EXPECT_TRUE(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT after{};
    GetWindowRect(w, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_EQ(GetForegroundWindow(), other);
    DestroyWindow(w);
    DestroyWindow(other);
}

}  // namespace
}  // namespace qm
