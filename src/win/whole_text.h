// The text a system call writes into a buffer of the caller's size, read whole however long
// it is: where the buffer was too small, the call is made again with the size it asked for.
#pragma once

#include <windows.h>

#include <optional>

#include "text/utf16.h"

namespace qm {

// The text `call(buffer, size)` writes, its NUL included. The call answers as the system's
// text calls do: the text's length when it fits (its NUL after it), else the size (NUL
// included) to call again with; one that can only say the buffer is full (it answers `size`,
// as GetModuleFileNameW does) gets a buffer twice as large. An answer of 0 is the empty text
// when the call left no error, and nothing when it failed.
template <typename Call>
std::optional<WideText> wholeText(const Call& call, DWORD size = MAX_PATH) {
    WideText text;
    for (;;) {
        text.assign(size, L'\0');
        SetLastError(ERROR_SUCCESS);
        const DWORD answer = call(text.data(), size);
        if (answer == 0 && GetLastError() != ERROR_SUCCESS) return std::nullopt;
        if (answer < size) {
            text.resize(answer + 1);
            text.back() = L'\0';
            return text;
        }
        size = answer > size ? answer : size * 2;
    }
}

}  // namespace qm
