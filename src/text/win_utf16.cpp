#include <windows.h>

#include "text/utf16.h"

namespace qm {

WideText nulTerminated(std::u16string_view text) {
    WideText wide(text.begin(), text.end());
    wide.push_back(L'\0');
    return wide;
}

std::u16string fromWide(const wchar_t* text, std::size_t length) {
    return std::u16string(text, text + length);
}

std::u16string fromWide(const wchar_t* text) {
    return fromWide(text, text ? lstrlenW(text) : 0);
}

WideText wideText(std::string_view text, unsigned codePage) {
    const int n =
        text.empty() ? 0 : MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    WideText out(static_cast<std::size_t>(n > 0 ? n : 0) + 1, L'\0');
    if (n > 0) MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string narrowText(const wchar_t* text, int length) {
    if (length <= 0) return std::string();
    const int n = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_ACP, 0, text, length, &out[0], n, nullptr, nullptr);
    return out;
}

std::optional<std::string> exactCodePageBytes(unsigned codePage, std::u16string_view text) {
    if (text.empty()) return std::string();
    if (text.size() > 0x1FFFFFFF) return std::nullopt;
    const WideText wide = nulTerminated(text);
    const int length = static_cast<int>(text.size());
    // UTF-8 takes neither the best-fit flag nor a default character (WideCharToMultiByte
    // refuses them for it): there a lone surrogate is what fails, by WC_ERR_INVALID_CHARS.
    const bool utf8 = codePage == CP_UTF8 || (codePage == CP_ACP && GetACP() == CP_UTF8);
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* const used = utf8 ? nullptr : &usedDefault;
    const int n = WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr, used);
    if (n <= 0 || usedDefault) return std::nullopt;
    std::string out(static_cast<std::size_t>(n), '\0');
    if (WideCharToMultiByte(codePage, flags, wide.data(), length, &out[0], n, nullptr, used) != n || usedDefault)
        return std::nullopt;
    // The way back must give the very same text: a character that converts to another one's
    // bytes is no exact conversion.
    const int back = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, out.data(), n, nullptr, 0);
    if (back != length) return std::nullopt;
    WideText again(static_cast<std::size_t>(back) + 1, L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, out.data(), n, again.data(), back);
    if (again != wide) return std::nullopt;
    return out;
}

}  // namespace qm
