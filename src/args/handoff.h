// The hand-off between a forwarding instance and the running window: the argument text, the
// block that WM_COPYDATA carries, and the text cut back into arguments. No window here; the
// sender (the program entry) and the receiver (the main window) both use these.
//
// The block comes in two forms:
// - the code page form: the argument text in the ANSI code page and a NUL, at least 257
//   bytes; dwData carries nothing. Every start whose arguments the code page holds sends it,
//   and any block that is not of the other form is read as one.
// - the UTF-16 form, only for arguments the code page cannot hold: dwData is
//   kWideHandoffTag, the block is the text in UTF-16 (little-endian) and a NUL unit, an even
//   number of bytes. A build that reads only the code page form takes its first bytes for
//   the text: an ASCII character followed by its 0 byte, so it sees at most the first
//   character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/codepage.h"

namespace qm {

// The smallest block the sender sends: 256 bytes of text and its NUL, the block every
// forwarding start has always sent. The receiver assumes no size; it reads cbData.
inline constexpr std::size_t kMinHandoffBlockSize = 257;

// dwData of a block in UTF-16 ("QMU1"); no sender of the code page form sets it.
inline constexpr std::uintptr_t kWideHandoffTag = 0x514D5531;

// The longest command line the system starts a program with, in UTF-16 units (32,767,
// CreateProcessW's limit). A later start's argument text is never longer: the program's own
// path and the quotes are left out, and the blanks between two arguments give one "|".
inline constexpr std::size_t kLongestCommandLine = 32767;

// True when the block is of the UTF-16 form (dwData the tag and an even cbData); any other
// block is of the code page form.
bool isWideHandoff(std::uintptr_t dwData, std::size_t cbData);

// The largest block a later start of the tool sends, in the form that dwData and cbData
// name: the longest argument text and its NUL, two bytes a unit in UTF-16 (65,536 bytes), and
// in the code page at most `bytesPerUnit` bytes for each UTF-16 unit (65,535 bytes for code
// page 932), never less than the usual 257. A larger block is no hand-off of the tool's.
std::size_t largestHandoffBlock(std::uintptr_t dwData, std::size_t cbData, unsigned bytesPerUnit);
inline bool handoffWithinBound(std::uintptr_t dwData, std::size_t cbData, unsigned bytesPerUnit) {
    return cbData <= largestHandoffBlock(dwData, cbData, bytesPerUnit);
}

// The argument text: the arguments joined with a single "|" between neighbours, nothing
// quoted or escaped (an argument holding "|" reaches the receiver as several).
std::u16string joinArguments(const std::vector<std::u16string>& args);

// A block to send and the dwData that goes with it; its size is the cbData.
struct HandoffBlock {
    std::uintptr_t tag = 0;
    std::vector<char> bytes;
};

// The block for the argument text: the code page form when the code page holds the text
// exactly, the UTF-16 form otherwise. The text ends at a NUL it may hold.
HandoffBlock buildHandoff(std::u16string_view text, const CodePage& cp);

// The code page form of a text (up to a NUL it may hold), followed by a NUL. A text of up
// to 256 bytes travels in the usual 257-byte block, zero after the NUL; a longer one travels
// whole in a block of its length + 1, so nothing is cut and no receiver that reads up to the
// NUL within cbData reads past the block.
std::vector<char> buildHandoffBlock(std::string_view text);

// The argument text of a received block, in UTF-16. The UTF-16 form (dwData the tag, an
// even cbData): its units up to the first NUL unit, or all of them when none is NUL; a
// surrogate alone is kept as it came, as a file name may hold one. Any other block is of the
// code page form: its bytes up to the first NUL within cbData, or all cbData bytes when none
// is NUL, converted from the code page as the system converts them. NULL data or cbData 0
// is the empty text. Nothing beyond cbData is read, whatever the sender wrote.
std::u16string readHandoff(std::uintptr_t dwData, const void* data, std::size_t cbData, const CodePage& cp);

// Cuts a hand-off text (up to its first NUL) into pieces at every "|". Every "|" ends a
// piece, empty or not; the text after the last "|" is a piece only when it is not empty.
// "x||y" -> x, "", y;  "x|" -> x;  "|" -> "";  "" -> nothing. In UTF-16 no unit of another
// character is a "|", as the code page's "ポ" (83 7C) is one character, not a "|".
std::vector<std::u16string> cutArgumentText(std::u16string_view text);

}  // namespace qm
