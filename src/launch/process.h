// Starting the launched process, and the whole launch as the "実行" button runs it.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "launch/launch.h"
#include "runlist/runlist.h"
#include "settings/apptable.h"
#include "win/scoped.h"

namespace qm {

// Owns the process and thread handles of a started process and closes them.
class StartedProcess {
public:
    StartedProcess() = default;
    explicit StartedProcess(const PROCESS_INFORMATION& info) : process_(info.hProcess), thread_(info.hThread) {}

    bool started() const { return process_ != nullptr; }

private:
    ScopedHandle process_;
    ScopedHandle thread_;  // declared last, closed first
};

// The longest command line a process can take: 32,767 UTF-16 characters, its terminating
// NUL included.
inline constexpr int kMaxCommandLineChars = 32767;

// Whether the command line fits what a process can take. (Windows refuses a longer one; Wine
// cuts one of 32,768 characters or more and starts the program on a shorter, different line.)
bool commandLineFits(std::u16string_view commandLine);

// CreateProcessW on the command line as it stands: no application name (the program is the
// line's first token), no inheritance, no flags, the tool's own environment and current
// folder, a STARTUPINFOW with nothing but its size. Nothing waits for the process. A line
// that does not fit is not passed on: nothing starts.
StartedProcess startProcessOwned(std::u16string_view commandLine);

// Code page text in UTF-16 as the system converts a command line given in the code page
// (what CreateProcessA does with the whole line): how each run-list entry goes in.
std::u16string codePageToUtf16(std::string_view text);

// A whole launch, as the "実行" button runs it: builds the command line from the run list
// and the application named `selectedName` (the drop-down's text), the template in UTF-16
// as the settings file holds it and each entry by its exact conversion from the code page,
// and starts it. A start
// that fails throws AppError("%s を起動できません") with that name, and the run list stays
// as it is; so does a launch that would hand the command interpreter a "%" from the run list
// (interpreterWouldAlterList), which starts nothing. After a start, when `clearChecked`,
// every entry of the run list is removed. Returns `quitChecked`: the caller then closes the
// main window as its close box does.
bool launchFromRunList(RunList& list, std::u16string_view selectedName, const AppTable* table, bool clearChecked,
                       bool quitChecked);

}  // namespace qm
