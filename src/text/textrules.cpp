#include "text/textrules.h"

namespace qm {

std::u16string errorBoxText(std::u16string_view text) {
    std::u16string out(text);
    // The last unit of a surrogate pair sorts after "." as the pair does.
    if (!text.empty() && text.back() > u'.') out += u'.';
    return out;
}

std::size_t fileNameStart(std::u16string_view path) {
    const std::size_t last = path.find_last_of(u"\\:");
    return last == std::u16string_view::npos ? 0 : last + 1;
}

std::u16string titleFromExePath(std::u16string_view exePath, const CodePage& cp) {
    std::u16string_view name = exePath.substr(fileNameStart(exePath));
    name = name.substr(0, name.find(u'.'));
    if (name.empty()) return std::u16string();
    // The first character whole: a surrogate pair is one character.
    const std::size_t second =
        name.size() > 1 && name[0] >= 0xD800 && name[0] <= 0xDBFF && name[1] >= 0xDC00 && name[1] <= 0xDFFF ? 2 : 1;
    return std::u16string(name.substr(0, second)) + cp.lower(name.substr(second));
}

std::u16string formatMessage(std::u16string_view pattern, std::u16string_view value) {
    std::u16string out(pattern);
    for (std::size_t i = 0; i + 1 < out.size(); ++i) {
        if (out[i] == u'%' && (out[i + 1] == u's' || out[i + 1] == u'd')) {
            out.replace(i, 2, value);
            break;
        }
    }
    return out;
}

}  // namespace qm
