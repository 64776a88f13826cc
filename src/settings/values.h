// The settings file's path rule and value encodings, and the reading of the NUL-separated
// lists that the profile functions return. No system calls here.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// The settings file of an executable: its path with the extension (the text from the last
// "." after the last "\" and the last ":", fileNameStart) replaced by ".ini", or ".ini"
// appended when the file name has no ".". The one rule for the settings file's path, in
// UTF-16 as the system names the executable: no name is changed on the way.
std::u16string iniPathFor(std::u16string_view exePath);

// An integer value as stored: optional leading spaces (0x20), one optional sign, then a
// hexadecimal marker ("$", "x", "X", "0x", "0X") with 1 or more hex digits fitting 32 bits
// (the two's-complement bit pattern), or decimal digits within the int32 range; nothing
// after the last digit. A text longer than 2 characters that starts with "0x" or "0X" has
// those two read as "$". A sign before a hexadecimal value applies to it ("-$10" is -16).
// Anything else gives `defaultValue`.
int parseIniInt(std::string_view text, int defaultValue);
// The same on a value read in UTF-16: a unit outside ASCII is no part of any number.
int parseIniInt(std::u16string_view text, int defaultValue);

// A boolean value: an integer read (parseIniInt, on 8-bit or UTF-16 text) with default 1
// (true) or 0 (false); nonzero is true.
template <typename Text>
bool parseIniBool(const Text& text, bool defaultValue) {
    return parseIniInt(text, defaultValue ? 1 : 0) != 0;
}

// What the writes store: plain decimal ("-5"), and "1" / "0".
std::string formatIniInt(int value);
std::string formatIniBool(bool value);

// The names in a list of NUL-terminated names as the profile functions fill it: only the
// first `returned` bytes of `buffer` (clamped to `capacity`) are looked at; a last name cut
// without its NUL still counts, and empty names are skipped.
template <typename Char>
std::vector<std::basic_string<Char>> splitNameList(const Char* buffer, std::size_t returned, std::size_t capacity) {
    std::vector<std::basic_string<Char>> names;
    const std::size_t end = returned < capacity ? returned : capacity;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= end; ++i) {
        if (i == end || buffer[i] == Char()) {
            if (i > start) names.emplace_back(buffer + start, i - start);
            start = i + 1;
        }
    }
    return names;
}

}  // namespace qm
