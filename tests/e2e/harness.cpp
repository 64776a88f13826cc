#include "harness.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>

#include "args/handoff.h"
#include "ui/resource.h"

namespace qm::e2e {

namespace {

// A test that hangs (a click held by a message box it did not expect, a tool that stops
// answering) would hold its Wine session until ctest ends the test program after its timeout,
// and ctest ends the test program alone: the tools it started would live on into the next
// test of the session. Long before that timeout, the watch says what each tool of the test
// shows and ends the tools, so that the test's waits return and it fails with a reason.
constexpr std::chrono::seconds kHangLimit{120};

struct HangWatch {
    std::mutex m;
    std::condition_variable cv;
    unsigned test = 0;     // counts the tests started
    bool running = false;  // a test runs
    std::vector<DWORD> tools;
};

HangWatch& hangWatch() {
    static HangWatch& watch = *new HangWatch;  // never destroyed: its thread waits on it to the end
    return watch;
}

// Says what each tool shows in a message box, then ends it.
void reportAndEnd(const std::vector<DWORD>& tools) {
    for (DWORD pid : tools) {
        for (HWND w : topLevelWindowsOf(pid)) {
            if (className(w) != "#32770" || !IsWindowVisible(w)) continue;
            const MessageBoxView box = readMessageBox(w);
            std::printf("tool %lu shows a message box: [%s] %s\n", static_cast<unsigned long>(pid), box.caption.c_str(),
                        box.text.c_str());
        }
        if (HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
            TerminateProcess(h, 98);
            WaitForSingleObject(h, 5000);
            CloseHandle(h);
        }
    }
    std::fflush(stdout);
}

void watchForHangs() {
    HangWatch& w = hangWatch();
    std::unique_lock<std::mutex> lock(w.m);
    for (;;) {
        w.cv.wait(lock, [&] { return w.running; });
        const unsigned test = w.test;
        if (w.cv.wait_for(lock, kHangLimit, [&] { return !w.running || w.test != test; })) continue;
        std::vector<DWORD> tools;
        tools.swap(w.tools);
        lock.unlock();
        std::printf("the test did not end within %lld s; the tools it started are ended\n",
                    static_cast<long long>(kHangLimit.count()));
        reportAndEnd(tools);
        lock.lock();
        w.cv.wait(lock, [&] { return !w.running || w.test != test; });
    }
}

class HangWatchListener : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { set(true); }
    void OnTestEnd(const ::testing::TestInfo&) override { set(false); }
    static void set(bool running) {
        HangWatch& w = hangWatch();
        {
            const std::lock_guard<std::mutex> lock(w.m);
            w.running = running;
            w.test += running ? 1 : 0;
            w.tools.clear();
        }
        w.cv.notify_all();
    }
};

const bool kHangWatchOn = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new HangWatchListener);
    std::thread(watchForHangs).detach();
    return true;
}();

void watchTool(DWORD pid) {
    HangWatch& w = hangWatch();
    const std::lock_guard<std::mutex> lock(w.m);
    w.tools.push_back(pid);
}

// Ends every tool whose main window is in this Wine session.
void endRunningTools() {
    for (int i = 0; i < 8; ++i) {
        const HWND w = FindWindowA("TQuillmoorMW", nullptr);
        if (!w) return;
        reportAndEnd({processOf(w)});
    }
}

BOOL CALLBACK quitWindowsOf(HWND w, LPARAM pid) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == static_cast<DWORD>(pid)) PostMessageA(w, WM_QUIT, 0, 0);
    return TRUE;
}
}  // namespace

Tool::Tool(const std::string* ini, const std::string& exeName) : dir_("e2e") {
    exe_ = dir_.file(exeName);
    const std::string stem = exeName.substr(0, exeName.find_last_of('.'));
    ini_ = dir_.file(stem + ".ini");
    EXPECT_TRUE(CopyFileA((programDir() + "\\Quillmoor.exe").c_str(), exe_.c_str(), FALSE)) << exe_;
    if (ini) writeFile(ini_, *ini);
}

Tool::~Tool() {
    // Give each window the chance to end by itself, then end what is left.
    for (Process& p : started_) {
        if (p.running()) EnumWindows(quitWindowsOf, static_cast<LPARAM>(p.pid()));
    }
    for (Process& p : started_) {
        if (p.wait(3000) == -1) p.end();
    }
    started_.clear();
}

Process Tool::start(const std::string& args) {
    return keep(startProcess("\"" + exe_ + "\"" + (args.empty() ? "" : " " + args), dir_.path()));
}

Process Tool::start(const std::wstring& args) {
    PROCESS_INFORMATION pi{};
    return keep(test::createProcess(L"\"" + fromAcp(exe_) + L"\" " + args, dir_.path(), 0, pi) ? Process(pi)
                                                                                               : Process());
}

