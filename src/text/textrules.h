// Text rules shared by several parts of the program.
#pragma once

#include <string>
#include <string_view>

#include "text/codepage.h"

namespace qm {

// The error box's text: the error's text, with "." appended when its last character (a
// double-byte character counts whole) sorts after ".".
std::string errorBoxText(std::string_view text, const CodePage& cp);

// The tool's title from its executable's path: the file name without its directory, cut at
// its first ".", every character after the first in lower case.
std::string titleFromExePath(std::string_view exePath, const CodePage& cp);

// Position just after the last "\" or ":" of a path (0 when it has none), walking whole
// characters so that a trail byte 0x5C is never taken for "\".
std::size_t fileNameStart(std::string_view path, const CodePage& cp);
// The same in UTF-16, where no unit of a character can pass for a "\": paths as the system
// names them (the executable's, the settings file's).
std::size_t fileNameStart(std::u16string_view path);

// Replaces the first "%s" or "%d" of a message pattern with `value`.
std::string formatMessage(std::string_view pattern, std::string_view value);

}  // namespace qm
