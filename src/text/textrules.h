// Text rules shared by several parts of the program.
#pragma once

#include <string>
#include <string_view>

#include "text/codepage.h"

namespace qm {

// The error box's text: the error's text, with "." appended when its last character sorts
// after "." (every character but the ASCII ones up to "." does, a Japanese one among them).
std::u16string errorBoxText(std::u16string_view text);

// The tool's title from its executable's path: the file name without its directory, cut at
// its first ".", every character after the first in lower case by the locale.
std::u16string titleFromExePath(std::u16string_view exePath, const CodePage& cp);

// Position just after the last "\" or ":" of a path (0 when it has none). In UTF-16 no unit
// of another character can pass for a "\".
std::size_t fileNameStart(std::u16string_view path);

// Replaces the first "%s" or "%d" of a message pattern with `value`.
std::u16string formatMessage(std::u16string_view pattern, std::u16string_view value);

}  // namespace qm
