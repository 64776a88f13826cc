// The whole launch, as the "実行" button runs it: the plan from the run list and the chosen
// application, its checks, the start, and what follows it; and the questions it asks the
// system on the way, in the order it asks them: the program search (the current folder among
// them), the registry, PATHEXT.
#pragma once

#include <string>
#include <string_view>

#include "launch/launch.h"
#include "runlist/runlist.h"
#include "settings/apptable.h"

namespace qm {

// A whole launch: builds the command line from the run list and the application named
// `selectedName` (the drop-down's text), the template and the entries in UTF-16 as the
// settings file and the run list hold them, checks it (refusalOf, its program searched as
// the start searches it, never in the current folder) and starts it, the program search
// leaving the current folder out once for all of it (or, where that cannot be set, a program
// named with its full path only). The interpreter's own look-up in the current folder is
// checked unless the current folder is the tool's own: a batch file beside the tool runs from
// there. Returns why nothing started (`found`: the name a file in the current folder
// answered), and the run list then stays as it is; after a start, when `clearChecked`, every
// entry of the run list is removed.
Refusal startLaunch(RunList& list, std::u16string_view selectedName, const AppTable* table, bool clearChecked,
                    std::u16string* found = nullptr);

// startLaunch for the "実行" button: a launch that starts nothing throws AppError with
// cannotStartText for that name and reason. Returns `quitChecked`: the caller then closes the
// main window as its close box does.
bool launchFromRunList(RunList& list, std::u16string_view selectedName, const AppTable* table, bool clearChecked,
                       bool quitChecked);

}  // namespace qm
