// The file dialog's texts without a window: the filter in the dialog's NUL-separated form,
// the result buffer split into full paths, the record size for the running system and the
// dialog's placement on a monitor.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// "name|pattern|name|pattern" as the dialog takes it: every "|" turned into a NUL and one
// more NUL at the end (the text's own NUL makes the second one).
std::u16string dialogFilter(std::u16string_view filter);

// Splits the dialog's result (UTF-16) into full paths. The result is a run of
// NUL-terminated pieces ended by an empty one: the folder, then the names. With an empty
// second piece the first is one full path. Otherwise a "\" goes between folder and name
// unless the folder ends in "\", and a name that is a full path itself (it begins with "\",
// or has ":" and "\" as its second and third of at least 4 characters) is taken unchanged.
// Reads only `data[0 .. size)`. A result whose pieces, the final empty one included, do not
// all end with their NUL inside it was cut short (some dialogs cut a selection that does
// not fit instead of refusing it): nothing is taken from it, as from a refused selection.
std::vector<std::u16string> splitDialogResult(const char16_t* data, std::size_t size);

// Whether the system knows the dialog record with its last three fields (places bar):
// the NT platform from 5.0 on, the Windows 9x platform from 4.90 on.
// `platformId`: 1 for Windows 9x, 2 for NT (the version info's dwPlatformId).
bool knowsFullDialogRecord(unsigned long platformId, unsigned long major, unsigned long minor);

struct Point {
    int x = 0, y = 0;
};

// Where the dialog's top-left corner goes: centred horizontally and at one third
// vertically on the monitor's whole area, both quotients truncated toward zero.
Point dialogPlacement(int monitorLeft, int monitorTop, int monitorWidth, int monitorHeight, int dialogWidth,
                      int dialogHeight);

}  // namespace qm
