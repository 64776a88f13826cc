// Splitting the file dialog's UTF-16 result buffer, on any text (the input's two readings,
// fuzz_support.h). The buffer lies in a heap block of exactly its size, so a read past it is
// caught. Checks:
// - a buffer whose pieces do not all end with their NUL inside it gives nothing;
// - otherwise one piece before the empty one gives that piece unchanged, and more give one
//   path per name, in order: the name itself when it is a full path, else the folder, one
//   "\" unless the folder ends in "\", and the name;
// - the paths never hold a NUL, and splitting a well-formed buffer rebuilt from a single
//   path gives that path back.
#include "fuzz_support.h"
#include "runlist/dialog_result.h"

namespace {

using qm::fuzz::check;

// The buffer's first piece (which may be empty) and the pieces after it up to the first
// empty one; false when one of them runs off the end.
bool pieces(std::u16string_view buffer, std::vector<std::u16string_view>& out) {
    std::size_t pos = 0;
    for (;;) {
        const std::size_t nul = buffer.find(u'\0', pos);
        if (nul == std::u16string_view::npos) return false;
        if (nul == pos && !out.empty()) return true;
        out.push_back(buffer.substr(pos, nul - pos));
        pos = nul + 1;
    }
}

void splitResult(std::u16string_view given) {
    const qm::fuzz::ExactUnits input(given);
    const std::vector<std::u16string> paths = qm::splitDialogResult(input.data(), input.size());

    std::vector<std::u16string_view> found;
    const bool whole = pieces(input.view(), found);
    for (const std::u16string& path : paths) check(path.find(u'\0') == std::u16string::npos, "a path holds a NUL");
    if (!whole) {
        check(paths.empty(), "a cut result gave paths");
        return;
    }
    if (found.size() == 1) {
        check(paths.size() == 1 && paths[0] == found[0], "a single path is not taken unchanged");
    } else {
        check(paths.size() == found.size() - 1, "not one path per name");
        const std::u16string_view folder = found[0];
        const bool slash = !folder.empty() && folder.back() == u'\\';
        for (std::size_t i = 1; i < found.size(); ++i) {
            const std::u16string_view name = found[i];
            const bool full = name[0] == u'\\' || (name.size() >= 4 && name[1] == u':' && name[2] == u'\\');
            const std::u16string expected =
                full ? std::u16string(name) : std::u16string(folder) + (slash ? u"" : u"\\") + std::u16string(name);
            check(paths[i - 1] == expected, "a path is not folder and name");
        }
    }

    const std::u16string single = paths[0] + std::u16string(2, u'\0');
    const std::vector<std::u16string> again = qm::splitDialogResult(single.data(), single.size());
    check(again.size() == 1 && again[0] == paths[0], "a single path does not come back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const qm::Cp932Model cp;
    for (const std::u16string& result : qm::fuzz::readings(data, size, cp)) splitResult(result);
    return 0;
}
