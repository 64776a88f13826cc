// Starting the launched process: its handles, and a program search that leaves the current
// folder out.
#pragma once

#include <windows.h>

#include <string_view>

#include "win/scoped.h"

namespace qm {

// Owns the process and thread handles of a started process and closes them.
class ScopedProcess {
public:
    ScopedProcess() = default;
    explicit ScopedProcess(const PROCESS_INFORMATION& info) : process_(info.hProcess), thread_(info.hThread) {}

    bool started() const { return process_ != nullptr; }

private:
    ScopedHandle process_;
    ScopedHandle thread_;  // declared last, closed first
};

// While held, a program named without a folder is not looked for in the current folder by
// CreateProcess (the NoDefaultCurrentDirectoryInExePath variable, which
// NeedCurrentDirectoryForExePath answers by), and the tool's environment as it was before
// is kept for the program to start with. When the user has the variable already, nothing
// changes and there is no block (the program inherits the environment).
class ExeSearchWithoutCurrentFolder {
public:
    ExeSearchWithoutCurrentFolder();
    ~ExeSearchWithoutCurrentFolder();
    ExeSearchWithoutCurrentFolder(const ExeSearchWithoutCurrentFolder&) = delete;
    ExeSearchWithoutCurrentFolder& operator=(const ExeSearchWithoutCurrentFolder&) = delete;

    // Whether the current folder is now left out of the search.
    bool active() const { return active_; }
    // The environment block (UTF-16) from before the variable was set, or null.
    void* environmentBefore() const { return set_ ? environment_ : nullptr; }

private:
    wchar_t* environment_ = nullptr;
    bool set_ = false;  // set here, removed again at the end
    bool active_ = false;
};

// CreateProcessW on the command line as it stands, while `search` is held and active: no
// application name (the program is the line's first token, never taken from the current
// folder when it names no folder), no inheritance, the tool's own environment (as it was
// before `search`) and current folder, a STARTUPINFOW with nothing but its size. Nothing
// waits for the process. The line must fit what a process can take (refusalOf): Wine would
// start a longer one cut short.
ScopedProcess startProcessOwned(std::u16string_view commandLine, const ExeSearchWithoutCurrentFolder& search);

}  // namespace qm
