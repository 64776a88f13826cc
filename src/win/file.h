// Files by their UTF-16 names: an owner of an open file with the few operations the tool
// makes on one, and the calls on a name (rename, delete, is it there). Each is one call of
// the system's W functions; what it answers is passed on as it stands.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace qm {

// How a file is opened: CreateFileW's access, sharing and disposition, together.
enum class FileOpening {
    Read,     // an existing file, for reading; others may read, write and delete it meanwhile
    Write,    // an existing file (through a symbolic link to it), for writing; others may go on
              // reading it
    Replace,  // a file made anew (or emptied first), for writing; no one else may open it
              // while it is open
    Here,     // an existing file, or a link itself (never followed where the system can
              // tell), for reading and deleting; others may do anything meanwhile
    New,      // a file made new where no file or link of the name stands (CREATE_NEW, a link
              // not followed), for writing and deleting; no one else may open it meanwhile
};

// A file opened by CreateFileW, closed when it goes.
class ScopedFile {
public:
    ScopedFile(const std::u16string& path, FileOpening opening);
    ~ScopedFile();
    ScopedFile(const ScopedFile&) = delete;
    ScopedFile& operator=(const ScopedFile&) = delete;

    bool opened() const { return h_ != INVALID_HANDLE_VALUE; }
    // Why the file could not be opened (GetLastError right after CreateFileW); 0 when it was.
    DWORD openError() const { return openError_; }

    // The bytes from the start of the file to its end, as many as there are when it is read
    // (a file that shrinks meanwhile gives what it still has); nothing when a read fails or
    // the file holds 2 GiB or more.
    std::optional<std::string> readAll() const;
    // `bytes` at the file position, every one of them written (WriteFile).
    bool write(std::string_view bytes) const;
    // The file position back to the start (SetFilePointerEx).
    bool rewind() const;
    // The file ends at the file position (SetEndOfFile).
    bool endHere() const;
    // What was written is on the disk (FlushFileBuffers).
    bool flush() const;
    // The open file is a plain file that `path` names itself and no other name leads to: no
    // folder, no reparse point (a link opened as itself), one link, and the system's own
    // name of the open file is `path` in its folder. Wine opens a Unix symbolic link as the
    // file it points to and names that file; Windows opens the link itself.
    bool soleName(const std::u16string& path) const;
    // The file goes when its last handle closes (FileDispositionInfo); Here and New only.
    bool deleteWhenClosed() const;

private:
    HANDLE h_;
    DWORD openError_ = 0;
};

// MoveFileExW that replaces a file of the new name and returns once the move is on the disk.
bool moveFileReplacing(const std::u16string& from, const std::u16string& to);
// DeleteFileW; whether the file is gone because of it.
bool deleteFile(const std::u16string& path);
// What stands at a name, as a file the tool makes beside its settings file finds it.
enum class NameHolds {
    nothing,  // no file, folder or link the system sees
    ownFile,  // a plain file with that one name (ScopedFile::soleName)
    folder,   // a folder (not a link to one)
    another,  // a link, a file with other names, or one that cannot be opened
};
NameHolds nameHolds(const std::u16string& path);
// The file of the name deleted, only while it is a plain file with that one name; true when
// it is gone because of this, or there was nothing. A link stays, its target too.
bool deleteOwnFile(const std::u16string& path);
// GetFileAttributesW answers for the name: a file or a folder of that name is there.
bool pathExists(const std::u16string& path);
// FindFirstFileW finds a file (not a folder) of this name, whatever its attributes and
// whether or not it may be opened.
bool fileFound(const std::u16string& path);
// A new empty file of the tool's own in the user's temporary folder (GetTempPathW,
// GetTempFileNameW); empty when none could be made.
std::u16string newTemporaryFile();

}  // namespace qm
