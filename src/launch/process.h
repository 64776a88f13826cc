// Starting the launched process, and the whole launch as the "実行" button runs it.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

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

// Whether the command line, converted from the ANSI code page, fits what a process can take.
// (Windows refuses a longer one; Wine cuts one of 65,536 bytes or more and starts the
// program on a shorter, different line.)
bool commandLineFits(const std::string& commandLine);

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

// CreateProcessA on the command line as it stands: no application name (the program is the
// line's first token, never taken from the current folder when it names no folder), no
// inheritance, the tool's own environment and current folder, a STARTUPINFOA with nothing
// but its size. Nothing waits for the process. A line that does not fit is not passed on:
// nothing starts.
StartedProcess startProcessOwned(const std::string& commandLine);

// Whether the command interpreter may be handed the plan: the plan's program is no batch
// file and not the interpreter, or it carries no entries, or the interpreter reads every
// entry whole inside quotes (interpreterKeepsEntriesWhole, on the line as the system
// converts it to UTF-16, with delayed expansion as the registry sets it by default).
bool interpreterTakesPlan(const LaunchPlan& plan, const CodePage& cp);

// The command line in UTF-16 as the system converts it, and where the plan's entries stand
// in it. False when converting the line piece by piece gives another text than converting
// it whole (a lead byte before an entry's quote), or the line does not fit.
bool wideLineWithEntries(const LaunchPlan& plan, std::u16string& line, std::vector<EntrySpan>& entries);

// A whole launch, as the "実行" button runs it: builds the command line from the run list
// and the application named `selectedName` (the drop-down's text), and starts it. A start
// that fails throws AppError("%s を起動できません") with that name, and the run list stays
// as it is; so does a launch that the command interpreter would read otherwise than whole
// entries inside quotes (interpreterTakesPlan), which starts nothing. After a start, when `clearChecked`,
// every entry of the run list is removed. Returns `quitChecked`: the caller then closes the
// main window as its close box does.
bool launchFromRunList(RunList& list, std::string_view selectedName, const AppTable* table, bool clearChecked,
                       bool quitChecked);

}  // namespace qm
