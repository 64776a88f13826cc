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

WideText wideText(std::string_view text) {
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
