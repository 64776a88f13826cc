#include "keys_input.h"

#include <gtest/gtest.h>

#include <cstring>

#include "ui/resource.h"

namespace qm::e2e {

namespace {

bool isExtended(WORD vk) {
    switch (vk) {
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_DELETE:
        case VK_INSERT:
        case VK_HOME:
        case VK_END:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_APPS:
            return true;
        default:
            return false;
    }
}

INPUT keyInput(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (isExtended(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    return in;
}

void sendAll(std::vector<INPUT>& inputs) {
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    EXPECT_EQ(sent, inputs.size());
}

// The pointer moves with the click in one batch of input: a separate SetCursorPos may not
// have reached the system when the buttons do.
void clickAt(POINT screen, DWORD down, DWORD up) {
    const LONG w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    std::vector<INPUT> inputs(3);
    const DWORD flags[] = {0, down, up};
    for (int i = 0; i < 3; ++i) {
        inputs[i].type = INPUT_MOUSE;
        // The smallest absolute value that maps onto the pixel.
        inputs[i].mi.dx = static_cast<LONG>((static_cast<LONGLONG>(screen.x) * 65536 + w - 1) / w);
        inputs[i].mi.dy = static_cast<LONG>((static_cast<LONGLONG>(screen.y) * 65536 + h - 1) / h);
        inputs[i].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags[i];
    }
    sendAll(inputs);
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

}  // namespace

void press(WORD vk, int mods) {
    std::vector<INPUT> inputs;
    if (mods & kCtrl) inputs.push_back(keyInput(VK_CONTROL, false));
    if (mods & kAlt) inputs.push_back(keyInput(VK_MENU, false));
    if (mods & kShift) inputs.push_back(keyInput(VK_SHIFT, false));
    inputs.push_back(keyInput(vk, false));
    inputs.push_back(keyInput(vk, true));
    if (mods & kShift) inputs.push_back(keyInput(VK_SHIFT, true));
    if (mods & kAlt) inputs.push_back(keyInput(VK_MENU, true));
    if (mods & kCtrl) inputs.push_back(keyInput(VK_CONTROL, true));
    sendAll(inputs);
}

void rightClickAt(POINT screen) {
    clickAt(screen, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
}
void leftClickAt(POINT screen) {
    clickAt(screen, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

bool bringToFront(HWND window) {
    return waitUntil(
        [&] {
            if (GetForegroundWindow() == window) return true;
            SetForegroundWindow(window);
            return false;
        },
        5000);
}

HWND focusIn(HWND window) {
    return threadState(window).hwndFocus;
}

bool giveFocus(HWND control) {
    const DWORD tool = GetWindowThreadProcessId(control, nullptr);
    const DWORD self = GetCurrentThreadId();
    AttachThreadInput(self, tool, TRUE);
    SetFocus(control);
    AttachThreadInput(self, tool, FALSE);
    return waitUntil([&] { return focusIn(control) == control; }, 3000);
}

HWND popupMenuWindow(DWORD ms) {
    HWND found = nullptr;
    waitUntil(
        [&] {
            found = FindWindowA("#32768", nullptr);
            return found && IsWindowVisible(found);
        },
        ms);
    return found && IsWindowVisible(found) ? found : nullptr;
}

Spy::Spy(HWND main) : main_(main) {
    message_ = RegisterWindowMessageA("QmKeySpyRequest");
    dll_ = LoadLibraryA((programDir() + "\\qm_keyspy.dll").c_str());
    EXPECT_NE(dll_, nullptr) << "qm_keyspy.dll";
    if (!dll_) return;
    const DWORD thread = GetWindowThreadProcessId(main, nullptr);
    auto call = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(dll_, "spyCallWndProc")));
    auto get = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(dll_, "spyGetMessage")));
    callHook_ = SetWindowsHookExA(WH_CALLWNDPROC, call, dll_, thread);
    getHook_ = SetWindowsHookExA(WH_GETMESSAGE, get, dll_, thread);
    EXPECT_NE(callHook_, nullptr);
    EXPECT_NE(getHook_, nullptr);
    reset();
}

Spy::~Spy() {
    if (callHook_) UnhookWindowsHookEx(callHook_);
    if (getHook_) UnhookWindowsHookEx(getHook_);
    if (dll_) FreeLibrary(dll_);
}

std::string Spy::request(WPARAM what, LPARAM arg) {
    char path[MAX_PATH] = "";
    GetEnvironmentVariableA("QM_SPY_OUT", path, sizeof path);
    DeleteFileA(path);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(main_, message_, what, arg, SMTO_NORMAL, 5000, &result);
    return readFile(path);
}

void Spy::reset() {
    request(1, 0);
    marks_ = 0;
}

std::vector<std::string> Spy::log() {
    return lines(request(2, 0));
}

int Spy::count(const std::string& line) {
    int n = 0;
    for (const std::string& l : log()) n += l == line;
    return n;
}

std::vector<std::string> Spy::menuItems(HWND menuWindow) {
    const LRESULT menu = SendMessageA(menuWindow, MN_GETHMENU, 0, 0);
    EXPECT_NE(menu, 0);
    return lines(request(3, menu));
}

namespace {
std::wstring fromUtf16Bytes(const std::string& bytes) {
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    if (!text.empty()) std::memcpy(&text[0], bytes.data(), text.size() * sizeof(wchar_t));
    return text;
}
}  // namespace

std::vector<std::wstring> Spy::menuItemsWide(HWND menuWindow) {
    const LRESULT menu = SendMessageW(menuWindow, MN_GETHMENU, 0, 0);
    EXPECT_NE(menu, 0);
    const std::wstring text = fromUtf16Bytes(request(5, menu));
    std::vector<std::wstring> items;
    for (std::size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1) {
        items.push_back(text.substr(start, end - start));
    }
    return items;
}

std::wstring Spy::fontFace(HWND control) {
    return fromUtf16Bytes(request(6, reinterpret_cast<LPARAM>(control)));
}

bool Spy::sync(DWORD ms) {
    press(VK_F24);
    const int want = ++marks_;
    return waitUntil(
        [&] {
            int seen = 0;
            for (const std::string& l : log()) {
                if (l.rfind("key ", 0) == 0 && l.size() > 4 && l.substr(l.find(' ', 4) + 1) == "135") ++seen;
            }
            return seen >= want;
        },
        ms);
}

SpyFiles::SpyFiles() : spy(test::tempPath("qm-spy")), tally(test::tempPath("qm-tally")) {
    DeleteFileA(spy.c_str());
    DeleteFileA(tally.c_str());
    SetEnvironmentVariableA("QM_SPY_OUT", spy.c_str());
    SetEnvironmentVariableA("QM_TALLY_OUT", tally.c_str());
}

SpyFiles::~SpyFiles() {
    DeleteFileA(spy.c_str());
    DeleteFileA(tally.c_str());
    SetEnvironmentVariableA("QM_SPY_OUT", nullptr);
    SetEnvironmentVariableA("QM_TALLY_OUT", nullptr);
}

std::vector<std::string> tallyLines(const std::string& path) {
    return lines(readFile(path));
}

void KeysTest::open(const std::string& args, bool quit) {
    const std::string ini =
        IniText().at(40, 60).options(false, quit).apps({"tally=\"" + programDir() + "\\qm_tally.exe\" %P"}).bytes();
    ASSERT_NE(startTool(ini, args), nullptr);
    GetWindowThreadProcessId(main_, &pid_);
    ASSERT_TRUE(bringToFront(main_));
    spy_ = std::make_unique<Spy>(main_);
}

void KeysTest::select(std::initializer_list<int> positions) {
    SendMessageW(list(), LB_SETSEL, FALSE, -1);
    for (int p : positions) SendMessageW(list(), LB_SETSEL, TRUE, p);
}

std::size_t KeysTest::launchesSettled(std::size_t n) {
    waitUntil([&] { return launches().size() >= n; });
    // Once the tool has handled every key (or has ended), every launch it makes has been
    // started, and each qm_tally writes its line before it ends.
    if (!ended(0)) {
        EXPECT_TRUE(spy_->sync());
    }
    EXPECT_TRUE(waitUntil([] { return !test::programRunning("qm_tally.exe"); }));
    return launches().size();
}

HWND KeysTest::toolDialog(DWORD ms) const {
    return findMessageBox(pid_, ms);
}

bool KeysTest::ended(DWORD ms) const {
    HANDLE p = OpenProcess(SYNCHRONIZE, FALSE, pid_);
    if (!p) return true;
    const bool gone = WaitForSingleObject(p, ms) == WAIT_OBJECT_0;
    CloseHandle(p);
    return gone;
}

}  // namespace qm::e2e
