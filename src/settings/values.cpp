#include "settings/values.h"

#include <cstdint>

#include "text/textrules.h"

namespace qm {

std::u16string iniPathFor(std::u16string_view exePath) {
    const std::size_t dot = exePath.find_last_of(u'.');
    const std::size_t end = dot != std::u16string_view::npos && dot >= fileNameStart(exePath) ? dot : exePath.size();
    return std::u16string(exePath.substr(0, end)) + u".ini";
}

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The int32 whose two's-complement bit pattern is `bits`, without relying on a narrowing
// conversion of values above INT32_MAX.
std::int32_t fromBits(std::uint32_t bits) {
    if (bits <= 0x7FFFFFFFu) return static_cast<std::int32_t>(bits);
    return -static_cast<std::int32_t>(~bits) - 1;
}

}  // namespace

int parseIniInt(std::string_view text, int defaultValue) {
    std::string work(text);
    if (work.size() > 2 && work[0] == '0' && (work[1] == 'x' || work[1] == 'X')) work.replace(0, 2, "$");

    const std::string_view s(work);
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';

    std::size_t markerLength = 0;
    if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X'))
        markerLength = 1;
    else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X'))
        markerLength = 2;

    if (markerLength != 0) {
        i += markerLength;
        if (i == s.size()) return defaultValue;
        std::uint32_t bits = 0;
        for (; i < s.size(); ++i) {
            const int d = hexDigit(s[i]);
            if (d < 0 || bits > 0x0FFFFFFFu) return defaultValue;
            bits = (bits << 4) | static_cast<std::uint32_t>(d);
        }
        // Negation in unsigned arithmetic: 0x80000000 stays 0x80000000 (INT32_MIN).
        return fromBits(negative ? 0u - bits : bits);
    }

    if (i == s.size()) return defaultValue;
    std::uint32_t magnitude = 0;  // never above 2147483648
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return defaultValue;
        if (magnitude > 214748364u) return defaultValue;
        magnitude = magnitude * 10u + static_cast<std::uint32_t>(s[i] - '0');
        if (magnitude > 2147483648u) return defaultValue;
    }
    if (!negative && magnitude > 2147483647u) return defaultValue;
    return fromBits(negative ? 0u - magnitude : magnitude);
}

int parseIniInt(std::u16string_view text, int defaultValue) {
    std::string ascii(text.size(), '\x7F');
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] < 0x80) ascii[i] = static_cast<char>(text[i]);
    return parseIniInt(ascii, defaultValue);
}

std::string formatIniInt(int value) {
    return std::to_string(value);
}

std::string formatIniBool(bool value) {
    return value ? "1" : "0";
}

}  // namespace qm
