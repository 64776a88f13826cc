#include "runlist/dialog_result.h"

namespace qm {

std::string dialogFilter(std::string_view filter, const CodePage& cp) {
    std::string out(filter.substr(0, filter.find('\0')));
    for (std::size_t i = 0; i < out.size(); i = cp.next(out, i)) {
        if (out[i] == '|') out[i] = '\0';
    }
    out.push_back('\0');  // the string's own terminator makes the second NUL
    return out;
}

namespace {

// True when the text's last character is a single-byte "\".
bool endsInBackslash(std::string_view text, const CodePage& cp) {
    std::size_t last = text.size();
    for (std::size_t i = 0; i < text.size(); i = cp.next(text, i)) last = i;
    return last < text.size() && last + 1 == text.size() && text[last] == '\\';
}

bool isFullPath(std::string_view piece) {
    return (!piece.empty() && piece[0] == '\\') || (piece.size() >= 4 && piece[1] == ':' && piece[2] == '\\');
}

}  // namespace

std::vector<std::string> splitDialogResult(const char* data, std::size_t size, const CodePage& cp) {
    std::size_t pos = 0;
    // Reads the next piece; false when it runs to the end of the buffer without its NUL.
    auto next = [&](std::string_view& piece) {
        const std::size_t start = pos;
        while (pos < size && data[pos] != '\0') ++pos;
        if (pos == size) return false;
        piece = std::string_view(data + start, pos - start);
        ++pos;
        return true;
    };
    std::string_view first, name;
    if (!next(first) || !next(name)) return {};
    if (name.empty()) return {std::string(first)};  // one full path

    std::string folder(first);
    if (!endsInBackslash(folder, cp)) folder.push_back('\\');
    std::vector<std::string> paths;
    while (!name.empty()) {
        paths.push_back(isFullPath(name) ? std::string(name) : folder + std::string(name));
        if (!next(name)) return {};
    }
    return paths;
}

std::string ansiDialogResult(const char16_t* data, std::size_t size, std::size_t limit,
                             const AnsiConversion& system) {
    std::vector<std::u16string_view> pieces;
    for (std::size_t pos = 0;;) {
        const std::size_t start = pos;
        while (pos < size && data[pos] != u'\0') ++pos;
        if (pos == size) return std::string();  // cut short
        pieces.emplace_back(data + start, pos - start);
        ++pos;
        if (pieces.back().empty() && pieces.size() > 1) break;
    }
    std::string out = ansiName(pieces[0], system);
    out.push_back('\0');
    std::u16string folder(pieces[0]);
    if (folder.empty() || folder.back() != u'\\') folder.push_back(u'\\');
    for (std::size_t i = 1; i + 1 < pieces.size(); ++i) {
        const std::u16string_view name = pieces[i];
        if (std::optional<std::string> same = system.exact(name)) {
            out += *same;
        } else {
            const bool full = name[0] == u'\\' || (name.size() >= 4 && name[1] == u':' && name[2] == u'\\');
            out += ansiName(full ? std::u16string(name) : folder + std::u16string(name), system);
        }
        out.push_back('\0');
    }
    out.push_back('\0');
    return out.size() <= limit ? out : std::string();
}

bool knowsFullDialogRecord(unsigned long platformId, unsigned long major, unsigned long minor) {
    constexpr unsigned long kWindows9x = 1, kNt = 2;
    if (platformId == kNt) return major >= 5;
    if (platformId == kWindows9x) return major > 4 || (major == 4 && minor >= 90);
    return false;
}

Point dialogPlacement(int monitorLeft, int monitorTop, int monitorWidth, int monitorHeight, int dialogWidth,
                      int dialogHeight) {
    // C++ division truncates toward zero, also for a dialog larger than the monitor.
    return {monitorLeft + (monitorWidth - dialogWidth) / 2, monitorTop + (monitorHeight - dialogHeight) / 3};
}

}  // namespace qm
