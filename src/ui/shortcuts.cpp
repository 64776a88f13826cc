#include "ui/shortcuts.h"

#include <cstddef>

namespace qm {

namespace {

// Names of the keys that are not a letter or a digit.
struct KeyName {
    unsigned key;
    const char16_t* name;
};
constexpr KeyName kKeyNames[] = {
    {0x08, u"BkSp"}, {0x09, u"Tab"},   {0x0D, u"Enter"}, {0x1B, u"Esc"},  {0x20, u"Space"},
    {0x21, u"PgUp"}, {0x22, u"PgDn"},  {0x23, u"End"},   {0x24, u"Home"}, {0x25, u"Left"},
    {0x26, u"Up"},   {0x27, u"Right"}, {0x28, u"Down"},  {0x2D, u"Ins"},  {0x2E, u"Del"},
};

std::u16string keyName(unsigned key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::u16string(1, static_cast<char16_t>(key));
    if (key >= 0x70 && key <= 0x87) {  // F1 .. F24
        const unsigned n = key - 0x70 + 1;
        std::u16string name = u"F";
        if (n >= 10) name += static_cast<char16_t>(u'0' + n / 10);
        name += static_cast<char16_t>(u'0' + n % 10);
        return name;
    }
    for (const KeyName& k : kKeyNames) {
        if (k.key == key) return k.name;
    }
    return std::u16string();
}

// Where the character after the one at `pos` starts: a surrogate pair is one character.
std::size_t nextChar(std::u16string_view text, std::size_t pos) {
    if (pos >= text.size()) return text.size();
    const char16_t c = text[pos];
    if (c >= 0xD800 && c <= 0xDBFF && pos + 1 < text.size() && text[pos + 1] >= 0xDC00 && text[pos + 1] <= 0xDFFF)
        return pos + 2;
    return pos + 1;
}

constexpr char16_t kAccessKeyChars[] = u"1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ";

}  // namespace

ShortCut shortCutOf(unsigned virtualKey, bool shift, bool ctrl, bool alt) {
    if ((virtualKey & 0xFF) == 0) return 0;
    ShortCut value = static_cast<ShortCut>(virtualKey & 0xFF);
    if (shift) value |= kShortCutShift;
    if (ctrl) value |= kShortCutCtrl;
    if (alt) value |= kShortCutAlt;
    return value;
}

std::u16string shortCutText(ShortCut value) {
    const std::u16string name = keyName(value & 0xFF);
    if (name.empty()) return std::u16string();
    std::u16string text;
    if (value & kShortCutShift) text += u"Shift+";
    if (value & kShortCutCtrl) text += u"Ctrl+";
    if (value & kShortCutAlt) text += u"Alt+";
    return text + name;
}

std::u16string accessKeyOf(std::u16string_view caption) {
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        if (++i >= caption.size()) break;  // a last "&" marks nothing
        if (caption[i] == u'&') continue;  // "&&" stands for one "&"
        return std::u16string(caption.substr(i, nextChar(caption, i) - i));
    }
    return std::u16string();
}

std::u16string withAccessKey(std::u16string_view caption, char16_t key) {
    const bool dots = caption.size() >= 3 && caption.substr(caption.size() - 3) == u"...";
    const std::size_t at = dots ? caption.size() - 3 : caption.size();
    std::u16string out(caption.substr(0, at));
    out += u"(&";
    out += key;
    out += u')';
    out += caption.substr(at);
    return out;
}

std::vector<std::u16string> assignAccessKeys(const std::vector<std::u16string>& captions, const CodePage& cp) {
    std::u16string free = kAccessKeyChars;
    std::vector<bool> has(captions.size(), false);
    for (std::size_t i = 0; i < captions.size(); ++i) {
        const std::u16string key = accessKeyOf(captions[i]);
        if (key.empty()) continue;
        has[i] = true;
        const std::u16string owned = cp.upper(key);
        if (owned.size() != 1) continue;
        const std::size_t at = free.find(owned[0]);
        if (at != std::u16string::npos) free.erase(at, 1);
    }
    std::vector<std::u16string> out = captions;
    for (std::size_t i = captions.size(); i-- > 0;) {
        if (has[i] || captions[i].empty()) continue;
        if (free.empty()) break;
        out[i] = withAccessKey(captions[i], free.back());
        free.pop_back();
    }
    return out;
}

}  // namespace qm
