// Why a launch starts nothing: the one reason each check gives. The error box names it on a
// second line under "<name> を起動できません" (cannotStartText), so that the user knows what
// to change; a start the system refuses shows that first line alone.
#pragma once

namespace qm {

enum class Refusal {
    None,                      // it starts
    SearchTakesCurrentFolder,  // the system's program search could not leave the current folder out
    LineTooLong,               // longer than any process can take (kMaxCommandLineChars)
    InterpreterLineTooLong,    // the interpreter reads it, and it is longer than kMaxInterpreterLineChars
    EntryNotWhole,             // the command's shape: the interpreter would read an entry outside quotes, or
                               // between two "%" (or "!") of the command, or the line is not read plainly
    EntryChanged,              // an entry holds what the interpreter changes inside quotes too ("%", a line break
                               // or a control character; "!", and "^" on a line with "!", where delayed
                               // expansion may be on)
    ProgramInCurrentFolder,    // a file in the current folder answers a name the interpreter looks up
    ProgramNameInDoubt,        // a name the interpreter looks up cannot be told before it runs
    StartFailed,               // the system did not start the program
};

}  // namespace qm
