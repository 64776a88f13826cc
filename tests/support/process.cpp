#include "process.h"

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <type_traits>

#include "files.h"

namespace qm::test {

bool waitUntil(const std::function<bool()>& done, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start >= ms) return done();
        Sleep(20);
    }
}

bool programRunning(const char* exeName) {
    const Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    const std::wstring name = fromAcp(exeName);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
        if (lstrcmpiW(entry.szExeFile, name.c_str()) == 0) return true;
    }
    return false;
}

Process& Process::operator=(Process&& o) noexcept {
    if (this != &o) {
        if (process_) CloseHandle(process_);
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
template <typename Char>
bool create(const std::basic_string<Char>& commandLine, const std::string& dir, DWORD flags, PROCESS_INFORMATION& pi) {
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
    if constexpr (std::is_same_v<Char, wchar_t>) {
        ADD_FAILURE() << "cannot start " << toAcp(commandLine) << " (error " << error << ")";
    } else {
        ADD_FAILURE() << "cannot start " << commandLine << " (error " << error << ")";
    }
    return false;
}
}  // namespace

bool createProcess(const std::string& commandLine, const std::string& dir, DWORD flags, PROCESS_INFORMATION& pi) {
    return create(commandLine, dir, flags, pi);
}

bool createProcess(const std::wstring& commandLine, const std::string& dir, DWORD flags, PROCESS_INFORMATION& pi) {
    return create(commandLine, dir, flags, pi);
}

Process startProcess(const std::string& commandLine, const std::string& dir) {
    PROCESS_INFORMATION pi{};
    return createProcess(commandLine, dir, 0, pi) ? Process(pi) : Process();
}

}  // namespace qm::test
