// The settings file's path rule and value encodings, and the reading of the NUL-separated
// lists that the profile functions return. No system calls here.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "text/codepage.h"

namespace qm {

// The settings file of an executable: its path with the extension (the text from the last
// "." after the last "\" and the last ":") replaced by ".ini", or ".ini" appended when the
// file name has no ".". Whole characters are walked, so a trail byte 0x5C is never a "\".
std::string iniPathFor(std::string_view exePath, const CodePage& cp);

// An integer value as stored: optional leading spaces (0x20), one optional sign, then a
// hexadecimal marker ("$", "x", "X", "0x", "0X") with 1 or more hex digits fitting 32 bits
// (the two's-complement bit pattern), or decimal digits within the int32 range; nothing
// after the last digit. A text longer than 2 characters that starts with "0x" or "0X" has
// those two read as "$". A sign before a hexadecimal value applies to it ("-$10" is -16).
// Anything else gives `defaultValue`.
int parseIniInt(std::string_view text, int defaultValue);

// A boolean value: an integer read with default 1 (true) or 0 (false); nonzero is true.
bool parseIniBool(std::string_view text, bool defaultValue);

// What the writes store: plain decimal ("-5"), and "1" / "0".
std::string formatIniInt(int value);
std::string formatIniBool(bool value);

// The names in a list of NUL-terminated names as the profile functions fill it: only the
// first `returned` bytes of `buffer` (clamped to `capacity`) are looked at; a last name cut
// without its NUL still counts, and empty names are skipped.
std::vector<std::string> splitNameList(const char* buffer, std::size_t returned, std::size_t capacity);

}  // namespace qm
