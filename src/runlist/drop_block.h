// The block behind a drop handle, checked before the system's drop functions read it: any
// program can post WM_DROPFILES with any number as the handle, and those functions trust
// the block's offsets.
#pragma once

#include <cstddef>

namespace qm {

// The block's header: the names' offset (4 bytes), the drop point (8), the non-client flag
// (4) and the wide-characters flag (4), little-endian, 20 bytes on 32- and 64-bit systems.
constexpr std::size_t kDropHeaderSize = 20;

// Whether `data[0 .. readable)` holds a whole drop block: the header, the names' offset
// behind it and inside, and from there a run of NUL-terminated names (bytes, or 16-bit
// characters when the wide flag is set) ended by an empty one, all inside.
bool isWholeDropBlock(const unsigned char* data, std::size_t readable);

}  // namespace qm
