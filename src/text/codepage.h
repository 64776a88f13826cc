// The few questions the logic asks of the system's ANSI code page and the user's locale. The
// Windows build answers them with the system (IsDBCSLeadByte, the W forms of the case calls,
// MultiByteToWideChar, WideCharToMultiByte); native builds answer with a model of code page
// 932.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qm {

class CodePage {
public:
    virtual ~CodePage() = default;
    virtual bool isLeadByte(unsigned char byte) const = 0;
    // Equal ignoring case, upper and lower case, by the user's locale (CompareStringW with
    // NORM_IGNORECASE, CharUpperBuffW, CharLowerBuffW); the length in UTF-16 units never
    // changes.
    virtual bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b) const = 0;
    virtual std::u16string upper(std::u16string_view text) const = 0;
    virtual std::u16string lower(std::u16string_view text) const = 0;

    // Code page text in UTF-16 as the system converts it (MultiByteToWideChar): what a
    // control given the text in the code page holds, and what CreateProcessA passes on.
    virtual std::u16string toUtf16(std::string_view bytes) const = 0;
    // The text in the code page when the code page holds it exactly: converted without best
    // fit and without a default character, and converted back to the very same text.
    // Nothing otherwise (a lone surrogate among the rest).
    virtual std::optional<std::string> exactBytes(std::u16string_view text) const = 0;
    // The most bytes the code page gives one UTF-16 unit: 1 for a single-byte code page, 2
    // for a double-byte one such as 932, 3 for UTF-8 (65001), where a character outside the
    // BMP takes 4 bytes for its two units.
    virtual unsigned bytesPerUnit() const = 0;

    // Position of the character after the one at `pos`, as CharNextA steps: a lead byte
    // takes its trail byte with it unless the text ends there. Never past the end.
    std::size_t next(std::string_view text, std::size_t pos) const {
        if (pos >= text.size()) return text.size();
        if (isLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() && text[pos + 1] != '\0')
            return pos + 2;
        return pos + 1;
    }
};

// Code page 932 as a model: lead bytes 0x81-0x9F and 0xE0-0xFC; only ASCII letters change
// case (as on Windows for this code page, where double-byte letters keep their case), in
// UTF-16 as in the code page. It converts ASCII, the half-width katakana (A1-DF), 表 (95 5C)
// and ポ (83 7C), whose trail bytes are "\" and "|"; any other double-byte character, and a
// lead byte alone at the end, becomes U+30FB, the system's default character for this code
// page.
class Cp932Model final : public CodePage {
public:
    bool isLeadByte(unsigned char byte) const override;
    bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b) const override;
    std::u16string upper(std::u16string_view text) const override;
    std::u16string lower(std::u16string_view text) const override;
    std::u16string toUtf16(std::string_view bytes) const override;
    std::optional<std::string> exactBytes(std::u16string_view text) const override;
    unsigned bytesPerUnit() const override { return 2; }
};

// The code page the program runs with: the system's on Windows, the model elsewhere.
const CodePage& systemCodePage();

}  // namespace qm
