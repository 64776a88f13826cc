#include "launch/process.h"

#include <climits>
#include <vector>

#include "launch/launch.h"
#include "text/codepage.h"
#include "text/error.h"
#include "text/textrules.h"
#include "text/texts.h"

namespace qm {

// A 32-bit build hands the system a STARTUPINFOA of 68 bytes.
static_assert(sizeof(void*) != 4 || sizeof(STARTUPINFOA) == 68, "STARTUPINFOA is 68 bytes on 32-bit Windows");

bool commandLineFits(const std::string& commandLine) {
    if (commandLine.size() < static_cast<std::size_t>(kMaxCommandLineChars)) return true;  // a byte is at most one character
    if (commandLine.size() > static_cast<std::size_t>(INT_MAX)) return false;
    const int chars = MultiByteToWideChar(CP_ACP, 0, commandLine.data(), static_cast<int>(commandLine.size()), nullptr, 0);
    return chars > 0 && chars < kMaxCommandLineChars;
}

StartedProcess startProcessOwned(const std::string& commandLine) {
    if (!commandLineFits(commandLine)) return StartedProcess();
    // CreateProcessA may write into the command line, so it gets a copy of its own.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return StartedProcess();
    return StartedProcess(info);
}

bool launchFromRunList(RunList& list, std::string_view selectedName, const AppTable* table, bool clearChecked,
                       bool quitChecked, LaunchPlan& plan) {
    plan = planLaunch(list, selectedName, table, clearChecked, quitChecked, systemCodePage());
    if (!startProcessOwned(plan.commandLine).started())
        throw AppError(formatMessage(texts::kErrCannotStart, selectedName));
    if (plan.clearList) removeAll(list);
    return plan.closeWindow;
}

}  // namespace qm
