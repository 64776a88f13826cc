// The program's own command line as the argument rule takes it.
#pragma once

#include <string>
#include <vector>

namespace qm {

// The arguments after the program's own path, read from GetCommandLineW (so that a name
// outside the ANSI code page is not best-fitted before it is split), split by the
// command-line rule and each converted by the name rule (text/win_ansi_name.h).
std::vector<std::string> commandLineArguments();

}  // namespace qm
