// The quoted path list on any entries: each reading of the input (fuzz_support.h) cut at its
// NUL units, which no entry can hold. Splitting "prog" followed by the list by the usual
// Windows argument rules gives back one argument per entry, each the entry without its double
// quotes and otherwise unchanged (surrogates, alone or in pairs, among them). The list a launch
// builds is the entries appended one by one, each entry's text inside its quotes as
// quotedEntryText gives it.
#include "../tests/shared/memory_runlist.h"
#include "fuzz_support.h"
#include "launch/launch.h"

namespace {

using qm::fuzz::check;

// The argument rules of CommandLineToArgvW and the C runtimes, for the arguments after the
// program's name, on UTF-16 units: 2n backslashes before a quote give n and the quote opens
// or closes the quoting, 2n+1 give n and a literal quote; backslashes before anything else
// stand for themselves; "" inside quotes is a literal quote; spaces and tabs outside quotes
// end an argument.
std::vector<std::u16string> splitArguments(std::u16string_view line) {
    std::vector<std::u16string> args;
    std::size_t i = 0;
    auto at = [&](std::size_t pos) { return pos < line.size() ? line[pos] : u'\0'; };
    for (;;) {
        while (at(i) == u' ' || at(i) == u'\t') ++i;
        if (i >= line.size()) return args;
        std::u16string arg;
        bool quoted = false;
        while (i < line.size()) {
            const char16_t c = at(i);
            if (c == u'\\') {
                std::size_t n = 0;
                while (at(i) == u'\\') ++n, ++i;
                if (at(i) == u'"') {
                    arg.append(n / 2, u'\\');
                    if (n % 2 == 1) {
                        arg += u'"';
                        ++i;
                    }
                } else {
                    arg.append(n, u'\\');
                }
            } else if (c == u'"') {
                ++i;
                if (quoted && at(i) == u'"') {
                    arg += u'"';
                    ++i;
                } else {
                    quoted = !quoted;
                }
            } else if (!quoted && (c == u' ' || c == u'\t')) {
                break;
            } else {
                arg += c;
                ++i;
            }
        }
        args.push_back(arg);
    }
}

void quoteEntries(std::u16string_view input, const qm::CodePage& cp) {
    std::vector<std::u16string> entries;
    qm::MemoryRunList list;
    std::u16string line = u"prog";
    for (std::u16string_view rest = input;;) {
        const std::size_t nul = rest.find(u'\0');
        entries.emplace_back(rest.substr(0, nul));
        list.append(entries.back());
        const std::size_t before = line.size();
        qm::appendQuotedEntry(line, qm::fuzz::ExactUnits(entries.back()).view());
        check(line.substr(before) == u" \"" + qm::quotedEntryText(entries.back()) + u"\"",
              "quotedEntryText is not the appended entry inside its quotes");
        if (nul == std::u16string_view::npos) break;
        rest.remove_prefix(nul + 1);
    }

    const std::vector<std::u16string> args = splitArguments(line);
    check(args.size() == entries.size() + 1, "an entry is not exactly one argument");
    for (std::size_t k = 0; k < entries.size() && k + 1 < args.size(); ++k) {
        std::u16string arriving = entries[k];
        arriving.erase(std::remove(arriving.begin(), arriving.end(), u'"'), arriving.end());
        check(args[k + 1] == arriving, "an entry arrives changed");
    }
    // A launch builds the same list, and keeps every entry as it came.
    const qm::AppTable table{{u"q=%P"}};
    check(qm::planLaunch(list, u"q", &table, false, false, cp).commandLine.line == line.substr(4),
          "the launch's list is not the entries appended");
    for (std::size_t k = 0; k < entries.size(); ++k)
        check(list.read(static_cast<int>(k)) == entries[k], "the list changed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const qm::Cp932Model cp;
    for (const std::u16string& input : qm::fuzz::readings(data, size, cp)) quoteEntries(input, cp);
    return 0;
}
