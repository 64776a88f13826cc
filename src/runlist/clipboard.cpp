// The clipboard's text as one path.
#include "runlist/path_sources.h"

#include <algorithm>
#include <string_view>

#include "text/error.h"
#include "text/texts.h"
#include "text/win_ansi_name.h"
#include "win/scoped.h"

namespace qm {

namespace {

// The text in `data[0 .. size)` up to its first NUL, or all of it when it has none.
std::string_view upToNul(const char* data, std::size_t size) {
    return std::string_view(data, static_cast<std::size_t>(std::find(data, data + size, '\0') - data));
}

}  // namespace

std::optional<std::string> clipboardText(HWND owner) {
    if (!IsClipboardFormatAvailable(CF_TEXT)) return std::nullopt;
    ClipboardOpening opening(owner);
    if (!opening.opened()) throw AppError(texts::kErrClipboard);
    // A Unicode text that the code page does not hold is one name for the name rule (a
    // pasted path of an existing file becomes its short form); any other is read as 8-bit text.
    if (IsClipboardFormatAvailable(CF_UNICODETEXT)) {
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            GlobalLocking lock(data);
            if (const wchar_t* p = lock.data<wchar_t>()) {
                const wchar_t* end = p + GlobalSize(data) / sizeof(wchar_t);
                const std::wstring_view text(p, static_cast<std::size_t>(std::find(p, end, L'\0') - p));
                if (!exactAnsi(text)) return ansiName(text);
            }
        }
    }
    std::string text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        GlobalLocking lock(data);
        if (const char* p = lock.data<char>()) {
            // A text without its NUL ends with its block.
            text = upToNul(p, GlobalSize(data));
        }
    }
    return text;
}

}  // namespace qm
