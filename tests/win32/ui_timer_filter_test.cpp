// The timer filter's question to the platform, asked in this test's own thread: does dispatching
// a timer message call a function no timer was set with? Wine's does, so here the filter is
// installed and calls none; where the answer is no (on Windows, or here while a filter is
// already in place) it installs nothing. The whole tool meets posted timer messages in the
// e2e tier (robust_faults_test.cpp).
#include <windows.h>

#include <gtest/gtest.h>

#include "support/desktop.h"
#include "win/timer_filter.h"

namespace qm {
namespace {

int g_calls = 0;
void CALLBACK countCall(HWND, UINT, UINT_PTR, DWORD) {
    ++g_calls;
}
const auto kCountCall = reinterpret_cast<LPARAM>(&countCall);

// How often countCall runs when a timer message naming it is posted to `hwnd` (0: to the
// thread) and the queue is pumped.
int callsWhenPosted(HWND hwnd) {
    g_calls = 0;
    EXPECT_TRUE(PostMessageA(hwnd, WM_TIMER, 7, kCountCall));
    test::pumpMessages();
    return g_calls;
}

TEST(TimerFilter, FiltersWhereThePlatformCallsAnyFunctionAndNowhereElse) {
    HWND window = CreateWindowA("STATIC", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(callsWhenPosted(window), 1);
    EXPECT_TRUE(ScopedTimerFilter::callsUnsetTimerFunctions());
    {
        const ScopedTimerFilter filter;
        EXPECT_TRUE(filter.filters());
        EXPECT_EQ(callsWhenPosted(nullptr), 0);
        EXPECT_EQ(callsWhenPosted(window), 0);
        EXPECT_FALSE(ScopedTimerFilter::callsUnsetTimerFunctions());
        EXPECT_FALSE(ScopedTimerFilter().filters());
    }
    EXPECT_EQ(callsWhenPosted(window), 1);  // the filter went with its object
    DestroyWindow(window);
}

// The question dispatches its own message only: a timer message another program posted to the
// thread before it is dropped unanswered, every other message stays where it was.
TEST(TimerFilter, TheQuestionDispatchesOnlyItsOwnMessage) {
    HWND window = CreateWindowA("STATIC", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    test::pumpMessages();
    g_calls = 0;
    PostThreadMessageA(GetCurrentThreadId(), WM_APP, 1, 0);
    PostThreadMessageA(GetCurrentThreadId(), WM_TIMER, 2, kCountCall);
    PostMessageA(window, WM_TIMER, 3, 0);  // a control's own timer, without a function
    PostMessageA(window, WM_APP, 4, 0);
    EXPECT_TRUE(ScopedTimerFilter::callsUnsetTimerFunctions());
    EXPECT_EQ(g_calls, 0);
    const struct {
        HWND hwnd;
        UINT message;
        WPARAM wParam;
    } queued[] = {{nullptr, WM_APP, 1}, {window, WM_TIMER, 3}, {window, WM_APP, 4}};
    for (const auto& want : queued) {
        MSG msg{};
        ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << want.wParam;
        EXPECT_EQ(msg.hwnd, want.hwnd);
        EXPECT_EQ(msg.message, want.message);
        EXPECT_EQ(msg.wParam, want.wParam);
    }
    DestroyWindow(window);
    test::pumpMessages();
}

}  // namespace
}  // namespace qm
