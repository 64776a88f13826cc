// The settings file's bytes: read whole, and written back into the file itself. A rewrite
// never puts a new file in the file's place, so the file stays the file it was: its other
// names (hard links) and the target of a symbolic link to it see the new text, and its
// attributes, security (ACL, owner) and streams stay as they are. So that a rewrite cut short
// (the tool killed, the machine stopped) loses nothing, the new text first stands complete
// beside the file:
//   1. the file is opened for writing; a read-only or held file is refused here, before
//      anything is made;
//   2. the new text goes into "<file>.qm-part" and to the disk;
//   3. that file is renamed "<file>.qm-new": from here on the new text stands there whole;
//   4. the new text is written over the file's own, the rest cut off, and goes to the disk;
//   5. "<file>.qm-new" is deleted.
// Cut short before step 3, the file holds its old text (a "<file>.qm-part" may remain, which
// the next rewrite replaces); from step 3 to 5 it holds its old text, part of the new one or
// all of it, and finishRewrite puts the new text from "<file>.qm-new" in place when the
// settings are next read.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qm {

// The whole file; nothing when it exists but cannot be read. A file that is not there reads
// as empty.
std::optional<std::string> readFileBytes(const std::u16string& path);

// A file of exactly `bytes`, made anew (or emptied first), on the disk when this is true.
bool writeNewFile(const std::u16string& path, std::string_view bytes);

// Steps 1 to 5: `bytes` in place of the file's text `old`. False when the file cannot be
// opened for writing or a step fails: the file then holds `old` and nothing is left beside
// it, unless giving `old` back failed too, when "<file>.qm-new" stays for finishRewrite.
bool rewriteInPlace(const std::u16string& path, std::string_view old, std::string_view bytes);

// Completes a rewrite that was cut short after step 3: the text in "<file>.qm-new" goes into
// the file. When the file cannot be written now, the text waits there for a later read.
void finishRewrite(const std::u16string& path);

}  // namespace qm
