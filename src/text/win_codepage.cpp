#include <windows.h>

#include "text/codepage.h"
#include "text/utf16.h"

namespace qm {

namespace {

class WinCodePage final : public CodePage {
public:
    bool isLeadByte(unsigned char byte) const override { return IsDBCSLeadByte(byte) != 0; }
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
    std::u16string lower(std::u16string_view text) const override {
        WideText out(text.begin(), text.end());
        if (!out.empty()) CharLowerBuffW(out.data(), static_cast<DWORD>(out.size()));
        return std::u16string(out.begin(), out.end());
    }
    std::u16string toUtf16(std::string_view bytes) const override {
        const WideText wide = wideText(bytes);
        return std::u16string(wide.begin(), wide.end() - 1);
    }
    std::optional<std::string> exactBytes(std::u16string_view text) const override {
        return exactCodePageBytes(CP_ACP, text);
    }
    unsigned bytesPerUnit() const override {
        if (GetACP() == CP_UTF8) return 3;
        CPINFO info{};
        return GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 0 ? info.MaxCharSize : 2;
    }
};

// Made before any code runs (it holds no data: constant initialisation), so no thread waits
// on a guard for it.
const WinCodePage g_systemCodePage;

}  // namespace

const CodePage& systemCodePage() {
    return g_systemCodePage;
}

}  // namespace qm
