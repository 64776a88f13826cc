#include "ui/shortcuts.h"

#include <cstddef>

namespace qm {

namespace {

// Names of the keys that are not a letter or a digit.
struct KeyName {
    unsigned key;
    const char* name;
};
constexpr KeyName kKeyNames[] = {
    {0x08, "BkSp"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},  {0x20, "Space"},
    {0x21, "PgUp"}, {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"}, {0x25, "Left"},
    {0x26, "Up"},   {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"},  {0x2E, "Del"},
};

std::string keyName(unsigned key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
    if (key >= 0x70 && key <= 0x87) return "F" + std::to_string(key - 0x70 + 1);  // F1 .. F24
    for (const KeyName& k : kKeyNames) {
        if (k.key == key) return k.name;
    }
    return std::string();
}

bool isSingle(std::string_view text, std::size_t pos, std::size_t next, char c) {
    return next == pos + 1 && text[pos] == c;
}

constexpr char kAccessKeyChars[] = "1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ";

}  // namespace

ShortCut shortCutOf(unsigned virtualKey, bool shift, bool ctrl, bool alt) {
    if ((virtualKey & 0xFF) == 0) return 0;
    ShortCut value = static_cast<ShortCut>(virtualKey & 0xFF);
    if (shift) value |= kShortCutShift;
    if (ctrl) value |= kShortCutCtrl;
    if (alt) value |= kShortCutAlt;
    return value;
}

std::string shortCutText(ShortCut value) {
    const std::string name = keyName(value & 0xFF);
    if (name.empty()) return std::string();
    std::string text;
    if (value & kShortCutShift) text += "Shift+";
    if (value & kShortCutCtrl) text += "Ctrl+";
    if (value & kShortCutAlt) text += "Alt+";
    return text + name;
}

std::string accessKeyOf(std::string_view caption, const CodePage& cp) {
    std::size_t i = 0;
    while (i < caption.size()) {
        const std::size_t j = cp.next(caption, i);
        if (isSingle(caption, i, j, '&')) {
            if (j >= caption.size()) return std::string();  // a last "&" marks nothing
            const std::size_t k = cp.next(caption, j);
            if (!isSingle(caption, j, k, '&')) return std::string(caption.substr(j, k - j));
            i = k;  // "&&" stands for one "&"
            continue;
        }
        i = j;
    }
    return std::string();
}

std::string withAccessKey(std::string_view caption, char key, const CodePage& cp) {
    // Where the last three characters start, walking whole characters from the front.
    std::size_t starts[3] = {caption.size(), caption.size(), caption.size()};
    std::size_t count = 0;
    for (std::size_t i = 0; i < caption.size(); i = cp.next(caption, i)) {
        starts[0] = starts[1];
        starts[1] = starts[2];
        starts[2] = i;
        ++count;
    }
    std::size_t at = caption.size();
    if (count >= 3) {
        bool dots = true;
        for (int c = 0; c < 3; ++c) {
            const std::size_t end = c < 2 ? starts[c + 1] : caption.size();
            dots = dots && isSingle(caption, starts[c], end, '.');
        }
        if (dots) at = starts[0];
    }
    std::string out(caption.substr(0, at));
    out += "(&";
    out += key;
    out += ')';
    out += caption.substr(at);
    return out;
}

std::vector<std::string> assignAccessKeys(const std::vector<std::string>& captions, const CodePage& cp) {
    std::string free = kAccessKeyChars;
    std::vector<bool> has(captions.size(), false);
    for (std::size_t i = 0; i < captions.size(); ++i) {
        const std::string key = accessKeyOf(captions[i], cp);
        if (key.empty()) continue;
        has[i] = true;
        const std::string owned = cp.upper(key);
        if (owned.size() != 1) continue;
        const std::size_t at = free.find(owned[0]);
        if (at != std::string::npos) free.erase(at, 1);
    }
    std::vector<std::string> out = captions;
    for (std::size_t i = captions.size(); i-- > 0;) {
        if (has[i] || captions[i].empty()) continue;
        if (free.empty()) break;
        out[i] = withAccessKey(captions[i], free.back(), cp);
        free.pop_back();
    }
    return out;
}

}  // namespace qm
