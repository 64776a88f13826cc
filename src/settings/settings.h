// The settings file through the platform's profile functions. A Settings object is made for
// one batch of reads or writes and bound to the file's path; each operation goes to the file
// at once, and the object's end flushes the platform's cached copy of the file.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "settings/apptable.h"
#include "text/codepage.h"

namespace qm {

// The buffers the profile functions fill: one value, and a list of names.
inline constexpr unsigned kValueBufferSize = 2048;
inline constexpr unsigned kNameListBufferSize = 16384;

class Settings {
public:
    explicit Settings(std::string path) : path_(std::move(path)) {}
    ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    const std::string& path() const { return path_; }

    // True when the path names an existing file; a directory of that name does not count.
    bool exists() const;

    // A key's value, at most kValueBufferSize - 1 bytes (longer ones are cut); missing keys
    // read as "".
    std::string readText(const std::string& section, const std::string& key) const;
    // The value read as parseIniInt and parseIniBool read it.
    int readInt(const std::string& section, const std::string& key, int defaultValue) const;
    bool readBool(const std::string& section, const std::string& key, bool defaultValue) const;

    // Throw AppError "<path> に書き込めません" when the platform refuses the write.
    void writeText(const std::string& section, const std::string& key, const std::string& value);
    void writeInt(const std::string& section, const std::string& key, int value);
    void writeBool(const std::string& section, const std::string& key, bool value);

    // Every section name, in file order (as much as kNameListBufferSize bytes hold).
    std::vector<std::string> sectionNames() const;
    // Empties `out`, then appends key "=" value for each key of `section`: the key names in
    // file order (as much as kNameListBufferSize bytes hold), then each key's value read by
    // its name.
    void sectionEntries(const std::string& section, std::vector<std::string>& out) const;

private:
    std::string path_;
};

// The application table, when the file has a section "app" (compared ignoring case).
std::optional<AppTable> loadAppTable(Settings& settings, const CodePage& cp);

}  // namespace qm
