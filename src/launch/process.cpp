#include "launch/process.h"

#include <vector>

#include "launch/launch.h"
#include "text/codepage.h"

namespace qm {

// A 32-bit build hands the system a STARTUPINFOA of 68 bytes.
static_assert(sizeof(void*) != 4 || sizeof(STARTUPINFOA) == 68, "STARTUPINFOA is 68 bytes on 32-bit Windows");

StartedProcess& StartedProcess::operator=(StartedProcess&& other) noexcept {
    if (this != &other) {
        reset();
        info_ = other.info_;
        other.info_ = PROCESS_INFORMATION{};
    }
    return *this;
}

void StartedProcess::reset() {
    if (info_.hThread != nullptr) CloseHandle(info_.hThread);
    if (info_.hProcess != nullptr) CloseHandle(info_.hProcess);
    info_ = PROCESS_INFORMATION{};
}

StartedProcess startProcessOwned(const std::string& commandLine) {
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

bool startProcess(const std::string& commandLine) { return startProcessOwned(commandLine).started(); }

bool launchFromRunList(RunList& list, std::string_view selectedName, const AppTable* table,
                       bool clearChecked, bool quitChecked) {
    const LaunchPlan plan = planLaunch(list, selectedName, table, clearChecked, quitChecked, systemCodePage());
    startProcess(plan.commandLine);
    if (plan.clearList) removeAll(list);
    return plan.closeWindow;
}

}  // namespace qm
