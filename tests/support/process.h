// Processes started by the Windows tests, and waiting for a condition.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace qm::test {

// Polls `done` every 20 ms until it holds or `ms` pass; returns its last answer.
bool waitUntil(const std::function<bool()>& done, DWORD ms = 10000);

// A process started by a test. The handle is closed when the object goes; the process goes
// on (whoever must end it calls end()).
class Process {
public:
    Process() = default;
    explicit Process(const PROCESS_INFORMATION& pi) : process_(pi.hProcess), pid_(pi.dwProcessId) {
        if (pi.hThread) CloseHandle(pi.hThread);
    }
    Process(Process&& o) noexcept : process_(o.process_), pid_(o.pid_) { o.process_ = nullptr; }
    Process& operator=(Process&& o) noexcept;
    ~Process();
    bool valid() const { return process_ != nullptr; }
    DWORD pid() const { return pid_; }
    HANDLE handle() const { return process_; }
    // The exit code, or -1 when the process is still running after `ms`.
    long wait(DWORD ms = 10000) const;
    bool running() const { return wait(0) == -1; }
    // Ends the process if it still runs.
    void end() const;

private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// CreateProcessA of `commandLine` (the program quoted first) with `dir` as current folder
// (none: this process's) and the creation `flags`. Under load Wine now and then refuses a
// start that succeeds a moment later, so a refused start is tried again a few times; a start
// refused every time fails the test and answers false.
bool createProcess(const std::string& commandLine, const std::string& dir, DWORD flags, PROCESS_INFORMATION& pi);
// The same with CreateProcessW, for a command line the code page cannot hold.
bool createProcess(const std::wstring& commandLine, const std::string& dir, DWORD flags, PROCESS_INFORMATION& pi);

// Whether a process whose program file is named `exeName` (e.g. "qm_tally.exe") runs in this
// Wine session, which belongs to one test at a time.
bool programRunning(const char* exeName);

// Starts `commandLine` as createProcess does; an invalid Process when it cannot.
Process startProcess(const std::string& commandLine, const std::string& dir = std::string());

}  // namespace qm::test
