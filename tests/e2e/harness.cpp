#include "harness.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <type_traits>

#include "ui/Unit1.h"

namespace qm::e2e {

std::string toAcp(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int n = WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

std::wstring fromAcp(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int n = MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
    return out;
}

std::string readFile(const std::string& path) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE) return std::string();
    std::string out;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
    CloseHandle(f);
    return out;
}

void writeFile(const std::string& path, const std::string& bytes) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
}

bool fileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string programDir() {
    char buf[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
    std::string path(buf, n);
    return path.substr(0, path.find_last_of('\\'));
}

bool waitUntil(const std::function<bool()>& done, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start >= ms) return done();
        Sleep(20);
    }
}

Process& Process::operator=(Process&& o) noexcept {
    if (this != &o) {
        this->~Process();
        process_ = o.process_;
        pid_ = o.pid_;
        o.process_ = nullptr;
    }
    return *this;
}

Process::~Process() {
    if (process_) CloseHandle(process_);
}

void Process::end() const {
    if (process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
}

long Process::wait(DWORD ms) const {
    if (!process_ || WaitForSingleObject(process_, ms) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return static_cast<long>(code);
}

namespace {
// CreateProcessA (or W, for a UTF-16 command line), tried again a few times: under load Wine
// now and then refuses a start that succeeds a moment later.
template <typename Char>
bool create(const std::basic_string<Char>& commandLine, const std::string& dir, DWORD flags,
            PROCESS_INFORMATION& pi) {
    DWORD error = 0;
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (attempt > 0) Sleep(200);
        std::basic_string<Char> line = commandLine;
        BOOL started = FALSE;
        if constexpr (std::is_same_v<Char, wchar_t>) {
            STARTUPINFOW si{};
            si.cb = sizeof si;
            const std::wstring wideDir = fromAcp(dir);
            started = CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, flags, nullptr,
                                     dir.empty() ? nullptr : wideDir.c_str(), &si, &pi);
        } else {
            STARTUPINFOA si{};
            si.cb = sizeof si;
            started = CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, flags, nullptr,
                                     dir.empty() ? nullptr : dir.c_str(), &si, &pi);
        }
        if (started) return true;
        error = GetLastError();
    }
    ADD_FAILURE() << "cannot start " << commandLine << " (error " << error << ")";
    return false;
}
}  // namespace

Process startProcess(const std::string& commandLine, const std::string& dir) {
    PROCESS_INFORMATION pi{};
    return create(commandLine, dir, 0, pi) ? Process(pi) : Process();
}

namespace {
std::string makeTempDir() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static int serial = 0;
    for (;;) {
        const std::string dir = std::string(base) + "qm-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
                                std::to_string(++serial);
        if (CreateDirectoryA(dir.c_str(), nullptr)) return dir;
    }
}

void removeTree(const std::string& dir) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = dir + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(path);
            } else {
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}
BOOL CALLBACK quitWindowsOf(HWND w, LPARAM pid) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == static_cast<DWORD>(pid)) PostMessageA(w, WM_QUIT, 0, 0);
    return TRUE;
}
}  // namespace

Tool::Tool(const std::string* ini, const std::string& exeName) : dir_(makeTempDir()) {
    exe_ = dir_ + "\\" + exeName;
    const std::string stem = exeName.substr(0, exeName.find_last_of('.'));
    ini_ = dir_ + "\\" + stem + ".ini";
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
    removeTree(dir_);
}

Process Tool::start(const std::string& args) {
    return keep(startProcess("\"" + exe_ + "\"" + (args.empty() ? "" : " " + args), dir_));
}

Process Tool::start(const std::wstring& args) {
    PROCESS_INFORMATION pi{};
    return keep(create(L"\"" + fromAcp(exe_) + L"\" " + args, dir_, 0, pi) ? Process(pi) : Process());
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
    }
    return p;
}

