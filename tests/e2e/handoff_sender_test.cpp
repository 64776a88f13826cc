// The hand-off as a later start sends it: this test program plays the running instance (it
// holds the mutex and a window of the main window's class) and looks at every byte that
// arrives.
#include <gtest/gtest.h>

#include "harness.h"

namespace qm::e2e {
namespace {

struct Received {
    WPARAM wParam = 0;
    ULONG_PTR dwData = 0;
    DWORD cbData = 0;
    std::string bytes;
};
std::vector<Received> g_received;

LRESULT CALLBACK receiverProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COPYDATA) {
        const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        Received r;
        r.wParam = wParam;
        r.dwData = cds->dwData;
        r.cbData = cds->cbData;
        if (cds->lpData && cds->cbData) r.bytes.assign(static_cast<const char*>(cds->lpData), cds->cbData);
        g_received.push_back(r);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// The running instance, as a later start sees it: the mutex, and (once opened) a hidden
// top-level window of class TQuillmoorMW.
class FakeInstance {
public:
    FakeInstance() {
        g_received.clear();
        mutex_ = CreateMutexA(nullptr, FALSE, "QuillmoorMW");
        EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS)) << "a Quillmoor instance is running";
    }
    ~FakeInstance() {
        if (window_) DestroyWindow(window_);
        CloseHandle(mutex_);
    }
    void openWindow() {
        static const ATOM registered = [] {
            WNDCLASSA wc{};
            wc.lpfnWndProc = receiverProc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "TQuillmoorMW";
            return RegisterClassA(&wc);
        }();
        ASSERT_NE(registered, 0);
        window_ = CreateWindowExA(0, "TQuillmoorMW", "fake", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window_, nullptr);
    }

private:
    HANDLE mutex_ = nullptr;
    HWND window_ = nullptr;
};

// Starts a later instance with `args` and waits for it, answering its send.
void forward(Tool& tool, const std::string& args) {
    EXPECT_EQ(waitPumping(tool.start(args)), 0) << args;
}
void forward(Tool& tool, const std::wstring& args) {
    EXPECT_EQ(waitPumping(tool.start(args)), 0);
}

TEST(HandoffSender, ShortTextsTravelInTheUsualBlock) {
    FakeInstance running;
    running.openWindow();
    Tool tool(nullptr);  // a later start reads no settings

    forward(tool, "a b");
    forward(tool, "\"C:\\my dir\\x y.txt\" p|q \x83\x7C\x95\x5C");  // quotes dropped; ポ表 (trail bytes | and \)
    const std::string text256(256, 'w');
    forward(tool, text256);
    forward(tool, "");  // no arguments: only raises, sends nothing

    ASSERT_EQ(g_received.size(), 3u);
    for (const Received& r : g_received) {
        EXPECT_EQ(r.wParam, 0u);
        EXPECT_EQ(r.dwData, 0u);
        EXPECT_EQ(r.cbData, 257u);
        EXPECT_EQ(r.bytes.size(), 257u);
    }
    EXPECT_EQ(g_received[0].bytes.substr(0, 4), std::string("a|b\0", 4));
    const std::string second = "C:\\my dir\\x y.txt|p|q|\x83\x7C\x95\x5C";
    EXPECT_EQ(g_received[1].bytes.substr(0, second.size() + 1), second + '\0');
    EXPECT_EQ(g_received[2].bytes.substr(0, 256), text256);
    EXPECT_EQ(g_received[2].bytes[256], '\0');
}

TEST(HandoffSender, LongerTextTravelsWholeWithItsOwnSize) {
    FakeInstance running;
    running.openWindow();
    Tool tool(nullptr);
    // Four arguments, 1,000 bytes joined.
    const std::string a(300, 'a'), b(300, 'b'), c(300, 'c'), d(97, 'd');
    forward(tool, a + " " + b + " " + c + " " + d);
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0].cbData, 1001u);
    EXPECT_EQ(g_received[0].bytes, a + "|" + b + "|" + c + "|" + d + '\0');
}

// Arguments the code page holds travel in its form, whatever the command line's form; any
// other goes in UTF-16, tagged in dwData, every character whole.
TEST(HandoffSender, NamesOutsideTheCodePageTravelInUtf16) {
    FakeInstance running;
    running.openWindow();
    Tool tool(nullptr);
    forward(tool, std::wstring(L"C:\\\u8868 \u30DD"));
    forward(tool, std::wstring(L"a \"caf\u00E9 \u2603\U0001F600\"|b"));
    ASSERT_EQ(g_received.size(), 2u);
    EXPECT_EQ(g_received[0].dwData, 0u);
    EXPECT_EQ(g_received[0].bytes, std::string("C:\\\x95\x5C|\x83\x7C", 9) + std::string(248, '\0'));
    const std::wstring text = L"a|caf\u00E9 \u2603\U0001F600|b";
    EXPECT_EQ(g_received[1].dwData, 0x514D5531u);  // "QMU1"
    EXPECT_EQ(g_received[1].cbData, (text.size() + 1) * 2);
    EXPECT_EQ(g_received[1].bytes, std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * 2));
}

// The running instance holds its mutex but has no window yet: the later start waits for the
// window rather than dropping its paths.
TEST(HandoffSender, LaterStartWaitsForTheWindowToAppear) {
    FakeInstance running;
    Tool tool(nullptr);
    Process later = tool.start("late arrival");
    EXPECT_EQ(waitPumping(later, 1000), -1);
    EXPECT_TRUE(g_received.empty());
    running.openWindow();
    EXPECT_EQ(waitPumping(later), 0);
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0].bytes.substr(0, 13), std::string("late|arrival\0", 13));
}

}  // namespace
}  // namespace qm::e2e
