// A launch without the window: the quoted path list built from the run list, the "%P"
// replacement in the chosen application's command template, the checks its line must pass,
// and what to do afterwards.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "launch/interpreter.h"
#include "runlist/runlist.h"
#include "settings/apptable.h"
#include "text/codepage.h"

namespace qm {

// The longest command line a process can take: 32,767 UTF-16 characters, its terminating
// NUL included. (Windows refuses a longer one; Wine cuts one of 32,768 characters or more
// and starts the program on a shorter, different line.)
inline constexpr std::size_t kMaxCommandLineChars = 32767;
// The longest line the command interpreter reads: 8,191 characters.
inline constexpr std::size_t kMaxInterpreterLineChars = 8191;

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

// Answers whether CreateProcessW would find a program by this name (".exe" added to a name
// without an extension, as the system adds it; a folder is no program).
using ProgramFinder = std::function<bool(const std::u16string& name)>;

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
// written, for any other program in the Arguments form. For a template and entries the code page holds,
// it is the very line the whole text in the code page converts to. A missing table (no
// section "app") counts as an empty one: the command line is then empty.
LaunchPlan planLaunch(const RunList& list, std::u16string_view selectedName, const AppTable* table, bool clearChecked,
                      bool quitChecked, const CodePage& cp, const ProgramFinder& found = ProgramFinder());

// Whether a program of this name (as a command line gives it) is a batch file (".bat",
// ".cmd", the extension in any case) or the interpreter itself ("cmd", "cmd.exe", with or
// without a folder or a drive), and so how the interpreter gets the line. Trailing dots and
// spaces of a name are no part of its extension.
std::optional<InterpreterStart> runsInInterpreterByName(std::u16string_view name);

// How the command interpreter gets the line that a command line starts (no application name
// given), or nothing when its program is neither a batch file (".bat", ".cmd") nor the
// interpreter itself ("cmd", "cmd.exe", with or without a folder). The program is named as
// the system takes it: the text inside a leading pair of quotes; otherwise the line up to
// the first space or tab whose name `found` answers for (an empty finder answers for none),
// trying each further space in turn, and the whole line last. Trailing dots and spaces of a
// name are no part of its extension.
std::optional<InterpreterStart> interpreterStartOf(std::u16string_view commandLine, const ProgramFinder& found);

// Why a launch starts nothing; None when it starts.
enum class Refusal {
    None,
    SearchTakesCurrentFolder,  // the system's program search could not leave the current folder out
    LineTooLong,               // longer than any process can take (kMaxCommandLineChars)
    InterpreterLineTooLong,    // the interpreter reads it, and it is longer than kMaxInterpreterLineChars
    EntryNotWhole,             // the interpreter would read an entry otherwise than whole inside quotes
    ProgramInCurrentFolder,    // the interpreter would look its program up where the current folder holds one,
                               // or by a name in doubt
    StartFailed,               // the system did not start the program
};

// Answers whether the current folder holds a file that the interpreter, looking up a program
// by this name (one without a folder), would take.
using CurrentFolderFinder = std::function<bool(const std::u16string& name)>;

// Whether the plan's line may be handed to its program, checked in this order: it fits what a
// process can take; and where the interpreter reads it (the plan's `interpreter`), it fits
// the interpreter's line, every entry stands whole inside quotes as the interpreter reads
// the line (interpreterKeepsEntriesWhole, delayed expansion on by default or not), and no
// name by which the interpreter looks up its program (programNamesWithoutFolder) is in doubt
// or answered by `inCurrentFolder`. Any other program's line is not read further.
Refusal refusalOf(const LaunchPlan& plan, bool delayedExpansionByDefault, const CurrentFolderFinder& inCurrentFolder);

}  // namespace qm