std::vector<Process> Tool::startTogether(const std::vector<std::string>& argsList) {
    std::vector<Process> out;
    std::vector<HANDLE> threads;
    for (const std::string& args : argsList) {
        PROCESS_INFORMATION pi{};
        if (!create("\"" + exe_ + "\"" + (args.empty() ? "" : " " + args), dir_, CREATE_SUSPENDED, pi)) continue;
        threads.push_back(pi.hThread);
        HANDLE dup = nullptr;
        DuplicateHandle(GetCurrentProcess(), pi.hProcess, GetCurrentProcess(), &dup, 0, FALSE, DUPLICATE_SAME_ACCESS);
        PROCESS_INFORMATION kept{};
        kept.hProcess = dup;
        kept.dwProcessId = pi.dwProcessId;
        started_.emplace_back(kept);
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

std::string windowText(HWND hwnd) {
    wchar_t buf[1024] = L"";
    const int n = GetWindowTextW(hwnd, buf, 1024);
    return toAcp(std::wstring(buf, static_cast<std::size_t>(n > 0 ? n : 0)));
}

namespace {
// Every item of a list box or of a combo box's list, by the control's own messages. Wine
// answers the A messages across processes in UTF-16, so read with the W ones.
std::vector<std::string> readItems(HWND control, UINT countMsg, UINT lengthMsg, UINT textMsg) {
    std::vector<std::string> out;
    const LRESULT n = SendMessageW(control, countMsg, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        const LRESULT len = SendMessageW(control, lengthMsg, i, 0);
        std::wstring buf(static_cast<std::size_t>(len > 0 ? len : 0) + 1, L'\0');
        const LRESULT got = SendMessageW(control, textMsg, i, reinterpret_cast<LPARAM>(&buf[0]));
        buf.resize(static_cast<std::size_t>(got > 0 ? got : 0));
        out.push_back(toAcp(buf));
    }
    return out;
}
}  // namespace

std::vector<std::string> listItems(HWND listBox) {
    return readItems(listBox, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

std::vector<int> listSelection(HWND listBox) {
    std::vector<int> out;
    const LRESULT n = SendMessageW(listBox, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i)
        if (SendMessageW(listBox, LB_GETSEL, i, 0) > 0) out.push_back(static_cast<int>(i));
    return out;
}

std::vector<std::string> comboItems(HWND combo) {
    return readItems(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

RECT rectInParent(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void sendCopyData(HWND target, const void* data, DWORD size) {
    COPYDATASTRUCT cds{};
    cds.cbData = size;
    cds.lpData = const_cast<void*>(data);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_NORMAL, 10000, &result);
}

bool answers(HWND window) {
    DWORD_PTR result = 0;
    return IsWindow(window) && SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

void putOnClipboard(UINT format, const std::string& bytes) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
    GlobalUnlock(h);
    EXPECT_NE(SetClipboardData(format, h), nullptr);
    CloseClipboard();
}

namespace {
void pumpMessages() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}
}  // namespace

long waitPumping(const Process& p, DWORD ms) {
    const DWORD start = GetTickCount();
    HANDLE h = p.handle();
    for (;;) {
        const DWORD used = GetTickCount() - start;
        if (used >= ms) return p.wait(0);
        const DWORD r = MsgWaitForMultipleObjects(1, &h, FALSE, ms - used, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) return p.wait(0);
        pumpMessages();
    }
}

bool pumpUntil(const std::function<bool()>& done, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        pumpMessages();
        if (done()) return true;
        if (GetTickCount() - start >= ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
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

HWND activeWindowOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndActive;
}

HWND findMessageBox(DWORD pid, DWORD ms) {
    HWND box = nullptr;
    waitUntil(
        [&] {
            box = findTopLevel([&](HWND w) {
                return processOf(w) == pid && className(w) == "#32770" && IsWindowVisible(w);
            });
            return box != nullptr;
        },
        ms);
    return box;
}

MessageBoxView readMessageBox(HWND box) {
    MessageBoxView view;
    view.caption = windowText(box);
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
                view.text = windowText(c);
            }
        }
    }
    return view;
}

void pressOk(HWND box) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

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
