#include "launch/run.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "launch/interpreter.h"
#include "launch/process.h"
#include "text/codepage.h"
#include "text/error.h"
#include "text/textrules.h"
#include "text/texts.h"
#include "text/utf16.h"

namespace qm {
namespace {

// Whether the folder of `path` (its file name starting at `filePart`) is the current folder.
bool inCurrentFolder(const WideText& path, const wchar_t* filePart) {
    if (filePart == nullptr) return false;
    WideText folder(path.data(), filePart);
    WideText current(MAX_PATH);
    for (;;) {
        const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(current.size()), current.data());
        if (length == 0) return true;  // unknown: counted as the current folder
        if (length < current.size()) {
            current.resize(length);
            break;
        }
        current.resize(length);
    }
    while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    while (!current.empty() && current.back() == L'\\') current.pop_back();
    return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, folder.data(), static_cast<int>(folder.size()),
                          current.data(), static_cast<int>(current.size())) == CSTR_EQUAL;
}

// Whether CreateProcessW would find a program by this name: it searches as SearchPathW does,
// with ".exe" added to a name without an extension, and a folder is no program. While an
// ExeSearchWithoutCurrentFolder is held, CreateProcessW skips the current folder for a name
// that NeedCurrentDirectoryForExePathW says so of, and SearchPathW does not. A name found
// there may still be found in a later folder, so the answer errs on the side that checks
// more: found when it names the interpreter or a batch file (whose line is then checked),
// else not found (the line is read further, to the next name the system might take).
bool programFound(const std::u16string& name) {
    if (name.empty()) return false;
    const WideText wideName = nulTerminated(name);
    WideText path(MAX_PATH);
    wchar_t* filePart = nullptr;
    for (;;) {
        const DWORD length =
            SearchPathW(nullptr, wideName.data(), L".exe", static_cast<DWORD>(path.size()), path.data(), &filePart);
        if (length == 0) return false;
        if (length < path.size()) break;
        path.resize(length);  // too small: the answer is the size needed, its NUL included
    }
    const DWORD attributes = GetFileAttributesW(path.data());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    if (!NeedCurrentDirectoryForExePathW(wideName.data()) && inCurrentFolder(path, filePart))
        return runsInInterpreterByName(name).has_value();
    return true;
}

// Whether the current folder holds a file that the command interpreter, looking up a program
// by this name (one without a folder), would take: the name itself, or the name with one of
// the extensions it tries (PATHEXT, or ".COM;.EXE;.BAT;.CMD" without one); a folder is none.
bool interpreterFindsInCurrentFolder(const std::u16string& name) {
    std::u16string extensions = u".COM;.EXE;.BAT;.CMD";
    const DWORD size = GetEnvironmentVariableW(L"PATHEXT", nullptr, 0);
    if (size > 0) {
        WideText value(size);
        const DWORD length = GetEnvironmentVariableW(L"PATHEXT", value.data(), size);
        if (length < size) extensions = fromWide(value.data(), length);
    }
    // The name as it stands, then with each extension; relative, so in the current folder.
    std::vector<std::u16string> candidates{name};
    for (std::size_t from = 0; from <= extensions.size();) {
        std::size_t end = extensions.find(u';', from);
        if (end == std::u16string::npos) end = extensions.size();
        if (end > from) candidates.push_back(name + extensions.substr(from, end - from));
        from = end + 1;
    }
    for (const std::u16string& candidate : candidates) {
        const DWORD attributes = GetFileAttributesW(nulTerminated(candidate).data());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
            continue;
        }
        // Any answer but "not there" may hide such a file.
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND && error != ERROR_INVALID_NAME) return true;
    }
    return false;
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

Refusal startLaunch(RunList& list, std::u16string_view selectedName, const AppTable* table, bool clearChecked) {
    // Held from the program's search for the check to the start: both search alike.
    const ExeSearchWithoutCurrentFolder search;
    if (!search.active()) return Refusal::SearchTakesCurrentFolder;
    const LaunchPlan plan = planLaunch(list, selectedName, table, clearChecked, false, systemCodePage(), programFound);
    const bool delayed = plan.interpreter && delayedExpansionByDefault();
    const Refusal refusal = refusalOf(plan, delayed, interpreterFindsInCurrentFolder);
    if (refusal != Refusal::None) return refusal;
    if (!startProcessOwned(plan.commandLine.line, search).started()) return Refusal::StartFailed;
    if (plan.clearList) removeAll(list);
    return Refusal::None;
}

bool launchFromRunList(RunList& list, std::u16string_view selectedName, const AppTable* table, bool clearChecked,
                       bool quitChecked) {
    if (startLaunch(list, selectedName, table, clearChecked) != Refusal::None)
        throw AppError(formatMessage(texts::kErrCannotStart, selectedName));
    return quitChecked;
}

}  // namespace qm
