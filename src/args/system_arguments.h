// The program's own command line as the argument rule takes it.
#pragma once

#include <string>
#include <vector>

namespace qm {

// The arguments after the program's own path, read from GetCommandLineW and split by the
// command-line rule: every name exactly as the system gave it.
std::vector<std::u16string> commandLineArguments();

}  // namespace qm
