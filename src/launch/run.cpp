#include "launch/run.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "launch/interpreter.h"
#include "launch/process.h"
#include "text/codepage.h"
#include "text/error.h"
#include "text/textrules.h"
#include "text/utf16.h"
#include "win/registry.h"
#include "win/scoped.h"
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

// A folder as the file system knows it: its volume and its file index.
struct FolderIdentity {
    DWORD volume = 0, indexHigh = 0, indexLow = 0;
    bool operator==(const FolderIdentity& o) const {
        return volume == o.volume && indexHigh == o.indexHigh && indexLow == o.indexLow;
    }
};

std::optional<FolderIdentity> folderIdentity(const WideText& path) {
    // A folder opens only with FILE_FLAG_BACKUP_SEMANTICS; no access is asked for, and no one
    // else's is stood in the way of.
    const ScopedHandle folder(CreateFileW(path.data(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (folder.get() == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(folder.get(), &info) ||
        !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return FolderIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

// Whether the current folder is the tool's own, the folder its executable stands in, as the
// file system sees them (the same folder whatever its name's spelling: another case, a short
// name, a link to it). Whoever may put a file there may as well change the tool itself or its
// settings, so a program the interpreter finds there is no stranger's. Unknown: no.
bool currentFolderIsToolsFolder() {
    const std::optional<WideText> exe =
        wholeText([](wchar_t* buffer, DWORD size) { return GetModuleFileNameW(nullptr, buffer, size); });
    const std::optional<WideText> current =
        wholeText([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
    if (!exe || !current) return false;
    const std::u16string exePath = fromWide(exe->data(), exe->size() - 1);
    const std::size_t file = fileNameStart(exePath);
    if (file == 0) return false;
    const std::optional<FolderIdentity> own = folderIdentity(nulTerminated(exePath.substr(0, file)));
    const std::optional<FolderIdentity> here = folderIdentity(*current);
    return own && here && *own == *here;
}

}  // namespace

Refusal startLaunch(RunList& list, std::u16string_view selectedName, const AppTable* table, bool clearChecked,
                    std::u16string* found) {
    // Once for the whole launch, held from the program's search for the check to the start:
    // both search alike.
    const ExeSearchWithoutCurrentFolder search;
    const LaunchPlan plan = planLaunch(list, selectedName, table, clearChecked, false, systemCodePage(), programFound);
    // A program named with its full path is searched for nowhere: it starts without the setting.
    if (!search.active() && !programNamedWithFullPath(plan.commandLine.line)) return Refusal::SearchTakesCurrentFolder;
    // Every check once: the lengths, and where the interpreter reads the line, its reading
    // (the registry asked only then) and the current folder, unless that is the tool's own.
    const bool delayed = plan.interpreter && delayedExpansionByDefault();
    std::optional<bool> ownFolder;
    const CurrentFolderFinder stranger = [&ownFolder](const std::u16string& name) {
        if (!ownFolder) ownFolder = currentFolderIsToolsFolder();
        return !*ownFolder && interpreterFindsInCurrentFolder(name);
    };
    const Refusal refusal = refusalOf(plan, delayed, stranger, found);
    if (refusal != Refusal::None) return refusal;
    if (!startProcessOwned(plan.commandLine.line, search).started()) return Refusal::StartFailed;
    if (plan.clearList) removeAll(list);
    return Refusal::None;
}

bool launchFromRunList(RunList& list, std::u16string_view selectedName, const AppTable* table, bool clearChecked,
                       bool quitChecked) {
    std::u16string found;
    const Refusal refusal = startLaunch(list, selectedName, table, clearChecked, &found);
    if (refusal != Refusal::None) throw AppError(cannotStartText(selectedName, refusal, found));
    return quitChecked;
}

}  // namespace qm
