// The clipboard's text as one path.
#include "runlist/clipboard.h"

#include <algorithm>
#include <string_view>

#include "text/codepage.h"
#include "text/error.h"
#include "text/texts.h"
#include "text/utf16.h"
#include "win/scoped.h"

namespace qm {

namespace {

// The text in `data[0 .. size)` up to its first NUL, or all of it when it has none.
std::string_view upToNul(const char* data, std::size_t size) {
    return std::string_view(data, static_cast<std::size_t>(std::find(data, data + size, '\0') - data));
}

// Whether the clipboard was given Unicode text rather than 8-bit text. The formats are listed
// in the order they were put there and the ones the system makes from them after, so the
// first of the two listed is the one given. The other is converted by the code page of the
// clipboard's locale, which need not be the program's, and with best fit.
bool givenUnicodeText() {
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
        if (format == CF_UNICODETEXT) return true;
        if (format == CF_TEXT) return false;
    }
    return false;
}

}  // namespace

std::optional<std::u16string> clipboardText(HWND owner) {
    if (!IsClipboardFormatAvailable(CF_TEXT)) return std::nullopt;
    ScopedClipboard opening(owner);
    if (!opening.opened()) throw AppError(texts::kErrClipboard);
    // Unicode text is taken as it is, every character of a name kept.
    if (givenUnicodeText()) {
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            ScopedGlobalLock lock(data);
            if (const wchar_t* p = lock.data<wchar_t>()) {
                const wchar_t* end = p + GlobalSize(data) / sizeof(wchar_t);
                return fromWide(p, static_cast<std::size_t>(std::find(p, end, L'\0') - p));
            }
        }
    }
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        ScopedGlobalLock lock(data);
        if (const char* p = lock.data<char>()) {
            // A text without its NUL ends with its block.
            return systemCodePage().toUtf16(upToNul(p, GlobalSize(data)));
        }
    }
    return std::u16string();
}

}  // namespace qm
