#include "args/system_arguments.h"

#include <windows.h>

#include "args/commandline.h"
#include "text/win_ansi_name.h"

namespace qm {

std::vector<std::string> commandLineArguments() {
    const std::wstring_view line = GetCommandLineW();
    std::vector<std::string> out;
    for (const std::u16string& arg : splitCommandLine(std::u16string(line.begin(), line.end()))) {
        out.push_back(ansiName(arg, systemAnsiConversion()));
    }
    return out;
}

}  // namespace qm
