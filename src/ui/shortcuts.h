// Keyboard shortcuts of menu items and the access keys of menu captions: values, the text
// shown after an item's caption, and the access keys the context menu hands out when it opens.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/codepage.h"

namespace qm {

// A shortcut value: the virtual-key code in bits 0-7 and one bit per modifier.
using ShortCut = std::uint16_t;
inline constexpr ShortCut kShortCutShift = 0x2000;
inline constexpr ShortCut kShortCutCtrl = 0x4000;
inline constexpr ShortCut kShortCutAlt = 0x8000;

// The value of a key press; 0 (matching no item) for the key code 0.
ShortCut shortCutOf(unsigned virtualKey, bool shift, bool ctrl, bool alt);

// The text shown after an item's caption: "Shift+", "Ctrl+", "Alt+" as held, then the key's
// name ("A", "7", "Del", "F5" ...). Empty for 0 and for a key without a name.
std::u16string shortCutText(ShortCut value);

// Captions are UTF-16; a character is one unit, or the two units of a surrogate pair.

// The character a caption marks with "&" as its access key (its first "&" that is not part
// of "&&"), or empty when it has none.
std::u16string accessKeyOf(std::u16string_view caption);

// The caption with "(&key)" appended, or put before a trailing "..." where it ends so.
std::u16string withAccessKey(std::u16string_view caption, char16_t key);

// The captions, in menu order, after the menu's opening: every caption without an access
// key gets one from "1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ", less the characters other
// captions already own (compared in upper case by the user's locale); they are served from
// the last item up, each taking the last character still free. Captions that had one come
// back unchanged, so a second opening changes nothing. Empty captions get none; when the
// characters run out the rest get none. The same under every code page of the system.
std::vector<std::u16string> assignAccessKeys(const std::vector<std::u16string>& captions, const CodePage& cp);

}  // namespace qm
