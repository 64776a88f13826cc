// Starting the launched process, and the whole launch as the "実行" button runs it.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "runlist/runlist.h"
#include "settings/apptable.h"

namespace qm {

// Owns the process and thread handles of a started process and closes them.
class StartedProcess {
public:
    StartedProcess() = default;
    explicit StartedProcess(const PROCESS_INFORMATION& info) : info_(info) {}
    ~StartedProcess() { reset(); }
    StartedProcess(StartedProcess&& other) noexcept : info_(other.info_) { other.info_ = PROCESS_INFORMATION{}; }
    StartedProcess& operator=(StartedProcess&& other) noexcept;
    StartedProcess(const StartedProcess&) = delete;
    StartedProcess& operator=(const StartedProcess&) = delete;

    bool started() const { return info_.hProcess != nullptr; }
    HANDLE process() const { return info_.hProcess; }
    DWORD processId() const { return info_.dwProcessId; }

private:
    void reset();
    PROCESS_INFORMATION info_{};
};

// CreateProcessA on the command line as it stands: no application name (the program is the
// line's first token), no inheritance, no flags, the tool's own environment and current
// folder, a STARTUPINFOA with nothing but its size. Nothing waits for the process.
StartedProcess startProcessOwned(const std::string& commandLine);

// The same start; the handles are closed at once, since nothing uses them. Whether the
// process started is only for callers that want to know: a launch does not report it.
bool startProcess(const std::string& commandLine);

// A whole launch: builds the command line from the run list and the application named
// `selectedName` (the drop-down's text), starts it, then, when `clearChecked`, removes every
// entry of the run list, whether or not the start succeeded. Returns `quitChecked`: the
// caller then closes the main window as its close box does.
bool launchFromRunList(RunList& list, std::string_view selectedName, const AppTable* table,
                       bool clearChecked, bool quitChecked);

}  // namespace qm
