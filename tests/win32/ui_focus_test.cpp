// The forced foreground sequence, the give-back and the topmost call, in this one process
// with real windows: whom they bring to the front and what the sequence leaves behind (the
// foreground lock timeout as it was). The same calls across processes, as the tool makes
// them, are checked end to end in focus_control_test.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/desktop.h"
#include "ui/focus.h"

namespace qm {
namespace {

HWND makeWindow(const char* title) {
    HWND w = CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(w, nullptr);
    return w;
}

DWORD lockTimeout() {
    DWORD value = 0;
    SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &value, 0);
    return value;
}

void setLockTimeout(DWORD value) {
    SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<PVOID>(static_cast<ULONG_PTR>(value)), 0);
}

class ForcedForeground : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = lockTimeout();
        other_ = makeWindow("other");
        main_ = makeWindow("main");
        SetForegroundWindow(other_);
        test::pumpMessages();
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
    ForegroundState focus;
    focus.recordPreviousForeground();
    focus.forceForeground(main_);
    test::pumpMessages();
    EXPECT_EQ(GetActiveWindow(), main_);
    EXPECT_EQ(lockTimeout(), 54321u);
}

TEST_F(ForcedForeground, WithNoPreviousWindowStillAsksForTheForeground) {
    ForegroundState focus;  // nothing recorded: the attach fails, the rest runs
    focus.forceForeground(main_);
    test::pumpMessages();
    EXPECT_EQ(GetActiveWindow(), main_);
    EXPECT_EQ(lockTimeout(), saved_);
}

TEST_F(ForcedForeground, GiveBackOnlyWithTheFlag) {
    ForegroundState focus;
    focus.recordPreviousForeground();
    SetForegroundWindow(main_);
    test::pumpMessages();
    focus.handBackIfAsked();  // flag not set: nothing
    test::pumpMessages();
    EXPECT_EQ(GetForegroundWindow(), main_);
    focus.setGiveBack();
    focus.setGiveBack();
    EXPECT_TRUE(focus.giveBack());
    focus.handBackIfAsked();
    test::pumpMessages();
    EXPECT_EQ(GetForegroundWindow(), other_);
}

TEST(Topmost, MakesTheWindowTopmostWithoutMovingSizingOrActivatingIt) {
    HWND other = makeWindow("other");
    HWND w = makeWindow("w");
    SetForegroundWindow(other);
    test::pumpMessages();
    RECT before{};
    GetWindowRect(w, &before);
    ForegroundState::makeTopmost(w);
    test::pumpMessages();
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
