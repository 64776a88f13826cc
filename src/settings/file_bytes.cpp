#include "settings/file_bytes.h"

#include "win/file.h"

namespace qm {

namespace {

constexpr char16_t kPartSuffix[] = u".qm-part";  // the new text while it is being written
constexpr char16_t kNewSuffix[] = u".qm-new";    // the new text, whole

// `bytes` over the file's text from its start, what was beyond them cut off, on the disk.
bool overwrite(const ScopedFile& file, std::string_view bytes) {
    return file.rewind() && file.write(bytes) && file.endHere() && file.flush();
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

bool rewriteInPlace(const std::u16string& path, std::string_view old, std::string_view bytes) {
    const ScopedFile file(path, FileOpening::Write);
    if (!file.opened()) return false;
    const std::u16string part = path + kPartSuffix, whole = path + kNewSuffix;
    if (!writeNewFile(part, bytes) || !moveFileReplacing(part, whole)) {
        deleteFile(part);
        return false;
    }
    const bool written = overwrite(file, bytes);
    // A write that failed on the way gets the old text back, which fitted where it stood.
    if (written || overwrite(file, old)) deleteFile(whole);
    return written;
}

void finishRewrite(const std::u16string& path) {
    const std::u16string whole = path + kNewSuffix;
    if (!pathExists(whole)) return;  // the usual case: none
    const std::optional<std::string> bytes = readFileBytes(whole);
    const ScopedFile file(path, FileOpening::Write);
    if (!bytes || !file.opened() || !overwrite(file, *bytes)) return;
    deleteFile(whole);
    deleteFile(path + kPartSuffix);
}

}  // namespace qm
