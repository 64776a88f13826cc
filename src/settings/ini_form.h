// The forms a settings file comes in, as text editors save it, and the exact conversions
// between UTF-8 and UTF-16 that reading and writing a UTF-8 file take. No system calls here.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qm {

enum class IniForm {
    CodePage,   // the system's ANSI code page (932, 1252 ...): the profile functions' own 8-bit form
    Cp932,      // code page 932 where the system's code page is UTF-8, which this file is not
    Utf8,       // UTF-8 without a byte-order mark
    Utf8Mark,   // UTF-8 after the mark EF BB BF
    Utf16Mark,  // UTF-16 LE after the mark FF FE, which the profile functions read and write
};

inline constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";
inline constexpr char kUtf16Mark[] = "\xFF\xFE";

// The form of a file from its bytes, as editors recognise it: a UTF-16 LE mark; a UTF-8
// mark; no mark but valid UTF-8 (isValidUtf8) holding at least one byte above 0x7F; else the
// code page. Text in code page 932 with Japanese in it is practically never valid UTF-8, and
// ASCII alone reads the same either way. Where the system's code page is UTF-8
// (`systemUtf8`), a file beyond ASCII that is not UTF-8 cannot be in it: it is code page 932,
// the settings file's own 8-bit form. Decided for any bytes.
IniForm recogniseIniForm(std::string_view bytes, bool systemUtf8 = false);

// The forms the tool reads through a private UTF-16 copy and writes back itself, its new
// text first standing beside the file (settings/file_bytes.h); the profile functions read and
// write the others in place.
inline bool rewrittenBeside(IniForm form) {
    return form == IniForm::Cp932 || form == IniForm::Utf8 || form == IniForm::Utf8Mark;
}

// Valid UTF-8: every character in its shortest form, no surrogate (D800-DFFF), nothing
// above U+10FFFF, no sequence cut short.
bool isValidUtf8(std::string_view bytes);

// UTF-8 in UTF-16. `exact` (when given) says whether the bytes were valid UTF-8; each byte of
// an invalid sequence gives U+FFFD, and the text then cannot be given back as it was.
std::u16string utf8ToUtf16(std::string_view bytes, bool* exact = nullptr);

// UTF-16 in UTF-8; nothing when the text holds a surrogate without its pair.
std::optional<std::string> utf16ToUtf8(std::u16string_view text);

// Bytes in UTF-16 LE order (an odd last byte is left out) and back.
std::u16string fromUtf16Le(std::string_view bytes);
std::string toUtf16Le(std::u16string_view text);

}  // namespace qm
