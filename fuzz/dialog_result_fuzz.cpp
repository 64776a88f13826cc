// Splitting the file dialog's result buffer, on any bytes. The buffer lies in a heap block of
// exactly its size, so a read past it is caught. Checks:
// - a buffer whose pieces do not all end with their NUL inside it gives nothing;
// - otherwise one piece before the empty one gives that piece unchanged, and more give one
//   path per name, in order: the name itself when it is a full path, else the folder, one
//   "\" unless the folder ends in a single-byte "\", and the name;
// - the paths never hold a NUL, and splitting a well-formed buffer rebuilt from a single
//   path gives that path back.
#include "fuzz_support.h"
#include "runlist/dialog_result.h"

namespace {

using qm::fuzz::check;

// The buffer's first piece (which may be empty) and the pieces after it up to the first
// empty one; false when one of them runs off the end.
bool pieces(std::string_view buffer, std::vector<std::string_view>& out) {
    std::size_t pos = 0;
    for (;;) {
        const std::size_t nul = buffer.find('\0', pos);
        if (nul == std::string_view::npos) return false;
        if (nul == pos && !out.empty()) return true;
        out.push_back(buffer.substr(pos, nul - pos));
        pos = nul + 1;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const qm::Cp932Model cp;
    const qm::fuzz::ExactBytes input(data, size);
    const std::vector<std::string> paths = qm::splitDialogResult(input.data(), input.size(), cp);

    std::vector<std::string_view> found;
    const bool whole = pieces(input.view(), found);
    for (const std::string& path : paths) check(path.find('\0') == std::string::npos, "a path holds a NUL");
    if (!whole) {
        check(paths.empty(), "a cut result gave paths");
        return 0;
    }
    if (found.size() == 1) {
        check(paths.size() == 1 && paths[0] == found[0], "a single path is not taken unchanged");
    } else {
        check(paths.size() == found.size() - 1, "not one path per name");
        const std::string_view folder = found[0];
        const std::vector<std::size_t> starts = qm::fuzz::characterStarts(folder, cp);
        const bool slash = !starts.empty() && starts.back() + 1 == folder.size() && folder.back() == '\\';
        for (std::size_t i = 1; i < found.size(); ++i) {
            const std::string_view name = found[i];
            const bool full = name[0] == '\\' || (name.size() >= 4 && name[1] == ':' && name[2] == '\\');
            const std::string expected =
                full ? std::string(name) : std::string(folder) + (slash ? "" : "\\") + std::string(name);
            check(paths[i - 1] == expected, "a path is not folder and name");
        }
    }

    const std::string single = paths[0] + std::string(2, '\0');
    const std::vector<std::string> again = qm::splitDialogResult(single.data(), single.size(), cp);
    check(again.size() == 1 && again[0] == paths[0], "a single path does not come back");
    return 0;
}
