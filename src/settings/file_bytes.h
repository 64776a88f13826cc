// The settings file's bytes: read whole, and written back into the file itself. A rewrite
// never puts a new file in the file's place, so the file stays the file it was: its other
// names (hard links) and the target of a symbolic link to it see the new text, and its
// attributes, security (ACL, owner) and streams stay as they are. So that a rewrite cut short
// (the tool killed, the machine stopped) loses nothing, the new text first stands complete
// beside the file, together with the text the file held (settings/pending.h):
//   1. the file is opened for writing; a read-only or held file is refused here, before
//      anything is made;
//   2. the record goes into "<file>.qm-part", a file made new, and to the disk;
//   3. that file is renamed "<file>.qm-new": from here on the new text stands there whole;
//   4. the new text is written over the file's own, the rest cut off, and goes to the disk;
//   5. "<file>.qm-new" is deleted.
// Cut short before step 3, the file holds its old text (a "<file>.qm-part" may remain, which
// the next rewrite replaces); from step 3 to 5 it holds its old text, part of the new one or
// all of it, and finishRewrite puts the new text in place when the settings are next read.
//
// The files beside the settings file are the tool's alone: one is made new (what stands at
// its name is deleted first, never opened for writing), and is written, read, renamed or
// deleted only while it is a plain file with that one name (win/file.h: a link, a file with
// other names or a folder is left as it is).
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

// Where a rewrite stops as if the tool were killed there (nothing after it runs, no clean-up):
// after the first `bytes` of the record went into "<file>.qm-part"; after the rename; after
// the first `bytes` of the new text went over the file's own; after the file was cut to the
// new text, before "<file>.qm-new" goes. For the tests of what the next read makes of it.
enum class RewriteStep { none, partWritten, newInPlace, fileWritten, fileCut };
struct RewriteStop {
    RewriteStep after = RewriteStep::none;
    std::size_t bytes = 0;
};

// Steps 1 to 5: `bytes` in place of the file's text `old`. False when the file cannot be
// opened for writing or a step fails: the file then holds `old` and nothing is left beside
// it, unless giving `old` back failed too, when "<file>.qm-new" stays for finishRewrite.
// A side file's name held by something not the tool's own (a link, a file with other names)
// fails the rewrite before the file is touched; `foreign` then names it.
bool rewriteInPlace(const std::u16string& path, std::string_view old, std::string_view bytes, std::u16string& foreign,
                    RewriteStop stop = {});

// Completes a rewrite that was cut short after step 3: the new text in "<file>.qm-new" goes
// into the file while the file holds the text the rewrite began from or part of the new one.
// A file changed since stays as it is: the new text is kept aside in "<file>.qm-unapplied"
// (never put into a file of a form that is not rewritten this way, `systemUtf8` as
// recogniseIniForm takes it: "<file>.qm-new" then stays). When the file cannot be written
// now, the text waits there for a later read. Gives the notice that says what was found and
// left (empty when there is none): a side file not the tool's own, or the text kept aside.
std::u16string finishRewrite(const std::u16string& path, bool systemUtf8);

}  // namespace qm
