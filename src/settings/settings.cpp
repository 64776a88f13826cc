#include "settings/settings.h"

#include <windows.h>

#include "settings/values.h"
#include "text/error.h"
#include "text/texts.h"
#include "text/textrules.h"

namespace qm {

namespace {

constexpr DWORD kTextBufferSize = 2048;    // a value is seen with at most 2047 bytes
constexpr DWORD kListBufferSize = 16384;  // section and key name lists

class FindHandle {
public:
    explicit FindHandle(HANDLE h) : h_(h) {}
    ~FindHandle() {
        if (valid()) FindClose(h_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE h_;
};

// A name list (null section: section names; null key: a section's key names).
std::vector<std::string> readNameList(const char* section, const std::string& path) {
    std::vector<char> buffer(kListBufferSize, '\0');
    const DWORD got =
        GetPrivateProfileStringA(section, nullptr, "", buffer.data(), kListBufferSize, path.c_str());
    return splitNameList(buffer.data(), got, buffer.size());
}

// A section's lines, each NUL-terminated, in as large a buffer as they need.
std::vector<char> readSectionLines(const std::string& section, const std::string& path) {
    std::vector<char> buffer(kListBufferSize);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD got = GetPrivateProfileSectionA(section.c_str(), buffer.data(), size, path.c_str());
        if (got + 2 < size) {  // a full buffer answers size - 2
            buffer.resize(got);
            return buffer;
        }
        buffer.resize(buffer.size() * 4);
    }
}

// A section's entries when its lines are plain (plainSectionEntries), in one profile call.
std::optional<std::vector<std::string>> readPlainSection(const std::string& section, const std::string& path) {
    const std::vector<char> lines = readSectionLines(section, path);
    return plainSectionEntries(lines.data(), lines.size());
}

}  // namespace

Settings::~Settings() { WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str()); }

bool Settings::exists() const {
    WIN32_FIND_DATAA data;
    const FindHandle find(FindFirstFileA(path_.c_str(), &data));
    return find.valid() && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string Settings::readText(const std::string& section, const std::string& key) const {
    std::vector<char> buffer(kTextBufferSize, '\0');
    DWORD got = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(), kTextBufferSize,
                                         path_.c_str());
    if (got > kTextBufferSize - 1) got = kTextBufferSize - 1;
    // A value holds no NUL; stop at one should the call have filled less than it says.
    std::size_t length = 0;
    while (length < got && buffer[length] != '\0') ++length;
    return std::string(buffer.data(), length);
}

void Settings::writeText(const std::string& section, const std::string& key, const std::string& value) {
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path_.c_str()))
        throw AppError(formatMessage(texts::kErrCannotWrite, path_));
}

void Settings::writeInt(const std::string& section, const std::string& key, int value) {
    writeText(section, key, formatIniInt(value));
}

void Settings::writeBool(const std::string& section, const std::string& key, bool value) {
    writeText(section, key, formatIniBool(value));
}

std::vector<std::string> Settings::sectionNames() const { return readNameList(nullptr, path_); }

// One read of the whole section where its lines are plain, key by key otherwise: read key by
// key, every start would pay one profile call per application.
void Settings::sectionEntries(const std::string& section, std::vector<std::string>& out) const {
    out.clear();
    if (std::optional<std::vector<std::string>> entries = readPlainSection(section, path_)) {
        out = std::move(*entries);
        return;
    }
    for (const std::string& key : readNameList(section.c_str(), path_))
        out.push_back(sectionEntry(key, readText(section, key)));
}

SectionReader::SectionReader(const Settings& settings, std::string section)
    : settings_(settings), section_(std::move(section)), plain_(readPlainSection(section_, settings_.path())) {}

std::string SectionReader::readText(const std::string& key) const {
    return plain_ ? plainEntryValue(*plain_, key) : settings_.readText(section_, key);
}

int SectionReader::readInt(const std::string& key, int defaultValue) const {
    return parseIniInt(readText(key), defaultValue);
}

bool SectionReader::readBool(const std::string& key, bool defaultValue) const {
    return parseIniBool(readText(key), defaultValue);
}

std::optional<AppTable> loadAppTable(Settings& settings, const CodePage& cp) {
    return buildAppTable(settings.sectionNames(), cp,
                         [&settings](std::vector<std::string>& out) { settings.sectionEntries(kAppSection, out); });
}

}  // namespace qm
