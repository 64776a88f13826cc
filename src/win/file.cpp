#include "win/file.h"

#include "text/utf16.h"
#include "win/scoped.h"

namespace qm {

namespace {

struct Opening {
    DWORD access, sharing, disposition;
};

Opening openingOf(FileOpening opening) {
    switch (opening) {
        case FileOpening::Read:
            return {GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING};
        case FileOpening::Write:
            return {GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING};
        case FileOpening::Here:
            return {GENERIC_READ | DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING};
        case FileOpening::New:
            return {GENERIC_WRITE | DELETE, 0, CREATE_NEW};
        case FileOpening::Replace:
            break;
    }
    return {GENERIC_WRITE, 0, CREATE_ALWAYS};
}

// The name the system gives an open file or folder (GetFinalPathNameByHandleW), links
// resolved; empty when it gives none.
WideText finalName(HANDLE h) {
    WideText name(MAX_PATH + 1, L'\0');
    for (;;) {
        const DWORD n =
            GetFinalPathNameByHandleW(h, name.data(), static_cast<DWORD>(name.size()), FILE_NAME_NORMALIZED);
        if (n < name.size()) {
            name.resize(n);
            return name;
        }
        name.assign(n + 1, L'\0');
    }
}

}  // namespace

ScopedFile::ScopedFile(const std::u16string& path, FileOpening opening) {
    const Opening o = openingOf(opening);
    const bool itself = opening == FileOpening::Here || opening == FileOpening::New;
    h_ = CreateFileW(nulTerminated(path).data(), o.access, o.sharing, nullptr, o.disposition,
                     itself ? FILE_FLAG_OPEN_REPARSE_POINT : FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h_ == INVALID_HANDLE_VALUE) openError_ = GetLastError();
}

ScopedFile::~ScopedFile() {
    if (opened()) CloseHandle(h_);
}

std::optional<std::string> ScopedFile::readAll() const {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h_, &size) || size.QuadPart > 0x7FFFFFFF) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD n = 0;
        if (!ReadFile(h_, &bytes[done], static_cast<DWORD>(bytes.size() - done), &n, nullptr)) return std::nullopt;
        if (n == 0) break;  // shorter than it was a moment ago
        done += n;
    }
    bytes.resize(done);
    return bytes;
}

bool ScopedFile::write(std::string_view bytes) const {
    DWORD n = 0;
    return bytes.empty() ||
           (WriteFile(h_, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr) && n == bytes.size());
}

bool ScopedFile::rewind() const {
    const LARGE_INTEGER start{};
    return SetFilePointerEx(h_, start, nullptr, FILE_BEGIN) != FALSE;
}

bool ScopedFile::endHere() const {
    return SetEndOfFile(h_) != FALSE;
}

bool ScopedFile::flush() const {
    return FlushFileBuffers(h_) != FALSE;
}

bool ScopedFile::soleName(const std::u16string& path) const {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!opened() || !GetFileInformationByHandle(h_, &info)) return false;
    if ((info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) return false;
    if (info.nNumberOfLinks != 1) return false;
    const std::size_t cut = path.find_last_of(u'\\') + 1;
    if (cut == 0) return false;
    WideText expected = nulTerminated(path);
    expected[cut] = L'\0';  // the folder, with its "\"
    const ScopedHandle folder(CreateFileW(expected.data(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder || folder.get() == INVALID_HANDLE_VALUE) return false;
    expected = finalName(folder.get());
    if (expected.empty()) return false;
    if (expected.back() != L'\\') expected.push_back(L'\\');
    expected.insert(expected.end(), path.begin() + static_cast<std::ptrdiff_t>(cut), path.end());
    const WideText name = finalName(h_);
    return CompareStringOrdinal(name.data(), static_cast<int>(name.size()), expected.data(),
                                static_cast<int>(expected.size()), TRUE) == CSTR_EQUAL;
}

bool ScopedFile::deleteWhenClosed() const {
    FILE_DISPOSITION_INFO disposition{TRUE};
    return opened() && SetFileInformationByHandle(h_, FileDispositionInfo, &disposition, sizeof disposition) != FALSE;
}

NameHolds nameHolds(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(nulTerminated(path).data());
    if (attributes == INVALID_FILE_ATTRIBUTES) return NameHolds::nothing;
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == FILE_ATTRIBUTE_DIRECTORY)
        return NameHolds::folder;
    const ScopedFile file(path, FileOpening::Here);
    return file.soleName(path) ? NameHolds::ownFile : NameHolds::another;
}

bool deleteOwnFile(const std::u16string& path) {
    if (!pathExists(path)) return true;
    const ScopedFile file(path, FileOpening::Here);
    return file.soleName(path) && file.deleteWhenClosed();
}

bool moveFileReplacing(const std::u16string& from, const std::u16string& to) {
    return MoveFileExW(nulTerminated(from).data(), nulTerminated(to).data(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool deleteFile(const std::u16string& path) {
    return DeleteFileW(nulTerminated(path).data()) != FALSE;
}

bool pathExists(const std::u16string& path) {
    return GetFileAttributesW(nulTerminated(path).data()) != INVALID_FILE_ATTRIBUTES;
}

bool fileFound(const std::u16string& path) {
    WIN32_FIND_DATAW data;
    const ScopedFind find(FindFirstFileW(nulTerminated(path).data(), &data));
    return find.valid() && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::u16string newTemporaryFile() {
    WideText folder(MAX_PATH + 1, L'\0');
    const DWORD n = GetTempPathW(static_cast<DWORD>(folder.size()), folder.data());
    if (n == 0 || n >= folder.size()) return std::u16string();
    WideText name(MAX_PATH + 1, L'\0');
    if (GetTempFileNameW(folder.data(), L"qm", 0, name.data()) == 0) return std::u16string();
    return fromWide(name.data());
}

}  // namespace qm
