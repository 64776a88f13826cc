#include "args/system_arguments.h"

#include <windows.h>

#include "args/commandline.h"
#include "text/utf16.h"

namespace qm {

std::vector<std::u16string> commandLineArguments() {
    return splitCommandLine(fromWide(GetCommandLineW()));
}

}  // namespace qm
