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
std::string shortCutText(ShortCut value);

// The character a caption marks with "&" as its access key (its first "&" that is not part
// of "&&"), or empty when it has none. The text is walked by whole characters.
std::string accessKeyOf(std::string_view caption, const CodePage& cp);

// The caption with "(&key)" appended, or put before a trailing "..." where it ends so.
std::string withAccessKey(std::string_view caption, char key, const CodePage& cp);

// The captions, in menu order, after the menu's opening: every caption without an access
// key gets one from "1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ", less the characters other
// captions already own; they are served from the last item up, each taking the last
// character still free. Captions that had one come back unchanged, so a second opening
// changes nothing. Empty captions get none; when the characters run out the rest get none.
std::vector<std::string> assignAccessKeys(const std::vector<std::string>& captions, const CodePage& cp);

}  // namespace qm
