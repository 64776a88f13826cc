#include "runlist/dialog_result.h"

namespace qm {

std::u16string dialogFilter(std::u16string_view filter) {
    std::u16string out(filter.substr(0, filter.find(u'\0')));
    for (char16_t& c : out) {
        if (c == u'|') c = u'\0';
    }
    out.push_back(u'\0');  // the text's own terminator makes the second NUL
    return out;
}

std::vector<std::u16string> splitDialogResult(const char16_t* data, std::size_t size) {
    std::size_t pos = 0;
    // Reads the next piece; false when it runs to the end of the buffer without its NUL.
    auto next = [&](std::u16string_view& piece) {
        const std::size_t start = pos;
        while (pos < size && data[pos] != u'\0') ++pos;
        if (pos == size) return false;
        piece = std::u16string_view(data + start, pos - start);
        ++pos;
        return true;
    };
    std::u16string_view first, name;
    if (!next(first) || !next(name)) return {};
    if (name.empty()) return {std::u16string(first)};  // one full path

    std::u16string folder(first);
    if (folder.empty() || folder.back() != u'\\') folder.push_back(u'\\');
    std::vector<std::u16string> paths;
    while (!name.empty()) {
        const bool full = name[0] == u'\\' || (name.size() >= 4 && name[1] == u':' && name[2] == u'\\');
        paths.push_back(full ? std::u16string(name) : folder + std::u16string(name));
        if (!next(name)) return {};
    }
    return paths;
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
