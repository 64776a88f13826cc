// What a rewrite of the settings file keeps beside it while it writes the file itself
// (settings/file_bytes.h): the text the file held when the rewrite began and the new text,
// behind a small header of the tool's own. The next read puts the new text in place only
// while the file still holds that old text or a partly written copy of the new one; a file
// edited since is left as it is. No system calls here.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qm {

// The record's bytes: the header "QMPEND1" and a NUL, the old text's and the new text's
// lengths (4 bytes each, least significant first), then the old text and the new text.
std::string pendingRecord(std::string_view old, std::string_view now);

struct PendingTexts {
    std::string_view old, now;  // views into the record's bytes
};

// The two texts of a whole record; nothing for bytes that are not one (another header, a
// record cut short or with bytes after it).
std::optional<PendingTexts> readPendingRecord(std::string_view bytes);

// Whether `file` is what a rewrite from `old` to `now` can have left in the file: each byte
// that of the new text or of the old one at its place, and the length the old text's, the
// new text's, or between them where the new text is the longer. The old text whole and the
// new text whole are such files; so is the new text written over part of the old one, with
// or without the old text's rest after it.
bool holdsOldOrPartOfNew(std::string_view file, const PendingTexts& texts);

}  // namespace qm
