// Why a launch starts nothing: the one reason each check gives, read by the tests; the user
// sees the same box for every one of them.
#pragma once

namespace qm {

enum class Refusal {
    None,                      // it starts
    SearchTakesCurrentFolder,  // the system's program search could not leave the current folder out
    LineTooLong,               // longer than any process can take (kMaxCommandLineChars)
    InterpreterLineTooLong,    // the interpreter reads it, and it is longer than kMaxInterpreterLineChars
    EntryNotWhole,             // the interpreter would read an entry otherwise than whole inside quotes
    ProgramInCurrentFolder,    // the interpreter would look its program up where the current folder holds one,
                               // or by a name in doubt
    StartFailed,               // the system did not start the program
};

}  // namespace qm
