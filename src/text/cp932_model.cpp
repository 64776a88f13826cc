#include "text/codepage.h"

namespace qm {

namespace {
template <typename Map>
std::string mapAscii(std::string_view text, const Cp932Model& cp, Map map) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); i = cp.next(out, i)) {
        if (!cp.isLeadByte(static_cast<unsigned char>(out[i]))) out[i] = map(out[i]);
    }
    return out;
}
char toUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char toLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

bool Cp932Model::isLeadByte(unsigned char b) const {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool Cp932Model::equalsIgnoreCase(std::string_view a, std::string_view b) const {
    return upper(a) == upper(b);
}

std::string Cp932Model::upper(std::string_view text) const { return mapAscii(text, *this, toUpper); }
bool Cp932Model::equalsIgnoreCase(std::u16string_view a, std::u16string_view b) const {
    return upper(a) == upper(b);
}

std::u16string Cp932Model::upper(std::u16string_view text) const {
    std::u16string out(text);
    for (char16_t& c : out)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    return out;
}

std::string Cp932Model::lower(std::string_view text) const { return mapAscii(text, *this, toLower); }

}  // namespace qm
