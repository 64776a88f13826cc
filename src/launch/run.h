// The whole launch, as the "実行" button runs it: the plan from the run list and the chosen
// application, the command interpreter's check, the start, and what follows it.
#pragma once

#include <string>
#include <string_view>

#include "launch/launch.h"
#include "runlist/runlist.h"
#include "settings/apptable.h"

namespace qm {

// Whether the command interpreter turns on delayed expansion by default (its DelayedExpansion
// value in the registry, the user's or the machine's).
bool delayedExpansionByDefault();

// Whether the command interpreter may be handed the plan: the plan's program (searched as
// the start will search it, never in the current folder) is no batch file and not the
// interpreter, or it carries no entries, or the interpreter reads every entry whole inside
// quotes (interpreterKeepsEntriesWhole, with delayed expansion as the registry sets it by
// default).
bool interpreterTakesPlan(const LaunchPlan& plan);

// A whole launch: builds the command line from the run list and the application named
// `selectedName` (the drop-down's text), the template and the entries in UTF-16 as the
// settings file and the run list hold them, and starts it. A start that
// fails throws AppError("%s を起動できません") with that name, and the run list stays as it
// is; so does a launch that the command interpreter would read otherwise than whole entries
// inside quotes (interpreterTakesPlan), which starts nothing. After a start, when
// `clearChecked`, every entry of the run list is removed. Returns `quitChecked`: the caller
// then closes the main window as its close box does.
bool launchFromRunList(RunList& list, std::u16string_view selectedName, const AppTable* table, bool clearChecked,
                       bool quitChecked);

}  // namespace qm
