#include "settings/settings.h"

#include <windows.h>

#include "settings/values.h"
#include "text/error.h"
#include "text/textrules.h"
#include "text/texts.h"
#include "win/scoped.h"

namespace qm {

namespace {

// A name list (null section: section names; null key: a section's key names).
std::vector<std::string> readNameList(const char* section, const std::string& path) {
    std::vector<char> buffer(kNameListBufferSize, '\0');
    const DWORD got = GetPrivateProfileStringA(section, nullptr, "", buffer.data(), kNameListBufferSize, path.c_str());
    return splitNameList(buffer.data(), got, buffer.size());
}

}  // namespace

Settings::~Settings() { WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str()); }

bool Settings::exists() const {
    WIN32_FIND_DATAA data;
    const FindHandle find(FindFirstFileA(path_.c_str(), &data));
    return find.valid() && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string Settings::readText(const std::string& section, const std::string& key) const {
    std::vector<char> buffer(kValueBufferSize, '\0');
    DWORD got =
        GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(), kValueBufferSize, path_.c_str());
    if (got > kValueBufferSize - 1) got = kValueBufferSize - 1;
    // A value holds no NUL; stop at one should the call have filled less than it says.
    std::size_t length = 0;
    while (length < got && buffer[length] != '\0') ++length;
    return std::string(buffer.data(), length);
}

int Settings::readInt(const std::string& section, const std::string& key, int defaultValue) const {
    return parseIniInt(readText(section, key), defaultValue);
}

bool Settings::readBool(const std::string& section, const std::string& key, bool defaultValue) const {
    return parseIniBool(readText(section, key), defaultValue);
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

void Settings::sectionEntries(const std::string& section, std::vector<std::string>& out) const {
    out.clear();
    for (const std::string& key : readNameList(section.c_str(), path_))
        out.push_back(sectionEntry(key, readText(section, key)));
}

std::optional<AppTable> loadAppTable(Settings& settings, const CodePage& cp) {
    return buildAppTable(settings.sectionNames(), cp,
                         [&settings](std::vector<std::string>& out) { settings.sectionEntries(kAppSection, out); });
}

}  // namespace qm
