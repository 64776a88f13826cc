// The settings file's path rule and value encodings, and the reading of the NUL-separated
// lists that the profile functions return. No system calls here.
#pragma once

#include <cstddef>
#include <optional>
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

// A section's entries, key "=" value in file order, from one read of the whole section (its
// lines, each NUL-terminated, in the first `size` bytes of `lines`), when reading the key
// names and then each key's value by name would give exactly these: every line has a key
// before its first "="; no blank (space or tab) at either end of a line or beside that "=";
// no value quoted at both ends (the platform drops such quotes) or of 2047 bytes or more (a
// value is read with at most 2047); no two keys that the platform's case-blind matching could
// take for one (same length, ASCII letters equal ignoring case, any bytes above 0x7F); and the
// key names fit the 16384 bytes they are listed in. Otherwise nothing.
std::optional<std::vector<std::string>> plainSectionEntries(const char* lines, std::size_t size);

// The value of `key` among such entries, the key compared as the platform matches keys
// (ASCII letters ignoring case); "" when no entry has it, as for a missing key.
std::string plainEntryValue(const std::vector<std::string>& entries, std::string_view key);

}  // namespace qm
