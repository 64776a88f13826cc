#include "win/controls.h"

#include <vector>

#include "text/utf16.h"

namespace qm {

std::optional<std::u16string> itemText(HWND control, UINT lengthMsg, UINT textMsg, int pos) {
    if (pos < 0) return std::nullopt;
    const LRESULT len = SendMessageW(control, lengthMsg, static_cast<WPARAM>(pos), 0);
    if (len < 0) return std::nullopt;
    std::vector<wchar_t> buf(static_cast<std::size_t>(len) + 1, L'\0');
    const LRESULT got = SendMessageW(control, textMsg, static_cast<WPARAM>(pos), reinterpret_cast<LPARAM>(buf.data()));
    if (got < 0) return std::nullopt;
    return fromWide(buf.data(), static_cast<std::size_t>(got < len ? got : len));
}

}  // namespace qm
