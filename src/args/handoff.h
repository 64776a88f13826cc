// The hand-off between a forwarding instance and the running window: the argument text, the
// block that WM_COPYDATA carries, and the text cut back into arguments. No window here; the
// sender (the program entry) and the receiver (the main window) both use these.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "text/codepage.h"

namespace qm {

// The smallest block the sender sends: 256 bytes of text and its NUL, the block every
// forwarding start has always sent. The receiver assumes no size; it reads cbData.
inline constexpr std::size_t kMinHandoffBlockSize = 257;

// The argument text: the arguments joined with a single "|" between neighbours, nothing
// quoted or escaped (an argument holding "|" reaches the receiver as several).
std::string joinArguments(const std::vector<std::string>& args);

// The block to send; its size is the cbData to send with it. The text (up to a NUL it may
// hold) is followed by a NUL. A text of up to 256 bytes travels in the usual 257-byte block,
// zero after the NUL; a longer one travels whole in a block of its length + 1, so nothing is
// cut and no receiver that reads up to the NUL within cbData reads past the block.
std::vector<char> buildHandoffBlock(std::string_view text);

// The text of a received block: its bytes up to the first NUL within cbData, or all cbData
// bytes when none is NUL. NULL data or cbData 0 is the empty text. Nothing beyond cbData is
// read, whatever the sender wrote.
std::string readHandoffBlock(const void* data, std::size_t cbData);

// Cuts a hand-off text (up to its first NUL) into pieces at every "|" character, walking
// whole characters so that a trail byte 0x7C is no separator. Every "|" ends a piece, empty
// or not; the text after the last "|" is a piece only when it is not empty.
// "x||y" -> x, "", y;  "x|" -> x;  "|" -> "";  "" -> nothing.
std::vector<std::string> cutArgumentText(std::string_view text, const CodePage& cp);

}  // namespace qm
