// The clipboard's text as a path source.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace qm {

// The clipboard's text up to its first NUL, read with `owner` as the clipboard's owner, in
// the text format the other program put there (the system makes the other one from it):
// Unicode text as it is, or 8-bit text (CF_TEXT) converted from the code page as the system
// converts it; nothing when the clipboard holds no text. Throws
// AppError("クリップボードを開くことができません") when another program holds the
// clipboard open.
std::optional<std::u16string> clipboardText(HWND owner);

}  // namespace qm
