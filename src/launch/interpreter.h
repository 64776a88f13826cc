// What the command interpreter makes of a command line that carries run-list entries: which
// lines it reads (a batch file's, or its own), and whether it reads each entry whole. It
// reads the line by its own rules, not by the usual argument rules, and outside quotes
// "& | < > ( ) ^" are its own.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "launch/refusal.h"

namespace qm {

// The longest line the command interpreter reads: 8,191 characters.
inline constexpr std::size_t kMaxInterpreterLineChars = 8191;

// Where an entry's text stands in a command line, in the line's own units: the text inside
// the entry's quotes.
struct EntrySpan {
    std::size_t at;
    std::size_t length;
};

// How the interpreter gets the line.
enum class InterpreterStart {
    BatchFile,    // the system runs the line as cmd /c "<the line>"
    Interpreter,  // the line starts the interpreter, its switches first
};

// Answers whether CreateProcessW would find a program by this name (".exe" added to a name
// without an extension, as the system adds it; a folder is no program).
using ProgramFinder = std::function<bool(const std::u16string& name)>;

// Whether a program of this name (as a command line gives it) is a batch file (".bat",
// ".cmd", the extension in any case) or the interpreter itself ("cmd", "cmd.exe", with or
// without a folder or a drive), and so how the interpreter gets the line. Trailing dots and
// spaces of a name are no part of its extension.
std::optional<InterpreterStart> runsInInterpreterByName(std::u16string_view name);

// How the interpreter gets the line that a command line starts (no application name given),
// or nothing when its program is neither a batch file nor the interpreter itself
// (runsInInterpreterByName). The program is named as the system takes it: the text inside a
// leading pair of quotes; otherwise the line up to the first space or tab whose name `found`
// answers for (an empty finder answers for none), trying each further space in turn, and
// the whole line last.
std::optional<InterpreterStart> interpreterStartOf(std::u16string_view commandLine, const ProgramFinder& found);

// Whether the interpreter, reading `line` (UTF-16, as it reads it), sees every entry wholly
// inside quotes and unchanged, so that none of its characters acts as part of a command.
// Where a reading is in doubt the answer is no. Besides the quotes: no entry holds a "%" or
// a control character, none lies between two "%" of the command, the line holds no line
// break; where delayed expansion may be on (a "/v" switch other than "/v:off", or
// `delayedExpansionByDefault` without one), no entry holds a "!" or lies between two, and
// no entry holds a "^" on a line with a "!". An interpreter line must name its switches
// plainly before "/c" or "/k", the entries after it. No entries: yes.
bool interpreterKeepsEntriesWhole(std::u16string_view line, const std::vector<EntrySpan>& entries,
                                  InterpreterStart start, bool delayedExpansionByDefault);

// The names without a folder by which the interpreter, reading `line`, looks up the program of
// its command (a batch file's own name, or the first word after "/c" or "/k"), each as it
// would take it: its quotes left out, after blanks, "@" and "(", up to a blank or one of
// "& | < > ( )", and also each shorter name that a "/", ",", ";" or "=" ends. The interpreter
// looks such a name up in the current folder first, whatever the system's own search left
// out; an interpreter run without "/c" or "/k" looks up nothing. A name named with a folder
// or a drive is not given. Nothing when the name is in doubt: it holds what the interpreter
// expands first ("%", "^", and "!" where delayed expansion may be on), a redirection stands
// before it, or the line is not read plainly.
std::optional<std::vector<std::u16string>> programNamesWithoutFolder(std::u16string_view line, InterpreterStart start,
                                                                     bool delayedExpansionByDefault);

// Answers whether the current folder holds a file that the interpreter, looking up a program
// by this name (one without a folder), would take.
using CurrentFolderFinder = std::function<bool(const std::u16string& name)>;

// Whether the interpreter may have the line, checked in this order: it fits the interpreter's
// line (kMaxInterpreterLineChars), every entry stands whole inside quotes as the interpreter
// reads it (interpreterKeepsEntriesWhole), and no name by which it looks up its program
// (programNamesWithoutFolder) is in doubt or answered by `inCurrentFolder`.
Refusal interpreterRefusalOf(std::u16string_view line, const std::vector<EntrySpan>& entries, InterpreterStart start,
                             bool delayedExpansionByDefault, const CurrentFolderFinder& inCurrentFolder);

}  // namespace qm
