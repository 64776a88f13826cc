#include "text/codepage.h"

namespace qm {

bool Cp932Model::isLeadByte(unsigned char b) const {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool Cp932Model::equalsIgnoreCase(std::u16string_view a, std::u16string_view b) const {
    return upper(a) == upper(b);
}

std::u16string Cp932Model::upper(std::u16string_view text) const {
    std::u16string out(text);
    for (char16_t& c : out)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    return out;
}

std::u16string Cp932Model::lower(std::u16string_view text) const {
    std::u16string out(text);
    for (char16_t& c : out)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    return out;
}

namespace {
constexpr char16_t kDefaultChar = 0x30FB;
constexpr char16_t kHalfWidthKana = 0xFF61;  // A1 and the 62 after it
struct Pair {
    char lead, trail;
    char16_t unit;
};
constexpr Pair kPairs[] = {{'\x95', '\x5C', u'表'}, {'\x83', '\x7C', u'ポ'}};
}  // namespace

std::u16string Cp932Model::toUtf16(std::string_view bytes) const {
    std::u16string out;
    for (std::size_t i = 0; i < bytes.size(); i = next(bytes, i)) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        if (next(bytes, i) == i + 2) {
            char16_t unit = kDefaultChar;
            for (const Pair& p : kPairs)
                if (bytes[i] == p.lead && bytes[i + 1] == p.trail) unit = p.unit;
            out.push_back(unit);
        } else if (b < 0x80) {
            out.push_back(b);
        } else if (b >= 0xA1 && b <= 0xDF) {
            out.push_back(static_cast<char16_t>(kHalfWidthKana + (b - 0xA1)));
        } else {
            out.push_back(kDefaultChar);
        }
    }
    return out;
}

std::optional<std::string> Cp932Model::exactBytes(std::u16string_view text) const {
    std::string out;
    for (char16_t c : text) {
        bool held = false;
        for (const Pair& p : kPairs) {
            if (c == p.unit) {
                out += {p.lead, p.trail};
                held = true;
            }
        }
        if (held) continue;
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c >= kHalfWidthKana && c <= kHalfWidthKana + (0xDF - 0xA1)) {
            out.push_back(static_cast<char>(0xA1 + (c - kHalfWidthKana)));
        } else {
            return std::nullopt;
        }
    }
    return out;
}

}  // namespace qm
