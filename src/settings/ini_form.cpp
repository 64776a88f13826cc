#include "settings/ini_form.h"

#include <algorithm>
#include <cstdint>

namespace qm {

namespace {

bool startsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.size() >= prefix.size() && bytes.substr(0, prefix.size()) == prefix;
}

// The length of the valid UTF-8 sequence at `at` and its code point; 0 when none starts there.
std::size_t sequenceAt(std::string_view bytes, std::size_t at, char32_t& code) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    std::size_t length;
    char32_t min;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, min = 0x80, code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, min = 0x800, code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, min = 0x10000, code = lead & 0x07u;
    } else {
        return 0;  // a continuation byte, C0/C1 (always overlong), or F5-FF
    }
    if (bytes.size() - at < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0u) != 0x80u) return 0;
        code = (code << 6) | (byte(at + i) & 0x3Fu);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
    char32_t code;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t n = sequenceAt(bytes, at, code);
        if (n == 0) return false;
        at += n;
    }
    return true;
}

IniForm recogniseIniForm(std::string_view bytes, bool systemUtf8) {
    if (startsWith(bytes, kUtf16Mark)) return IniForm::Utf16Mark;
    if (startsWith(bytes, kUtf8Mark)) return IniForm::Utf8Mark;
    const bool beyondAscii =
        std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    if (!beyondAscii) return IniForm::CodePage;
    if (isValidUtf8(bytes)) return IniForm::Utf8;
    return systemUtf8 ? IniForm::Cp932 : IniForm::CodePage;
}

std::u16string utf8ToUtf16(std::string_view bytes, bool* exact) {
    std::u16string out;
    out.reserve(bytes.size());
    bool valid = true;
    char32_t code;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t n = sequenceAt(bytes, at, code);
        if (n == 0) {
            valid = false;
            out += u'\uFFFD';
            ++at;
            continue;
        }
        if (code >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(code);
        }
        at += n;
    }
    if (exact) *exact = valid;
    return out;
}

std::optional<std::string> utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        if (code >= 0xD800 && code <= 0xDFFF) {
            if (code > 0xDBFF || i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF)
                return std::nullopt;
            code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00u);
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

std::u16string fromUtf16Le(std::string_view bytes) {
    std::u16string out(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                       (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    return out;
}

std::string toUtf16Le(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (const char16_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

}  // namespace qm
