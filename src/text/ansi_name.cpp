#include "text/ansi_name.h"

namespace qm {

namespace {

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::string ansiName(std::u16string_view name, const AnsiConversion& system) {
    if (std::optional<std::string> whole = system.exact(name)) return *whole;
    if (const std::optional<std::u16string> shortForm = system.shortPath(name)) {
        if (std::optional<std::string> converted = system.exact(*shortForm)) return *converted;
    }
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
