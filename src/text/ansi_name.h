// How a name in UTF-16 (a path from the wide command line, a drop, a dialog or the
// clipboard) becomes 8-bit text in the ANSI code page without ever naming another file.
// The system's "best fit" would turn é into e, ¥ into "\" or a full-width quote into '"':
// a name that no longer names its file, or that quotes and cuts a command line differently.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qm {

// The two questions the rule asks of the system. The Windows build answers them with
// WideCharToMultiByte/MultiByteToWideChar and GetShortPathNameW; tests with a stand-in.
class AnsiConversion {
public:
    virtual ~AnsiConversion() = default;
    // The text in the ANSI code page when the code page holds it exactly (converted without
    // best fit, no default character used, and converting it back gives the same text);
    // nothing otherwise.
    virtual std::optional<std::string> exact(std::u16string_view text) const = 0;
    // The short (8.3) form of an existing file's or folder's path; nothing when there is no
    // such file or folder.
    virtual std::optional<std::u16string> shortPath(std::u16string_view path) const = 0;
};

// The rule:
// - a name the code page holds exactly is taken byte for byte;
// - otherwise the short form of the whole path (every component short), when the file or
//   folder exists, the path is a local one (not isUncOrDevicePath) and the code page holds
//   that short form exactly;
// - otherwise the name with every character the code page lacks (a lone surrogate among
//   them) turned into "?", which no file name holds.
std::string ansiName(std::u16string_view name, const AnsiConversion& system);

// The first two steps of the rule alone: nothing where only "?" would do. For a name that
// must open its very file or none: "?" is a wildcard to the system's file search.
std::optional<std::string> exactOrShortName(std::u16string_view name, const AnsiConversion& system);

// A path that names a share on another host or a device: it begins with two separators
// ("\\host\share", "\\?\", "\\.\", with "\" or "/" alike) or with "\??\". Asking for its
// short form would contact that host at once, with the user's credentials.
bool isUncOrDevicePath(std::u16string_view path);

}  // namespace qm
