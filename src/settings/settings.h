// The settings file through the platform's profile functions (their W forms). A Settings
// object is made for one batch of reads or writes and bound to the file's path; it reads the
// file's bytes when it is made, and their form (settings/ini_form.h) decides how the batch
// goes:
// - the system's code page (932, 1252 ...) and UTF-16 with its mark: the profile functions
//   read and write the file itself, as they read and write these forms;
// - UTF-8, with or without its mark, which the profile functions would take for the code
//   page, and code page 932 where the system's code page is UTF-8 (which such a file cannot
//   be in): its exact UTF-16 form goes into a private copy, which the profile functions read
//   and write; commit() writes the copy back into the file in the file's own form when the
//   writes changed it (settings/file_bytes.h: the file stays the file it was).
// Before anything reads the file, a rewrite that was cut short is completed
// (finishRewrite); what that found beside the file and left is the object's notice.
// Each operation goes to the (private or own) file at once, and the object's end flushes the
// platform's cached copy of it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/apptable.h"
#include "settings/ini_form.h"
#include "settings/sections.h"
#include "text/codepage.h"

namespace qm {

// The buffers the profile functions fill at first: one value, and a list of names. A value or
// list that does not fit is read again into a buffer twice as large, until it fits.
inline constexpr unsigned kValueBufferSize = 2048;
inline constexpr unsigned kNameListBufferSize = 16384;

class Settings {
public:
    explicit Settings(std::u16string path);
    ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    // True when the path names an existing file; a directory of that name does not count.
    bool exists() const;
    // The form the file had when the object was made.
    IniForm form() const { return form_; }
    // What completing a rewrite cut short found beside the file and left as it was, as the
    // error box says it; empty when there was nothing.
    const std::u16string& notice() const { return notice_; }

    // A key's value, whole; missing keys read as "".
    std::u16string readText(std::u16string_view section, std::u16string_view key) const;
    // The value, read in UTF-16, as parseIniInt and parseIniBool (settings/values.h) read
    // it, with the key's default (a boolean's is true when it is not 0).
    int readInt(const IniKey& key) const;
    bool readBool(const IniKey& key) const;

    // Throw AppError "<path> に書き込めません" when the platform refuses the write, and
    // before any write when the file's text cannot be written back the same in its form
    // (bytes that could not be read, UTF-8 that does not decode exactly, a byte that is no
    // character of the code page).
    void writeText(std::u16string_view section, std::u16string_view key, std::u16string_view value);
    void writeInt(const IniKey& key, int value);
    void writeBool(const IniKey& key, bool value);
    // Puts the writes in place; for a file read through a private copy, the copy's exact
    // form (UTF-8 with the mark the file had, or code page 932) is written into the file
    // itself, only when it differs from the bytes read. Throws AppError "<path> に書き込めません"
    // when that is refused or fails; the file then holds its old text. When a file beside it
    // that the rewrite needs is not the tool's own, a second line names it.
    void commit();

    // Every section name, in file order.
    std::vector<std::u16string> sectionNames() const;
    // Empties `out`, then appends key "=" value for each key of `section`: the key names in
    // file order, then each key's value read by its name.
    void sectionEntries(std::u16string_view section, std::vector<std::u16string>& out) const;

private:
    // "<path> に書き込めません", and on a second line the side file in the way, if any.
    [[noreturn]] void refuseWrite(const std::u16string& foreign = std::u16string()) const;

    std::u16string path_;     // the user's file
    std::u16string profile_;  // the file the profile functions use: path_ or the private copy
    std::u16string notice_;   // what finishRewrite found and left
    std::string bytes_;       // the file's bytes when the object was made
    IniForm form_ = IniForm::CodePage;
    bool readable_ = false;  // the bytes were read (or there was no file)
    bool exact_ = true;      // the bytes decode exactly in their form (known once checked)
    bool checked_ = false;   // exact_ is known
    bool copy_ = false;      // profile_ is a private copy
};

// The application table, when the file has a section "app" (compared ignoring case).
std::optional<AppTable> loadAppTable(Settings& settings, const CodePage& cp);

}  // namespace qm
