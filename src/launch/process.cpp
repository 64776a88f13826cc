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

namespace {

// Whether CreateProcessA would find a program by this name: it searches as SearchPathA does,
// with ".exe" added to a name without an extension, and a folder is no program.
bool programFound(const std::string& name) {
    if (name.empty()) return false;
    std::vector<char> path(MAX_PATH);
    for (;;) {
        char* filePart = nullptr;
        const DWORD length =
            SearchPathA(nullptr, name.c_str(), ".exe", static_cast<DWORD>(path.size()), path.data(), &filePart);
        if (length == 0) return false;
        if (length < path.size()) break;
        path.resize(length);  // too small: the answer is the size needed, its NUL included
    }
    const DWORD attributes = GetFileAttributesA(path.data());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool launchFromRunList(RunList& list, std::string_view selectedName, const AppTable* table, bool clearChecked,
                       bool quitChecked) {
    const CodePage& cp = systemCodePage();
    const LaunchPlan plan = planLaunch(list, selectedName, table, clearChecked, quitChecked, cp);
    if (interpreterWouldAlterList(plan, programFound, cp) || !startProcessOwned(plan.commandLine).started())
        throw AppError(formatMessage(texts::kErrCannotStart, selectedName));
    if (plan.clearList) removeAll(list);
    return plan.closeWindow;
}

}  // namespace qm
