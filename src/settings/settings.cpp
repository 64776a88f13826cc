#include "settings/settings.h"

#include <windows.h>

#include "settings/file_bytes.h"
#include "settings/values.h"
#include "text/error.h"
#include "text/textrules.h"
#include "text/texts.h"
#include "text/utf16.h"
#include "win/file.h"
#include "win/whole_text.h"

namespace qm {

namespace {

constexpr UINT kCp932 = 932;

// The largest buffer a value or a name list is read into (in UTF-16 units).
constexpr DWORD kLargestBuffer = 1u << 26;

// A profile string whole, its NUL after it: a value (section and key given) that fills the
// buffer comes back with size - 1 units, a name list (null section or key) with size - 2;
// either is then read again into a buffer twice as large, up to kLargestBuffer units. A
// missing file or key reads as the empty text.
WideText profileString(const wchar_t* section, const wchar_t* key, const std::u16string& file) {
    const bool list = section == nullptr || key == nullptr;
    const WideText path = nulTerminated(file);
    const std::optional<WideText> text = wholeText(
        [&](wchar_t* buffer, DWORD size) {
            const DWORD got = GetPrivateProfileStringW(section, key, L"", buffer, size, path.data());
            if (got >= size - (list ? 2 : 1) && size < kLargestBuffer) return size;  // full: twice as large
            return got < size ? got : size - 1;
        },
        list ? kNameListBufferSize : kValueBufferSize);
    return text ? *text : WideText(1, L'\0');
}

std::vector<std::u16string> readNameList(const wchar_t* section, const std::u16string& file) {
    const WideText buffer = profileString(section, nullptr, file);
    const std::u16string text(buffer.begin(), buffer.end() - 1);
    return splitNameList(text.data(), text.size(), text.size());
}

// Whether every byte of `bytes` (not empty, below 1 GiB) is a character of the code page.
bool allCharacters(UINT codePage, const std::string& bytes) {
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr,
                               0) > 0;
}

// Whether the profile functions, which read a file in this form through the code page's
// conversion to UTF-16 and write it back through the conversion the other way, leave its
// text the same text: every byte is a character of the code page, and each character reads
// back as itself. The bytes may change where the code page has two codes for one character
// (87 90 and 81 E0 are both U+2252); the text does not.
bool codePageKeepsText(const std::string& bytes) {
    if (bytes.empty()) return true;
    if (bytes.size() > 0x3FFFFFFF || !allCharacters(CP_ACP, bytes)) return false;
    const WideText text = wideText(bytes);
    return wideText(narrowText(text.data(), static_cast<int>(text.size()) - 1)) == text;
}

// UTF-16 in code page 932 when the code page holds the text exactly (≒ 87 90 read is 81 E0
// written, as the profile functions write it).
std::optional<std::string> toCp932(std::u16string_view text) {
    return exactCodePageBytes(kCp932, text);
}

// Code page 932 in UTF-16, whatever the system's code page; `exact` says whether every byte
// was a character of the code page and the text converts back to the same text (toCp932).
std::u16string fromCp932(const std::string& bytes, bool& exact) {
    if (bytes.size() > 0x3FFFFFFF) {
        exact = false;
        return std::u16string();
    }
    // Each byte that is no character read all the same, as the system reads it.
    const WideText wide = wideText(bytes, kCp932);
    const std::u16string text = fromWide(wide.data(), wide.size() - 1);
    exact = bytes.empty() || (allCharacters(kCp932, bytes) && toCp932(text).has_value());
    return text;
}

}  // namespace

Settings::Settings(std::u16string path) : path_(std::move(path)), profile_(path_) {
    const bool systemUtf8 = GetACP() == CP_UTF8;
    // A rewrite cut short is completed before anything reads the file.
    notice_ = finishRewrite(path_, systemUtf8);
    const std::optional<std::string> bytes = readFileBytes(path_);
    readable_ = bytes.has_value();
    if (!readable_) return;
    bytes_ = *bytes;
    form_ = recogniseIniForm(bytes_, systemUtf8);
    if (!rewrittenBeside(form_)) return;

    // UTF-8, and code page 932 where the system's code page is UTF-8: read and written
    // through a private UTF-16 copy, which the profile functions take as it is.
    bool exact = true;
    std::u16string decoded;
    if (form_ == IniForm::Cp932) {
        decoded = fromCp932(bytes_, exact);
    } else {
        decoded = utf8ToUtf16(std::string_view(bytes_).substr(form_ == IniForm::Utf8Mark ? 3 : 0), &exact);
    }
    exact_ = exact;
    checked_ = true;
    const std::u16string copy = newTemporaryFile();
    if (copy.empty() || !writeNewFile(copy, kUtf16Mark + toUtf16Le(decoded))) {
        if (!copy.empty()) deleteFile(copy);
        readable_ = false;  // nothing to read it through: it reads empty and is not written
        profile_.clear();
        return;
    }
    profile_ = copy;
    copy_ = true;
}

