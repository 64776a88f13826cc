// A launch without the window: the quoted path list built from the run list, the "%P"
// replacement in the chosen application's command template, the plan a launch follows (the
// line, how its program reads it, what to do afterwards) and the checks its line must pass.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "launch/interpreter.h"
#include "launch/refusal.h"
#include "runlist/runlist.h"
#include "settings/apptable.h"
#include "text/codepage.h"

namespace qm {

// The longest command line a process can take: 32,767 UTF-16 characters, its terminating
// NUL included. (Windows refuses a longer one; Wine cuts one of 32,768 characters or more
// and starts the program on a shorter, different line.)
inline constexpr std::size_t kMaxCommandLineChars = 32767;

// How an entry goes into the quoted path list.
enum class EntryForm {
    // For a program that splits its line by the usual Windows rules (CommandLineToArgvW, the
    // C runtimes): backslashes that end the entry are doubled, since one before the closing
    // quote would escape it.
    Arguments,
    // For the command interpreter, which reads no backslash as an escape: as written.
    AsWritten,
};

// One entry of the quoted path list: a space, a double quote, the entry, a double quote, so
// that every entry reaches the program as exactly one argument. A double quote inside the
// entry is left out (no path holds one); in the Arguments form, backslashes that end it are
// doubled. An entry without these goes in exactly as stored, every character (a surrogate
// pair, or a surrogate alone, among them) unchanged.
void appendQuotedEntry(std::u16string& out, std::u16string_view entry, EntryForm form = EntryForm::Arguments);

// A command line as the process gets it, in UTF-16, and where each inserted entry stands
// in it (EntrySpan in UTF-16 units, once per "%P", in line order).
struct CommandLine {
    std::u16string line;
    std::vector<EntrySpan> entries;
};

// Every "%P" of the template, either case of the letter, replaced by the quoted path list of
// `entryTexts` (each an entry's text inside its quotes, quotedEntryText, in UTF-16). The
// template and the pattern are upper-cased by the locale and the upper-cased template is
// searched from the left; each occurrence is replaced in the template as given, the search
// goes on right after it, and the inserted text is never searched. Without "%P" the
// template comes back unchanged.
CommandLine replacePathPlaceholder(std::u16string_view commandTemplate, const std::vector<std::u16string>& entryTexts,
                                   const CodePage& cp);

// An entry's text as the quoted path list holds it inside its quotes (appendQuotedEntry).
std::u16string quotedEntryText(std::u16string_view entry, EntryForm form = EntryForm::Arguments);

// Everything a launch needs, in the order it uses it.
struct LaunchPlan {
    CommandLine commandLine;  // the process to start; empty when no application matched
    // How the command interpreter gets the line, when its program is a batch file or the
    // interpreter itself; the entries then stand in it as written.
    std::optional<InterpreterStart> interpreter;
    bool clearList = false;    // CheckBox1: remove every run-list entry after the start
    bool closeWindow = false;  // CheckBox2: close the main window after that
};

// The command line for the application named `selectedName` (the drop-down's text) on the
// whole run list, and the two after-launch actions. Its program is named as the system takes
// it (interpreterStartOf, asking `found`; without a finder no name is found, so an unquoted
// name counts only as the whole line); for the command interpreter the entries go in as
// written, for any other program in the Arguments form. For a template and entries the code
// page holds, it is the very line the whole text in the code page converts to. A missing
// table (no section "app") counts as an empty one: the command line is then empty.
LaunchPlan planLaunch(const RunList& list, std::u16string_view selectedName, const AppTable* table, bool clearChecked,
                      bool quitChecked, const CodePage& cp, const ProgramFinder& found = ProgramFinder());

// Whether the plan's line may be handed to its program: it fits what a process can take; and
// where the interpreter reads it (the plan's `interpreter`), the interpreter may have it
// (interpreterRefusalOf, delayed expansion on by default or not; `found` receives the name a
// file in the current folder answers). Any other program's line is not read further.
Refusal refusalOf(const LaunchPlan& plan, bool delayedExpansionByDefault, const CurrentFolderFinder& inCurrentFolder,
                  std::u16string* found = nullptr);

// Whether the program a command line starts is named with its full path ("C:\..." or
// "\\server\..."), quoted or not: then the system searches no folder for it, and every name
// it may take for the program (up to each blank) is a full path too.
bool programNamedWithFullPath(std::u16string_view commandLine);

// The error box's text for a launch of the application `appName` that starts nothing:
// "<name> を起動できません", and for a refusal a second line that says why and what to change
// (`found`: the name a file in the current folder answered, for ProgramInCurrentFolder). A
// start the system refused (StartFailed) has the first line alone.
std::u16string cannotStartText(std::u16string_view appName, Refusal refusal, std::u16string_view found);

}  // namespace qm
