#include "text/win_ansi_name.h"

#include <windows.h>

#include <vector>

namespace qm {

namespace {

std::u16string fromWide(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }

class WinAnsiConversion final : public AnsiConversion {
public:
    std::optional<std::string> exact(std::u16string_view text) const override {
        if (text.empty()) return std::string();
        const WideText wide = nulTerminated(text);
        const int length = static_cast<int>(text.size());
        BOOL usedDefault = FALSE;
        const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0, nullptr,
                                          &usedDefault);
        if (n <= 0 || usedDefault) return std::nullopt;
        std::string out(static_cast<std::size_t>(n), '\0');
        usedDefault = FALSE;
        if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, &out[0], n, nullptr,
                                &usedDefault) != n ||
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

    std::optional<std::u16string> shortPath(std::u16string_view path) const override {
        const WideText wide = nulTerminated(path);
        for (DWORD size = MAX_PATH;;) {
            WideText out(size, L'\0');
            const DWORD n = GetShortPathNameW(wide.data(), out.data(), size);
            if (n == 0) return std::nullopt;  // no such file or folder
            if (n < size) return fromWide(std::wstring_view(out.data(), n));
            size = n;  // the length it needs, its NUL included
        }
    }
};

}  // namespace

const AnsiConversion& systemAnsiConversion() {
    static const WinAnsiConversion conversion;
    return conversion;
}

std::string ansiName(std::wstring_view name) { return ansiName(fromWide(name), systemAnsiConversion()); }

std::optional<std::string> exactOrShortName(std::wstring_view name) {
    return exactOrShortName(fromWide(name), systemAnsiConversion());
}

std::optional<std::string> exactAnsi(std::wstring_view text) { return systemAnsiConversion().exact(fromWide(text)); }

WideText nulTerminated(std::u16string_view text) {
    WideText wide(text.begin(), text.end());
    wide.push_back(L'\0');
    return wide;
}

WideText wideText(const std::string& text) {
    const int n =
        text.empty() ? 0 : MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    WideText out(static_cast<std::size_t>(n > 0 ? n : 0) + 1, L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string narrowText(const wchar_t* text, int length) {
    if (length <= 0) return std::string();
    const int n = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_ACP, 0, text, length, &out[0], n, nullptr, nullptr);
    return out;
}

}  // namespace qm
