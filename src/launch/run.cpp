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
#include "win/registry.h"
#include "win/whole_text.h"

namespace qm {
namespace {

constexpr std::size_t kNoFile = static_cast<std::size_t>(-1);

// Whether the folder of `path` (its file name starting at `fileAt`) is the current folder.
bool inCurrentFolder(const WideText& path, std::size_t fileAt) {
    if (fileAt == kNoFile) return false;
    const std::optional<WideText> current =
        wholeText([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
    if (!current) return true;  // unknown: counted as the current folder
    std::size_t folderLength = fileAt, currentLength = current->size() - 1;
    while (folderLength > 0 && path[folderLength - 1] == L'\\') --folderLength;
    while (currentLength > 0 && (*current)[currentLength - 1] == L'\\') --currentLength;
    return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, path.data(), static_cast<int>(folderLength),
                          current->data(), static_cast<int>(currentLength)) == CSTR_EQUAL;
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
    std::size_t fileAt = kNoFile;
    const std::optional<WideText> path = wholeText([&](wchar_t* buffer, DWORD size) {
        wchar_t* filePart = nullptr;
        const DWORD length = SearchPathW(nullptr, wideName.data(), L".exe", size, buffer, &filePart);
        fileAt = filePart ? static_cast<std::size_t>(filePart - buffer) : kNoFile;
        return length;
    });
    if (!path || path->size() <= 1) return false;
    const DWORD attributes = GetFileAttributesW(path->data());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    if (!NeedCurrentDirectoryForExePathW(wideName.data()) && inCurrentFolder(*path, fileAt))
        return runsInInterpreterByName(name).has_value();
    return true;
}

// Whether the command interpreter turns on delayed expansion by default: its DelayedExpansion
// value in the registry, the user's or the machine's.
bool delayedExpansionByDefault() {
    // The user's value overrides the machine's; either one that turns it on counts.
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
        if (registryDword(root, L"Software\\Microsoft\\Command Processor", L"DelayedExpansion").value_or(0) != 0)
            return true;
    return false;
}

// Whether the current folder holds a file that the command interpreter, looking up a program
// by this name (one without a folder), would take: the name itself, or the name with one of
// the extensions it tries (PATHEXT, or ".COM;.EXE;.BAT;.CMD" without one); a folder is none.
bool interpreterFindsInCurrentFolder(const std::u16string& name) {
    const std::optional<WideText> pathext =
        wholeText([](wchar_t* buffer, DWORD size) { return GetEnvironmentVariableW(L"PATHEXT", buffer, size); });
    const std::u16string extensions = pathext ? fromWide(pathext->data(), pathext->size() - 1) : u".COM;.EXE;.BAT;.CMD";
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

Refusal startLaunch(RunList& list, std::u16string_view selectedName, const AppTable* table, bool clearChecked) {
    // Once for the whole launch, held from the program's search for the check to the start:
    // both search alike.
    const ExeSearchWithoutCurrentFolder search;
    if (!search.active()) return Refusal::SearchTakesCurrentFolder;
    const LaunchPlan plan = planLaunch(list, selectedName, table, clearChecked, false, systemCodePage(), programFound);
    // Every check once: the lengths, and where the interpreter reads the line, its reading
    // (the registry asked only then) and the current folder.
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
