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
        if (text.empty()) return std::string();
        const WideText wide = nulTerminated(text);
        const int length = static_cast<int>(text.size());
        BOOL usedDefault = FALSE;
        const int n =
            WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0, nullptr, &usedDefault);
        if (n <= 0 || usedDefault) return std::nullopt;
        std::string out(static_cast<std::size_t>(n), '\0');
        usedDefault = FALSE;
        if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, &out[0], n, nullptr, &usedDefault) !=
                n ||
            usedDefault) {
            return std::nullopt;
        }
        // The way back must give the very same text: a character that converts to another
        // one's bytes is no exact conversion.
        const int back = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, out.data(), n, nullptr, 0);
        if (back != length) return std::nullopt;
        WideText again(static_cast<std::size_t>(back) + 1, L'\0');
        MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, out.data(), n, again.data(), back);
        if (again != wide) return std::nullopt;
        return out;
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
