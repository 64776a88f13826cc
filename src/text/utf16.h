// UTF-16 text as the system's W functions take and give it. Names reach the tool in UTF-16
// and stay so from their source to the started process, and the program's own texts are
// UTF-16 from the start (text/texts.h); code page text is converted only where bytes come
// in (the hand-off block in the code page, CF_TEXT, a settings file in the code page).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// UTF-16 text for the system, its NUL included. Held in a vector, not a std::wstring: the
// wide string's members come precompiled in one piece of the C++ runtime, all of which the
// exe would carry for the few this program uses.
using WideText = std::vector<wchar_t>;

// UTF-16 text with the NUL the system's calls take.
WideText nulTerminated(std::u16string_view text);
// `length` units of the system's UTF-16 text.
std::u16string fromWide(const wchar_t* text, std::size_t length);
std::u16string fromWide(const wchar_t* text);  // up to its NUL
// Code page text in UTF-16 as the system converts it (MultiByteToWideChar; `codePage` 0 is
// CP_ACP, the system's), its NUL included: for bytes that come in a code page, never for the
// program's own texts.
WideText wideText(std::string_view text, unsigned codePage = 0);
// UTF-16 text in the code page as the system converts it (WideCharToMultiByte, CP_ACP,
// best fit and all): the way back of wideText, as the profile functions take it.
std::string narrowText(const wchar_t* text, int length);

// The text in the code page `codePage` (CP_ACP: the system's) when that code page holds it
// exactly: converted without best fit and without a default character, and converted back to
// the very same text. Nothing otherwise (a lone surrogate, a character the code page lacks).
// A character with two codes in the code page takes the one the conversion gives (for code
// page 932, ≒ is 81 E0 however it was read).
std::optional<std::string> exactCodePageBytes(unsigned codePage, std::u16string_view text);

}  // namespace qm
