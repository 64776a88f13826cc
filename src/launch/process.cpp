#include "launch/process.h"

#include <vector>

#include "launch/launch.h"
#include "text/codepage.h"
#include "text/error.h"
#include "text/textrules.h"
#include "text/texts.h"
#include "text/win_ansi_name.h"

namespace qm {

// A 32-bit build hands the system a STARTUPINFOW of 68 bytes.
static_assert(sizeof(void*) != 4 || sizeof(STARTUPINFOW) == 68, "STARTUPINFOW is 68 bytes on 32-bit Windows");

bool commandLineFits(std::u16string_view commandLine) {
    return commandLine.size() < static_cast<std::size_t>(kMaxCommandLineChars);
}

StartedProcess startProcessOwned(std::u16string_view commandLine) {
    if (!commandLineFits(commandLine)) return StartedProcess();
    // CreateProcessW may write into the command line, so it gets a copy of its own.
    WideText line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return StartedProcess();
    return StartedProcess(info);
}

namespace {

// Whether CreateProcessW would find a program by this name: it searches as SearchPathW does,
// with ".exe" added to a name without an extension, and a folder is no program.
bool programFound(const std::u16string& name) {
    if (name.empty()) return false;
    WideText wideName(name.begin(), name.end());
    wideName.push_back(L'\0');
    WideText path(MAX_PATH);
    for (;;) {
        wchar_t* filePart = nullptr;
        const DWORD length =
            SearchPathW(nullptr, wideName.data(), L".exe", static_cast<DWORD>(path.size()), path.data(), &filePart);
        if (length == 0) return false;
        if (length < path.size()) break;
        path.resize(length);  // too small: the answer is the size needed, its NUL included
    }
    const DWORD attributes = GetFileAttributesW(path.data());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::u16string codePageToUtf16(std::string_view text) {
    const WideText wide = wideText(std::string(text));
    return std::u16string(wide.begin(), wide.end() - 1);
}

bool launchFromRunList(RunList& list, std::u16string_view selectedName, const AppTable* table, bool clearChecked,
                       bool quitChecked) {
    const CodePage& cp = systemCodePage();
    const LaunchPlan plan = planLaunch(list, selectedName, table, clearChecked, quitChecked, cp, codePageToUtf16);
    if (interpreterWouldAlterList(plan, programFound) || !startProcessOwned(plan.commandLine.line).started()) {
        throw AppError(formatMessage(texts::kErrCannotStart, ansiName(selectedName, systemAnsiConversion())));
    }
    if (plan.clearList) removeAll(list);
    return plan.closeWindow;
}

}  // namespace qm
