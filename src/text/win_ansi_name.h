// The name rule (text/ansi_name.h) answered by the system: names that come as UTF-16 from the
// command line, a drop, the dialogs or the clipboard become ANSI code page text here.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/ansi_name.h"

namespace qm {

// WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS) checked by its used-default flag and by
// the way back, and GetShortPathNameW.
const AnsiConversion& systemAnsiConversion();

// The rule applied with the system's answers.
std::string ansiName(std::wstring_view name);
// Its first two steps: the name byte for byte or its short form; nothing where only "?" would do.
std::optional<std::string> exactOrShortName(std::wstring_view name);
// The text in the code page when it holds it exactly, else nothing.
std::optional<std::string> exactAnsi(std::wstring_view text);

// UTF-16 text for the system, its NUL included. Held in a vector, not a std::wstring: the
// wide string's members come precompiled in one piece of the C++ runtime, all of which the
// exe would carry for the few this program uses.
using WideText = std::vector<wchar_t>;

// UTF-16 text with the NUL the system's calls take.
WideText nulTerminated(std::u16string_view text);
// Code page text (the program's own texts) in UTF-16 for the wide dialogs.
WideText wideText(const std::string& text);
// UTF-16 text in the code page as the system converts it (the way back of wideText).
std::string narrowText(const wchar_t* text, int length);

}  // namespace qm
