#include "text/textrules.h"

namespace qm {

std::string errorBoxText(std::string_view text, const CodePage& cp) {
    std::string out(text);
    if (text.empty()) return out;
    std::size_t last = 0;
    for (std::size_t i = 0; i < text.size(); i = cp.next(text, i)) last = i;
    if (static_cast<unsigned char>(text[last]) > static_cast<unsigned char>('.')) out += '.';
    return out;
}

std::size_t fileNameStart(std::string_view path, const CodePage& cp) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < path.size(); i = cp.next(path, i)) {
        if (path[i] == '\\' || path[i] == ':') start = i + 1;
    }
    return start;
}

std::size_t fileNameStart(std::u16string_view path) {
    const std::size_t last = path.find_last_of(u"\\:");
    return last == std::u16string_view::npos ? 0 : last + 1;
}

std::string titleFromExePath(std::string_view exePath, const CodePage& cp) {
    std::string_view name = exePath.substr(fileNameStart(exePath, cp));
    for (std::size_t i = 0; i < name.size(); i = cp.next(name, i)) {
        if (name[i] == '.') {
            name = name.substr(0, i);
            break;
        }
    }
    if (name.empty()) return std::string();
    std::size_t second = cp.next(name, 0);
    return std::string(name.substr(0, second)) + cp.lower(name.substr(second));
}

std::string formatMessage(std::string_view pattern, std::string_view value) {
    std::string out(pattern);
    for (std::size_t i = 0; i + 1 < out.size(); ++i) {
        if (out[i] == '%' && (out[i + 1] == 's' || out[i + 1] == 'd')) {
            out.replace(i, 2, value);
            break;
        }
    }
    return out;
}

}  // namespace qm