Settings::~Settings() {
    if (profile_.empty()) return;
    const WideText file = nulTerminated(profile_);
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.data());
    if (copy_) deleteFile(profile_);
}

bool Settings::exists() const {
    return fileFound(path_);
}

std::u16string Settings::readText(std::u16string_view section, std::u16string_view key) const {
    if (profile_.empty()) return std::u16string();
    const WideText buffer = profileString(nulTerminated(section).data(), nulTerminated(key).data(), profile_);
    // A value holds no NUL; stop at one should the call have filled less than it says.
    return fromWide(buffer.data());
}

int Settings::readInt(const IniKey& key) const {
    return parseIniInt(readText(key.section, key.key), key.defaultValue);
}

bool Settings::readBool(const IniKey& key) const {
    return parseIniBool(readText(key.section, key.key), key.defaultValue != 0);
}

void Settings::refuseWrite(const std::u16string& foreign) const {
    std::u16string text = formatMessage(texts::kErrCannotWrite, path_);
    if (!foreign.empty()) {
        text += u'\n';
        text += formatMessage(texts::kErrSideFileNotOwn, foreign);
    }
    throw AppError(std::move(text));
}

void Settings::writeText(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
    if (!checked_) {
        // The profile functions rewrite a code page file through the code page's conversion
        // both ways; a file whose text would not come back the same is left alone.
        exact_ = form_ != IniForm::CodePage || codePageKeepsText(bytes_);
        checked_ = true;
    }
    if (!readable_ || !exact_) refuseWrite();
    if (!WritePrivateProfileStringW(nulTerminated(section).data(), nulTerminated(key).data(),
                                    nulTerminated(value).data(), nulTerminated(profile_).data()))
        refuseWrite();
}

void Settings::writeInt(const IniKey& key, int value) {
    const std::string text = formatIniInt(value);
    writeText(key.section, key.key, std::u16string(text.begin(), text.end()));
}

void Settings::writeBool(const IniKey& key, bool value) {
    const std::string text = formatIniBool(value);
    writeText(key.section, key.key, std::u16string(text.begin(), text.end()));
}

void Settings::commit() {
    if (!copy_) return;  // the profile functions wrote the file itself
    const WideText copy = nulTerminated(profile_);
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, copy.data());  // the cached copy to disk
    const std::optional<std::string> written = readFileBytes(profile_);
    if (!written || written->compare(0, 2, kUtf16Mark) != 0) refuseWrite();
    const std::u16string text = fromUtf16Le(std::string_view(*written).substr(2));
    const std::optional<std::string> encoded = form_ == IniForm::Cp932 ? toCp932(text) : utf16ToUtf8(text);
    if (!encoded) refuseWrite();
    const std::string bytes = (form_ == IniForm::Utf8Mark ? std::string(kUtf8Mark) : std::string()) + *encoded;
    if (bytes == bytes_) return;

    // Into the file itself, so that it stays the file it was (settings/file_bytes.h).
    std::u16string foreign;
    if (!rewriteInPlace(path_, bytes_, bytes, foreign)) refuseWrite(foreign);
}

std::vector<std::u16string> Settings::sectionNames() const {
    if (profile_.empty()) return {};
    return readNameList(nullptr, profile_);
}

void Settings::sectionEntries(std::u16string_view section, std::vector<std::u16string>& out) const {
    out.clear();
    if (profile_.empty()) return;
    const WideText name = nulTerminated(section);
    for (const std::u16string& key : readNameList(name.data(), profile_))
        out.push_back(sectionEntry(key, readText(section, key)));
}

std::optional<AppTable> loadAppTable(Settings& settings, const CodePage& cp) {
    return buildAppTable(settings.sectionNames(), cp,
                         [&settings](std::vector<std::u16string>& out) { settings.sectionEntries(kAppSection, out); });
}

}  // namespace qm
