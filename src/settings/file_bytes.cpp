#include "settings/file_bytes.h"

#include "settings/ini_form.h"
#include "settings/pending.h"
#include "text/textrules.h"
#include "text/texts.h"
#include "win/file.h"

namespace qm {

namespace {

constexpr char16_t kPartSuffix[] = u".qm-part";            // the record while it is being written
constexpr char16_t kNewSuffix[] = u".qm-new";              // the record, whole
constexpr char16_t kUnappliedSuffix[] = u".qm-unapplied";  // a new text the file no longer fitted

// `bytes` over the file's text from its start, what was beyond them cut off, on the disk.
bool overwrite(const ScopedFile& file, std::string_view bytes) {
    return file.rewind() && file.write(bytes) && file.endHere() && file.flush();
}

// A file of the tool's own named `path`, made new with exactly `bytes` (on the disk when this
// is true). What stands at the name goes first when it is the tool's own; anything else there
// is left as it is and named in `foreign`. `keep` bytes only, when given, as if killed there.
bool makeOwnFile(const std::u16string& path, std::string_view bytes, std::u16string& foreign,
                 std::size_t keep = std::string_view::npos) {
    switch (nameHolds(path)) {
        case NameHolds::nothing:
            break;
        case NameHolds::ownFile:
            if (!deleteOwnFile(path)) return false;
            break;
        case NameHolds::folder:
            return false;
        case NameHolds::another:
            foreign = path;
            return false;
    }
    const ScopedFile file(path, FileOpening::New);
    if (!file.opened()) {
        // Something the system does not show by name: a link to nothing.
        const DWORD error = file.openError();
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) foreign = path;
        return false;
    }
    if (!file.soleName(path)) {
        foreign = path;
        return false;
    }
    if (keep != std::string_view::npos) {
        file.write(bytes.substr(0, keep));
        return false;
    }
    if (file.write(bytes) && file.flush()) return true;
    file.deleteWhenClosed();
    return false;
}

}  // namespace

std::optional<std::string> readFileBytes(const std::u16string& path) {
    const ScopedFile file(path, FileOpening::Read);
    if (!file.opened()) {
        const DWORD error = file.openError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::string();
        return std::nullopt;
    }
    return file.readAll();
}

bool writeNewFile(const std::u16string& path, std::string_view bytes) {
    const ScopedFile file(path, FileOpening::Replace);
    return file.opened() && file.write(bytes) && file.flush();
}

bool rewriteInPlace(const std::u16string& path, std::string_view old, std::string_view bytes, std::u16string& foreign,
                    RewriteStop stop) {
    const ScopedFile file(path, FileOpening::Write);
    if (!file.opened()) return false;
    const std::u16string part = path + kPartSuffix, whole = path + kNewSuffix;
    // The name the record is renamed to must be free for it too, before anything is made.
    switch (nameHolds(whole)) {
        case NameHolds::folder:
            return false;
        case NameHolds::another:
            foreign = whole;
            return false;
        default:
            break;
    }
    const std::string record = pendingRecord(old, bytes);
    if (stop.after == RewriteStep::partWritten) return makeOwnFile(part, record, foreign, stop.bytes);
    if (!makeOwnFile(part, record, foreign)) return false;
    if (!moveFileReplacing(part, whole)) {
        deleteOwnFile(part);
        return false;
    }
    if (stop.after == RewriteStep::newInPlace) return false;
    if (stop.after == RewriteStep::fileWritten) {
        if (file.rewind()) file.write(bytes.substr(0, stop.bytes));
        return false;
    }
    const bool written = overwrite(file, bytes);
    if (stop.after == RewriteStep::fileCut) return false;
    // A write that failed on the way gets the old text back, which fitted where it stood.
    if (written || overwrite(file, old)) deleteOwnFile(whole);
    return written;
}

std::u16string finishRewrite(const std::u16string& path, bool systemUtf8) {
    const std::u16string whole = path + kNewSuffix;
    std::optional<std::string> record;
    switch (nameHolds(whole)) {
        case NameHolds::nothing:
            return std::u16string();  // the usual case
        case NameHolds::ownFile: {
            const ScopedFile file(whole, FileOpening::Here);
            if (file.soleName(whole)) record = file.readAll();
            if (!record) return std::u16string();  // not readable now: it waits for a later read
            break;
        }
        case NameHolds::folder:
        case NameHolds::another:
            return formatMessage(texts::kErrSideFileNotOwn, whole);
    }
    if (!pathExists(path)) return std::u16string();  // no settings file: nothing to finish
    const std::optional<std::string> current = readFileBytes(path);
    if (!current) return std::u16string();

    const std::optional<PendingTexts> texts = readPendingRecord(*record);
    if (texts && holdsOldOrPartOfNew(*current, *texts)) {
        const ScopedFile file(path, FileOpening::Write);
        if (!file.opened() || !overwrite(file, texts->now)) return std::u16string();  // waits for a later read
        deleteOwnFile(whole);
        deleteOwnFile(path + kPartSuffix);
        return std::u16string();
    }
    // The file is not what the cut-short rewrite left: edited since, or another file.
    if (!rewrittenBeside(recogniseIniForm(*current, systemUtf8)))
        return formatMessage(texts::kErrSideFileOtherForm, whole);
    const std::u16string aside = path + kUnappliedSuffix;
    std::u16string foreign;
    if (!makeOwnFile(aside, texts ? texts->now : std::string_view(*record), foreign))
        return foreign.empty() ? std::u16string() : formatMessage(texts::kErrSideFileNotOwn, foreign);
    deleteOwnFile(whole);
    deleteOwnFile(path + kPartSuffix);
    return formatMessage(texts::kErrPendingKeptAside, aside);
}

}  // namespace qm
