// The quoted path list on any entries (the input cut at its NUL bytes, which no entry can
// hold). Splitting "prog" followed by the list by the usual Windows argument rules gives back
// one argument per entry, each the entry without its double quotes and without a lead byte
// left alone at its end.
#include "../tests/shared/memory_runlist.h"
#include "fuzz_support.h"
#include "launch/launch.h"

namespace {

using qm::fuzz::check;

// The argument rules of CommandLineToArgvW and the C runtimes, for the arguments after the
// program's name, walking whole characters (a double-byte character is one character, as
// after the conversion to UTF-16): 2n backslashes before a quote give n and the quote opens
// or closes the quoting, 2n+1 give n and a literal quote; backslashes before anything else
// stand for themselves; "" inside quotes is a literal quote; spaces and tabs outside quotes
// end an argument.
std::vector<std::string> splitArguments(std::string_view line, const qm::CodePage& cp) {
    std::vector<std::string> args;
    std::size_t i = 0;
    auto at = [&](std::size_t pos) { return pos < line.size() && cp.next(line, pos) == pos + 1 ? line[pos] : '\0'; };
    for (;;) {
        while (at(i) == ' ' || at(i) == '\t') ++i;
        if (i >= line.size()) return args;
        std::string arg;
        bool quoted = false;
        while (i < line.size()) {
            const char c = at(i);
            if (c == '\\') {
                std::size_t n = 0;
                while (at(i) == '\\') ++n, ++i;
                if (at(i) == '"') {
                    arg.append(n / 2, '\\');
                    if (n % 2 == 1) {
                        arg += '"';
                        ++i;
                    }
                } else {
                    arg.append(n, '\\');
                }
            } else if (c == '"') {
                ++i;
                if (quoted && at(i) == '"') {
                    arg += '"';
                    ++i;
                } else {
                    quoted = !quoted;
                }
            } else if (!quoted && (c == ' ' || c == '\t')) {
                break;
            } else {
                const std::size_t next = cp.next(line, i);
                arg.append(line.substr(i, next - i));
                i = next;
            }
        }
        args.push_back(arg);
    }
}

// What should arrive of an entry: its characters without those that end in a quote byte,
// and without a lone lead byte at the end.
std::string arriving(std::string_view entry, const qm::CodePage& cp) {
    std::string out;
    for (std::size_t i = 0; i < entry.size();) {
        const std::size_t next = cp.next(entry, i);
        const std::string_view ch = entry.substr(i, next - i);
        i = next;
        if (ch.back() == '"' || (ch.size() == 1 && cp.isLeadByte(static_cast<unsigned char>(ch[0])))) continue;
        out += ch;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const qm::Cp932Model cp;
    const qm::fuzz::ExactBytes input(data, size);
    std::vector<std::string> entries;
    qm::MemoryRunList list;
    for (std::string_view rest = input.view();;) {
        const std::size_t nul = rest.find('\0');
        entries.emplace_back(rest.substr(0, nul));
        list.append(entries.back());
        if (nul == std::string_view::npos) break;
        rest.remove_prefix(nul + 1);
    }

    const std::string quoted = qm::quotedPathList(list, cp);
    const std::vector<std::string> args = splitArguments("prog" + quoted, cp);
    check(args.size() == entries.size() + 1, "an entry is not exactly one argument");
    for (std::size_t k = 0; k < entries.size() && k + 1 < args.size(); ++k) {
        check(args[k + 1] == arriving(entries[k], cp), "an entry arrives changed");
    }
    // The list itself keeps every entry as it came.
    for (std::size_t k = 0; k < entries.size(); ++k) check(list.read(static_cast<int>(k)) == entries[k], "the list changed");
    return 0;
}
