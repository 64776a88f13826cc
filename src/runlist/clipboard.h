// The clipboard's text as a path source.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace qm {

// The clipboard's text up to its first NUL, read with `owner` as the clipboard's owner, in
// the text format the other program put there (the system makes the other one from it):
// Unicode text converted by the name rule, or 8-bit text (CF_TEXT) as it is; nothing when
// the clipboard holds no text. Throws AppError("クリップボードを開くことができません")
// when another program holds the clipboard open.
std::optional<std::string> clipboardText(HWND owner);

}  // namespace qm
