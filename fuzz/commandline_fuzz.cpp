// Command-line splitting on any UTF-16 line (the input's two readings, fuzz_support.h), held
// in a block of exactly its size. Besides memory safety it checks:
// - no argument is empty, holds a NUL or holds a double quote;
// - writing the arguments back as a command line, each in quotes (the last one unclosed),
//   splits into the same arguments;
// - a command line without any double quote splits exactly at its blank units (1 to 32).
#include "args/commandline.h"
#include "fuzz_support.h"

namespace {

using qm::fuzz::check;

bool isBlank(char16_t c) {
    return c >= 1 && c <= 32;
}

void splitLine(std::u16string_view given) {
    const qm::fuzz::ExactUnits line(given);
    const std::vector<std::u16string> args = qm::splitCommandLine(line.view());

    for (const std::u16string& arg : args) {
        check(!arg.empty(), "an argument is empty");
        check(arg.find(u'\0') == std::u16string::npos, "an argument holds a NUL");
        check(arg.find(u'"') == std::u16string::npos, "an argument holds a double quote");
    }

    std::u16string rebuilt = u"p";
    for (std::size_t i = 0; i < args.size(); ++i) {
        rebuilt += u" \"" + args[i];
        if (i + 1 < args.size()) rebuilt += u'"';
    }
    check(qm::splitCommandLine(rebuilt) == args, "the quoted arguments split differently");

    const std::u16string_view text = qm::fuzz::upToNul(line.view());
    if (text.find(u'"') == std::u16string_view::npos) {
        std::vector<std::u16string> tokens(1);
        for (char16_t c : text) {
            if (isBlank(c)) {
                if (!tokens.back().empty()) tokens.emplace_back();
            } else {
                tokens.back().push_back(c);
            }
        }
        if (tokens.back().empty()) tokens.pop_back();
        if (!tokens.empty()) tokens.erase(tokens.begin());  // the program's path
        check(tokens == args, "a line without quotes is not split at its blanks");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const qm::Cp932Model cp;
    for (const std::u16string& line : qm::fuzz::readings(data, size, cp)) splitLine(line);
    return 0;
}
