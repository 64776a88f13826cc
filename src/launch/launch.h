// A launch without the window: the quoted path list built from the run list, the "%P"
// replacement in the chosen application's command template, and what to do afterwards.
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

// One entry of the quoted path list: a space, a double quote, the entry, a double quote.
// So that every entry reaches the program as exactly one argument by the usual Windows rules
// (CommandLineToArgvW, the C runtimes), walking whole characters: a double quote inside the
// entry is left out (no path holds one), and so is a lead byte alone at its end; backslashes
// that end the entry are doubled, since one before the closing quote would escape it. A trail
// byte 0x5C is no backslash. An entry without these bytes goes in exactly as stored.
void appendQuotedEntry(std::string& out, std::string_view entry, const CodePage& cp);

// Every entry, in list order, selected or not, as appendQuotedEntry gives it. An empty list
// gives the empty text. The run list itself is not changed. `spans`, when given, receives
// where each entry's text (inside its quotes) stands in the list, in bytes.
std::string quotedPathList(const RunList& list, const CodePage& cp, std::vector<EntrySpan>* spans = nullptr);

// Every "%P" of the template, either case of the letter, replaced by `pathList`. The
// template and the pattern are upper-cased by the locale and the upper-cased template is
// searched from the left; each occurrence is replaced in the template as given, the search
// goes on right after it, and the inserted text is never searched. Without "%P" the
// template comes back unchanged. `insertedAt`, when given, receives where each copy of the
// list begins in the result.
std::string replacePathPlaceholder(std::string_view commandTemplate, std::string_view pathList, const CodePage& cp,
                                   std::vector<std::size_t>* insertedAt = nullptr);

// Everything a launch needs, in the order it uses it.
struct LaunchPlan {
    std::string quotedPathList;
    std::string commandLine;  // the process to start; empty when no application matched
    bool clearList = false;   // CheckBox1: remove every run-list entry after the start
    bool closeWindow = false;  // CheckBox2: close the main window after that
    // Where every entry's text stands in the command line, in bytes: each entry once for
    // each "%P" of the template, in line order.
    std::vector<EntrySpan> entries;
};

// The command line for the application named `selectedName` (the drop-down's text) on the
// whole run list, and the two after-launch actions. A missing table (no section "app")
// counts as an empty one: the command line is then empty.
LaunchPlan planLaunch(const RunList& list, std::string_view selectedName, const AppTable* table,
                      bool clearChecked, bool quitChecked, const CodePage& cp);

// Answers whether CreateProcessA would find a program by this name (".exe" added to a name
// without an extension, as the system adds it; a folder is no program).
using ProgramFinder = std::function<bool(const std::string& name)>;

// Whether a program of this name (as a command line gives it) is a batch file (".bat",
// ".cmd", the extension in any case) or the interpreter itself ("cmd", "cmd.exe", with or
// without a folder), and so how the interpreter gets the line. Trailing dots and spaces of
// a name are no part of its extension; a trail byte 0x5C is no folder separator.
std::optional<InterpreterStart> runsInInterpreterByName(std::string_view name, const CodePage& cp);

// How the command interpreter gets the line that a command line starts (no application name
// given), or nothing when its program is neither a batch file (".bat", ".cmd") nor the
// interpreter itself ("cmd", "cmd.exe", with or without a folder). The program is named as
// the system takes it: the text inside a leading pair of quotes; otherwise the line up to
// the first space or tab whose name `found` answers for, trying each further space in turn,
// and the whole line last. Trailing dots and spaces of a name are no part of its extension.
std::optional<InterpreterStart> interpreterStartOf(std::string_view commandLine, const ProgramFinder& found,
                                                   const CodePage& cp);
inline bool runsThroughInterpreter(std::string_view commandLine, const ProgramFinder& found, const CodePage& cp) {
    return interpreterStartOf(commandLine, found, cp).has_value();
}

}  // namespace qm
