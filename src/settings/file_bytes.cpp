#include "settings/file_bytes.h"

#include <windows.h>

#include "text/utf16.h"
#include "win/scoped.h"

namespace qm {

namespace {

constexpr char16_t kPartSuffix[] = u".qm-part";  // the new text while it is being written
constexpr char16_t kNewSuffix[] = u".qm-new";    // the new text, whole

// The file itself for writing, through a symbolic link to it; others may go on reading it.
ScopedHandle openForWriting(const std::u16string& path) {
    return ScopedHandle(CreateFileW(nulTerminated(path).data(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool writeAll(HANDLE file, std::string_view bytes) {
    DWORD n = 0;
    return bytes.empty() ||
           (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr) && n == bytes.size());
}

// `bytes` over the file's text from its start, what was beyond them cut off, on the disk.
bool overwrite(HANDLE file, std::string_view bytes) {
    const LARGE_INTEGER start{};
    return SetFilePointerEx(file, start, nullptr, FILE_BEGIN) && writeAll(file, bytes) && SetEndOfFile(file) &&
           FlushFileBuffers(file);
}

}  // namespace

std::optional<std::string> readFileBytes(const std::u16string& path) {
    const ScopedHandle file(CreateFileW(nulTerminated(path).data(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::string();
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD n = 0;
        if (!ReadFile(file.get(), &bytes[done], static_cast<DWORD>(bytes.size() - done), &n, nullptr))
            return std::nullopt;
        if (n == 0) break;  // shorter than it was a moment ago
        done += n;
    }
    bytes.resize(done);
    return bytes;
}

bool writeNewFile(const std::u16string& path, std::string_view bytes) {
    const ScopedHandle file(CreateFileW(nulTerminated(path).data(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.get() != INVALID_HANDLE_VALUE && writeAll(file.get(), bytes) && FlushFileBuffers(file.get());
}

bool rewriteInPlace(const std::u16string& path, std::string_view old, std::string_view bytes) {
    const ScopedHandle file = openForWriting(path);
    if (file.get() == INVALID_HANDLE_VALUE) return false;
    const std::u16string part = path + kPartSuffix, whole = path + kNewSuffix;
    const WideText partName = nulTerminated(part), wholeName = nulTerminated(whole);
    if (!writeNewFile(part, bytes) ||
        !MoveFileExW(partName.data(), wholeName.data(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(partName.data());
        return false;
    }
    const bool written = overwrite(file.get(), bytes);
    // A write that failed on the way gets the old text back, which fitted where it stood.
    if (written || overwrite(file.get(), old)) DeleteFileW(wholeName.data());
    return written;
}

void finishRewrite(const std::u16string& path) {
    const std::u16string whole = path + kNewSuffix;
    const WideText wholeName = nulTerminated(whole);
    if (GetFileAttributesW(wholeName.data()) == INVALID_FILE_ATTRIBUTES) return;  // the usual case: none
    const std::optional<std::string> bytes = readFileBytes(whole);
    const ScopedHandle file = openForWriting(path);
    if (!bytes || file.get() == INVALID_HANDLE_VALUE || !overwrite(file.get(), *bytes)) return;
    DeleteFileW(wholeName.data());
    DeleteFileW(nulTerminated(path + kPartSuffix).data());
}

}  // namespace qm