Process Tool::keep(Process p) {
    // Keep a second handle so that the destructor can end it even when the test moved its copy.
    HANDLE dup = nullptr;
    if (p.valid()) {
        DuplicateHandle(GetCurrentProcess(), p.handle(), GetCurrentProcess(), &dup, 0, FALSE, DUPLICATE_SAME_ACCESS);
        PROCESS_INFORMATION pi{};
        pi.hProcess = dup;
        pi.dwProcessId = p.pid();
        pi.hThread = nullptr;
        started_.emplace_back(pi);
        watchTool(p.pid());
    }
    return p;
}

std::vector<Process> Tool::startTogether(const std::vector<std::string>& argsList) {
    std::vector<Process> out;
    std::vector<HANDLE> threads;
    for (const std::string& args : argsList) {
        PROCESS_INFORMATION pi{};
        const std::string line = "\"" + exe_ + "\"" + (args.empty() ? "" : " " + args);
        if (!test::createProcess(line, dir_.path(), CREATE_SUSPENDED, pi)) continue;
        threads.push_back(pi.hThread);
        HANDLE dup = nullptr;
        DuplicateHandle(GetCurrentProcess(), pi.hProcess, GetCurrentProcess(), &dup, 0, FALSE, DUPLICATE_SAME_ACCESS);
        PROCESS_INFORMATION kept{};
        kept.hProcess = dup;
        kept.dwProcessId = pi.dwProcessId;
        started_.emplace_back(kept);
        watchTool(pi.dwProcessId);
        pi.hThread = nullptr;
        out.emplace_back(pi);
    }
    for (HANDLE t : threads) ResumeThread(t);
    for (HANDLE t : threads) CloseHandle(t);
    return out;
}

HWND Tool::startAndWait(const std::string& args) {
    Process p = start(args);
    HWND w = findMainWindow();
    EXPECT_NE(w, nullptr) << "no main window appeared; the process " << (p.running() ? "runs" : "ended with ")
                          << p.wait(0);
    return w;
}

bool Tool::close(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    PostMessageA(window, WM_CLOSE, 0, 0);
    for (Process& p : started_) {
        if (p.pid() == pid) return p.wait(10000) != -1;
    }
    return waitUntil([&] { return !IsWindow(window); });
}

HWND ToolTest::startTool(const std::string& ini, const std::string& args) {
    makeTool(ini);
    return startMadeTool(args);
}

void ToolTest::makeTool(const std::string& ini) {
    tool_ = std::make_unique<Tool>(ini);
}

HWND ToolTest::startMadeTool(const std::string& args) {
    // A tool of the test before in this Wine session may still be on its way out; while its
    // window lives, a start would hand its arguments to it and end.
    const auto noTool = [] { return FindWindowA("TQuillmoorMW", nullptr) == nullptr; };
    if (!waitUntil(noTool)) {
        // Its test was ended from outside (ctest ends the test program, not what it started):
        // this test runs alone all the same.
        std::printf("a tool started before this test still runs in its Wine session; it is ended\n");
        endRunningTools();
    }
    EXPECT_TRUE(waitUntil(noTool)) << "a tool started before this test still runs in its Wine session";
    process_ = tool_->start(args);
    main_ = findMainWindow();
    EXPECT_NE(main_, nullptr) << "no main window appeared; the process "
                              << (process_.running() ? "runs" : "ended with ") << process_.wait(0);
    return main_;
}

void ToolTest::closeTool() {
    if (main_) {
        EXPECT_TRUE(tool_->close(main_));
    }
    tool_.reset();
    process_ = Process();
    main_ = nullptr;
}

std::vector<std::string> ToolTest::items() const {
    return listItems(list());
}

bool ToolTest::enabledAgain() const {
    return waitUntil([&] { return IsWindowEnabled(main_) != FALSE; });
}

void ToolTest::handOff(const std::string& argumentText) {
    const std::vector<char> block = buildHandoffBlock(argumentText);
    sendCopyData(main_, block.data(), static_cast<DWORD>(block.size()));
}

HWND findMainWindow(DWORD ms) {
    HWND found = nullptr;
    waitUntil(
        [&] {
            found = FindWindowA("TQuillmoorMW", nullptr);
            return found != nullptr && IsWindowVisible(found);
        },
        ms);
    return found && IsWindowVisible(found) ? found : nullptr;
}

HWND control(HWND main, UINT id) {
    if (HWND w = GetDlgItem(main, static_cast<int>(id))) return w;
    HWND group = GetDlgItem(main, static_cast<int>(kIdGroupBox1));
    return group ? GetDlgItem(group, static_cast<int>(id)) : nullptr;
}

std::wstring windowTextWide(HWND hwnd) {
    wchar_t buf[1024] = L"";
    const int n = GetWindowTextW(hwnd, buf, 1024);
    return std::wstring(buf, static_cast<std::size_t>(n > 0 ? n : 0));
}

std::string windowText(HWND hwnd) {
    return toAcp(windowTextWide(hwnd));
}

