#include "launch/process.h"

#include <climits>
#include <optional>
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

namespace {

const wchar_t kNoCurrentFolderVariable[] = L"NoDefaultCurrentDirectoryInExePath";

}  // namespace

ExeSearchWithoutCurrentFolder::ExeSearchWithoutCurrentFolder() {
    SetLastError(ERROR_SUCCESS);  // an empty value answers 0 with no error
    if (GetEnvironmentVariableW(kNoCurrentFolderVariable, nullptr, 0) != 0 ||
        GetLastError() != ERROR_ENVVAR_NOT_FOUND) {
        active_ = true;  // the user's own setting: it stays, and goes on to the program as it is
        return;
    }
    environment_ = GetEnvironmentStringsW();
    if (environment_ == nullptr) return;
    set_ = SetEnvironmentVariableW(kNoCurrentFolderVariable, L"1") != FALSE;
    active_ = set_;
}

ExeSearchWithoutCurrentFolder::~ExeSearchWithoutCurrentFolder() {
    if (set_) SetEnvironmentVariableW(kNoCurrentFolderVariable, nullptr);
    if (environment_) FreeEnvironmentStringsW(environment_);
}

StartedProcess startProcessOwned(const std::string& commandLine) {
    if (!commandLineFits(commandLine)) return StartedProcess();
    // CreateProcessA may write into the command line, so it gets a copy of its own.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const ExeSearchWithoutCurrentFolder search;
    // A start that cannot keep the current folder out of the search starts nothing.
    if (!search.active()) return StartedProcess();
    void* environment = search.environmentBefore();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, environment ? CREATE_UNICODE_ENVIRONMENT : 0,
                        environment, nullptr, &startup, &info))
        return StartedProcess();
    return StartedProcess(info);
}

namespace {

// Whether the folder of `path` (its file name starting at `filePart`) is the current folder.
bool inCurrentFolder(const std::vector<char>& path, const char* filePart) {
    if (filePart == nullptr) return false;
    std::string folder(path.data(), filePart);
    std::vector<char> current(MAX_PATH);
    for (;;) {
        const DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(current.size()), current.data());
        if (length == 0) return true;  // unknown: counted as the current folder
        if (length < current.size()) {
            current.resize(length);
            break;
        }
        current.resize(length);
    }
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    while (!current.empty() && current.back() == '\\') current.pop_back();
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, folder.data(), static_cast<int>(folder.size()),
                          current.data(), static_cast<int>(current.size())) == CSTR_EQUAL;
}

// Whether CreateProcessA would find a program by this name: it searches as SearchPathA does,
// with ".exe" added to a name without an extension, and a folder is no program. While an
// ExeSearchWithoutCurrentFolder is held, CreateProcessA skips the current folder for a name
// that NeedCurrentDirectoryForExePathA says so of, and SearchPathA does not. A name found
// there may still be found in a later folder, so the answer errs on the side that checks
// more: found when it names the interpreter or a batch file (whose line is then checked),
// else not found (the line is read further, to the next name the system might take).
bool programFound(const std::string& name) {
    if (name.empty()) return false;
    std::vector<char> path(MAX_PATH);
    char* filePart = nullptr;
    for (;;) {
        const DWORD length =
            SearchPathA(nullptr, name.c_str(), ".exe", static_cast<DWORD>(path.size()), path.data(), &filePart);
        if (length == 0) return false;
        if (length < path.size()) break;
        path.resize(length);  // too small: the answer is the size needed, its NUL included
    }
    const DWORD attributes = GetFileAttributesA(path.data());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    if (!NeedCurrentDirectoryForExePathA(name.c_str()) && inCurrentFolder(path, filePart))
        return runsInInterpreterByName(name, systemCodePage()).has_value();
    return true;
}

}  // namespace

bool delayedExpansionByDefault() {
    // The user's value overrides the machine's; either one that turns it on counts.
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        DWORD value = 0, size = sizeof value;
        if (RegGetValueW(root, L"Software\\Microsoft\\Command Processor", L"DelayedExpansion", RRF_RT_REG_DWORD,
                         nullptr, &value, &size) == ERROR_SUCCESS &&
            value != 0)
            return true;
    }
    return false;
}

bool wideLineWithEntries(const LaunchPlan& plan, std::u16string& line, std::vector<EntrySpan>& entries) {
    const std::string& bytes = plan.commandLine;
    if (!commandLineFits(bytes)) return false;
    auto widen = [](std::string_view piece, std::u16string& out) {
        if (piece.empty()) return;
        const int n = MultiByteToWideChar(CP_ACP, 0, piece.data(), static_cast<int>(piece.size()), nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
        if (n > 0) MultiByteToWideChar(CP_ACP, 0, piece.data(), static_cast<int>(piece.size()), &wide[0], n);
        out.append(wide.begin(), wide.end());
    };
    std::u16string whole;
    widen(bytes, whole);
    line.clear();
    entries.clear();
    std::size_t from = 0;
    for (const EntrySpan& entry : plan.entries) {
        if (entry.at < from || entry.at > bytes.size() || entry.length > bytes.size() - entry.at) return false;
        widen(std::string_view(bytes).substr(from, entry.at - from), line);
        const std::size_t at = line.size();
        widen(std::string_view(bytes).substr(entry.at, entry.length), line);
        entries.push_back(EntrySpan{at, line.size() - at});
        from = entry.at + entry.length;
    }
    widen(std::string_view(bytes).substr(from), line);
    // A character that spans a piece's end (a lead byte before a quote) reads otherwise in
    // the whole line: the pieces do not say where the entries are.
    return line == whole;
}

bool interpreterTakesPlan(const LaunchPlan& plan, const CodePage& cp) {
    std::optional<InterpreterStart> start;
    {
        const ExeSearchWithoutCurrentFolder search;  // the search the start will make
        start = interpreterStartOf(plan.commandLine, programFound, cp);
    }
    if (!start || plan.entries.empty()) return true;
    std::u16string line;
    std::vector<EntrySpan> entries;
    return wideLineWithEntries(plan, line, entries) &&
           interpreterKeepsEntriesWhole(line, entries, *start, delayedExpansionByDefault());
}

bool launchFromRunList(RunList& list, std::string_view selectedName, const AppTable* table, bool clearChecked,
                       bool quitChecked) {
    const CodePage& cp = systemCodePage();
    const LaunchPlan plan = planLaunch(list, selectedName, table, clearChecked, quitChecked, cp);
    if (!interpreterTakesPlan(plan, cp) || !startProcessOwned(plan.commandLine).started())
        throw AppError(formatMessage(texts::kErrCannotStart, selectedName));
    if (plan.clearList) removeAll(list);
    return plan.closeWindow;
}

}  // namespace qm
