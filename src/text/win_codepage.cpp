#include <windows.h>

#include "text/codepage.h"
#include "text/win_ansi_name.h"

namespace qm {

namespace {

class WinCodePage final : public CodePage {
public:
    bool isLeadByte(unsigned char byte) const override { return IsDBCSLeadByte(byte) != 0; }
    bool equalsIgnoreCase(std::string_view a, std::string_view b) const override {
        return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(),
                              static_cast<int>(a.size()), b.data(),
                              static_cast<int>(b.size())) == CSTR_EQUAL;
    }
    std::string upper(std::string_view text) const override {
        std::string out(text);
        if (!out.empty()) CharUpperBuffA(&out[0], static_cast<DWORD>(out.size()));
        return out;
    }
    bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b) const override {
        // NUL-terminated copies: an empty text still has a buffer to point at.
        const WideText x = nulTerminated(a), y = nulTerminated(b);
        return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, x.data(), static_cast<int>(a.size()), y.data(),
                              static_cast<int>(b.size())) == CSTR_EQUAL;
    }
    std::u16string upper(std::u16string_view text) const override {
        WideText out(text.begin(), text.end());
        if (!out.empty()) CharUpperBuffW(out.data(), static_cast<DWORD>(out.size()));
        return std::u16string(out.begin(), out.end());
    }
    std::string lower(std::string_view text) const override {
        std::string out(text);
        if (!out.empty()) CharLowerBuffA(&out[0], static_cast<DWORD>(out.size()));
        return out;
    }
};

}  // namespace

const CodePage& systemCodePage() {
    static const WinCodePage cp;
    return cp;
}

}  // namespace qm
