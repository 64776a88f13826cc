// What the command interpreter makes of a command line that carries run-list entries: a
// batch file, or the interpreter itself, reads the line by its own rules, not by the usual
// argument rules, and outside quotes "& | < > ( ) ^" are its own.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

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

}  // namespace qm
