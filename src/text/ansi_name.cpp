#include "text/ansi_name.h"

namespace qm {

namespace {

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

bool isSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

}  // namespace

bool isUncOrDevicePath(std::u16string_view path) {
    if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) return true;
    // The system hands a path that begins so to the kernel as it stands, a share among what
    // it can name.
    return path.substr(0, 4) == u"\\??\\";
}

std::optional<std::string> exactOrShortName(std::u16string_view name, const AnsiConversion& system) {
    if (std::optional<std::string> whole = system.exact(name)) return whole;
    if (isUncOrDevicePath(name)) return std::nullopt;
    if (const std::optional<std::u16string> shortForm = system.shortPath(name)) return system.exact(*shortForm);
    return std::nullopt;
}

std::string ansiName(std::u16string_view name, const AnsiConversion& system) {
    if (std::optional<std::string> held = exactOrShortName(name, system)) return *held;
    // Character by character, so that no conversion of the system can best-fit a character
    // the code page lacks: each either converts exactly or becomes "?".
    std::string out;
    for (std::size_t i = 0; i < name.size();) {
        std::size_t length = 1;
        if (isHighSurrogate(name[i]) && i + 1 < name.size() && isLowSurrogate(name[i + 1])) length = 2;
        const std::optional<std::string> character = system.exact(name.substr(i, length));
        out += character ? *character : std::string("?");
        i += length;
    }
    return out;
}

}  // namespace qm
