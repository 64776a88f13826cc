// What the command interpreter makes of a command line that carries run-list entries: which
// lines it reads (a batch file's, or its own), whether it reads each entry whole, and which
// programs it looks up, command by command. It reads the line by its own rules, not by the
// usual argument rules, and outside quotes "& | < > ( ) ^" are its own.
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
// inside quotes and unchanged, so that none of its characters acts as part of a command:
// Refusal::None, or why not. Where a reading is in doubt the answer is no.
// - EntryNotWhole, the command's shape: an entry the interpreter reads outside quotes (in
//   any way it may strip its quotes), or between two "%" of the command (two "!" where
//   delayed expansion may be on); an interpreter line that does not name its switches
//   plainly before "/c" or "/k", the entries after it.
// - EntryChanged, an entry's own text: a line break (the line holds none), a "%" or a control
//   character; where delayed expansion may be on, a "!", or a "^" on a line with a "!".
// Delayed expansion may be on where a "/v" switch other than "/v:off" is given, or by
// `delayedExpansionByDefault` without one; and where a second interpreter, which takes the
// default, reads part of the line (after a "|", or one that "start" opens). No entries: None.
Refusal entryRefusalOf(std::u16string_view line, const std::vector<EntrySpan>& entries, InterpreterStart start,
                       bool delayedExpansionByDefault);

// The names without a folder by which the interpreter, reading `line`, looks up the programs
// of its commands: a batch file's own name, or the words after "/c" or "/k", in every
// command it may run: the first, each after "&", "&&", "||" and "|", inside "( )", the one
// that "call" runs, that "start" runs (after its title and switches), that "if" runs after
// its condition (and after "else"), that "for" runs after "do". Each name as the interpreter
// takes it: its quotes left out, after blanks and "@", up to a blank or one of
// "& | < > ( )", and also each shorter name that a "/", ",", ";", "=", "+", "[" or "]" ends.
// A word the interpreter runs as its own (assoc, call, cd, chdir, cls, color, copy, date, del,
// dir, echo, endlocal, erase, exit, for, ftype, goto, if, md, mkdir, mklink, move, path, pause,
// popd, prompt, pushd, rd, rem, ren, rename, rmdir, set, setlocal, shift, start, time, title,
// type, ver, verify, vol: those of Windows' interpreter that Wine's runs as its own too, in
// any case, unquoted and standing alone) is not looked up, save the one "start" runs; a word that only begins with one
// ("echo.x") is looked up as it stands. The interpreter looks such a name up in the current folder first, whatever the
// system's own search left out; an interpreter run without "/c" or "/k" looks up nothing. A name named with a folder or
// a drive is not given, nor one that is whatever a
// "%" (or "!") expands to followed by a folder. Nothing when any name is in doubt: one that
// expands to a name without a folder, that holds a "^", that comes after a redirection; a
// command the model does not read plainly ("if" or "for" otherwise than their usual forms,
// "for /f" that runs a command, "call" with "if", "for" or "rem", "start /d", a command
// word run in another interpreter, a command that starts with "," ";" or "="); or a line
// the interpreter does not read plainly.
std::optional<std::vector<std::u16string>> programNamesWithoutFolder(std::u16string_view line, InterpreterStart start,
                                                                     bool delayedExpansionByDefault);

// Answers whether the current folder holds a file that the interpreter, looking up a program
// by this name (one without a folder), would take.
using CurrentFolderFinder = std::function<bool(const std::u16string& name)>;

// Whether the interpreter may have the line, checked in this order: it fits the interpreter's
// line (kMaxInterpreterLineChars), every entry stands whole inside quotes as the interpreter
// reads it (entryRefusalOf), no name by which it looks up a program (programNamesWithoutFolder)
// is in doubt (ProgramNameInDoubt) or answered by `inCurrentFolder` (ProgramInCurrentFolder;
// `found`, when given, receives that name).
Refusal interpreterRefusalOf(std::u16string_view line, const std::vector<EntrySpan>& entries, InterpreterStart start,
                             bool delayedExpansionByDefault, const CurrentFolderFinder& inCurrentFolder,
                             std::u16string* found = nullptr);

}  // namespace qm