namespace {
// Every item of a list box or of a combo box's list, by the control's own messages. Wine
// answers the A messages across processes in UTF-16, so read with the W ones.
std::vector<std::wstring> readItems(HWND control, UINT countMsg, UINT lengthMsg, UINT textMsg) {
    std::vector<std::wstring> out;
    const LRESULT n = SendMessageW(control, countMsg, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        const LRESULT len = SendMessageW(control, lengthMsg, i, 0);
        std::wstring buf(static_cast<std::size_t>(len > 0 ? len : 0) + 1, L'\0');
        const LRESULT got = SendMessageW(control, textMsg, i, reinterpret_cast<LPARAM>(&buf[0]));
        buf.resize(static_cast<std::size_t>(got > 0 ? got : 0));
        out.push_back(buf);
    }
    return out;
}
std::vector<std::string> inCodePage(const std::vector<std::wstring>& items) {
    std::vector<std::string> out;
    for (const std::wstring& item : items) out.push_back(toAcp(item));
    return out;
}
}  // namespace

std::vector<std::wstring> listItemsWide(HWND listBox) {
    return readItems(listBox, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

std::vector<std::string> listItems(HWND listBox) {
    return inCodePage(listItemsWide(listBox));
}

std::vector<int> listSelection(HWND listBox) {
    std::vector<int> out;
    const LRESULT n = SendMessageW(listBox, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i)
        if (SendMessageW(listBox, LB_GETSEL, i, 0) > 0) out.push_back(static_cast<int>(i));
    return out;
}

std::vector<std::wstring> comboItemsWide(HWND combo) {
    return readItems(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

std::vector<std::string> comboItems(HWND combo) {
    return inCodePage(comboItemsWide(combo));
}

RECT rectInParent(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool sendCopyData(HWND target, const void* data, DWORD size, ULONG_PTR dwData) {
    COPYDATASTRUCT cds{};
    cds.dwData = dwData;
    cds.cbData = size;
    cds.lpData = const_cast<void*>(data);
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_NORMAL, 10000, &result) !=
           0;
}

bool answers(HWND window) {
    DWORD_PTR result = 0;
    // Not SMTO_ABORTIFHUNG: a window whose thread a test held still for a while counts as hung
    // until it next takes a message, though it answers as soon as it runs again.
    return IsWindow(window) && SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result) != 0;
}

DWORD processOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

std::string className(HWND window) {
    char cls[64] = "";
    GetClassNameA(window, cls, sizeof cls);
    return cls;
}

namespace {
BOOL CALLBACK visitTopLevel(HWND w, LPARAM visit) {
    return (*reinterpret_cast<const std::function<bool(HWND)>*>(visit))(w) ? TRUE : FALSE;
}
// Calls `visit` for every top-level window until it answers false.
void forEachTopLevel(const std::function<bool(HWND)>& visit) {
    EnumWindows(visitTopLevel, reinterpret_cast<LPARAM>(&visit));
}
}  // namespace

HWND findTopLevel(const std::function<bool(HWND)>& match) {
    HWND found = nullptr;
    forEachTopLevel([&](HWND w) {
        if (match(w)) found = w;
        return found == nullptr;
    });
    return found;
}

std::vector<HWND> topLevelWindowsOf(DWORD pid) {
    std::vector<HWND> found;
    forEachTopLevel([&](HWND w) {
        if (processOf(w) == pid) found.push_back(w);
        return true;
    });
    return found;
}

GUITHREADINFO threadState(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info;
}

HWND activeWindowOf(HWND window) {
    return threadState(window).hwndActive;
}

HWND findMessageBox(DWORD pid, DWORD ms) {
    HWND box = nullptr;
    waitUntil(
        [&] {
            box = findTopLevel(
                [&](HWND w) { return processOf(w) == pid && className(w) == "#32770" && IsWindowVisible(w); });
            return box != nullptr;
        },
        ms);
    return box;
}

MessageBoxView readMessageBox(HWND box) {
    MessageBoxView view;
    view.wideCaption = windowTextWide(box);
    view.caption = toAcp(view.wideCaption);
    view.owner = GetWindow(box, GW_OWNER);
    GetWindowRect(box, &view.rect);
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!IsWindowVisible(c)) continue;
        char cls[16] = "";
        GetClassNameA(c, cls, sizeof cls);
        if (lstrcmpiA(cls, "Button") == 0) {
            view.buttons.push_back(windowText(c));
        } else if (lstrcmpiA(cls, "Static") == 0) {
            if ((GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
                if (SendMessageW(c, STM_GETICON, 0, 0) != 0) view.icon = true;
            } else if (GetDlgCtrlID(c) == 0xFFFF) {
                view.wideText = windowTextWide(c);
                view.text = toAcp(view.wideText);
            }
        }
    }
    return view;
}

void pressOk(HWND box) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

std::string iniValue(const std::string& iniBytes, const std::string& section, const std::string& key,
                     const std::string& missing) {
    std::string current;
    std::size_t pos = 0;
    while (pos < iniBytes.size()) {
        std::size_t end = iniBytes.find('\n', pos);
        if (end == std::string::npos) end = iniBytes.size();
        std::string line = iniBytes.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            current = line.substr(1, line.size() - 2);
        } else if (current == section && line.compare(0, key.size() + 1, key + "=") == 0) {
            return line.substr(key.size() + 1);
        }
    }
    return missing;
}

}  // namespace qm::e2e
