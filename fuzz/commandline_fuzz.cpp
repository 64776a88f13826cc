// Command-line splitting on any bytes. Besides memory safety it checks:
// - no argument is empty, holds a NUL or holds a double quote as a character;
// - writing the arguments back as a command line, each in quotes (the last one unclosed, so a
//   trailing lone lead byte cannot take a closing quote), splits into the same arguments;
// - a command line without any double quote splits exactly at its blank characters.
// The same bytes read as a UTF-16 command line (pairs of bytes, little-endian) split by the
// same rule: no argument is empty or holds a NUL or a double quote, and the units without
// quotes split exactly at the blank units.
#include "args/commandline.h"
#include "fuzz_support.h"

namespace {

using qm::fuzz::check;

bool isBlank(char c) {
    const unsigned char code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

std::vector<std::string> splitAtBlanks(std::string_view text, const qm::CodePage& cp) {
    std::vector<std::string> tokens;
    std::string current;
    for (std::size_t i = 0; i < text.size(); i = cp.next(text, i)) {
        if (isBlank(text[i])) {
            if (!current.empty()) tokens.push_back(current);
            current.clear();
        } else {
            current.append(text.substr(i, cp.next(text, i) - i));
        }
    }
    if (!current.empty()) tokens.push_back(current);
    return tokens;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const qm::Cp932Model cp;
    const qm::fuzz::ExactBytes line(data, size);
    const std::vector<std::string> args = qm::splitCommandLine(line.view(), cp);

    for (const std::string& arg : args) {
        check(!arg.empty(), "an argument is empty");
        check(arg.find('\0') == std::string::npos, "an argument holds a NUL");
        for (std::size_t i : qm::fuzz::characterStarts(arg, cp)) {
            check(arg[i] != '"', "an argument holds a double quote");
        }
    }

    std::string rebuilt = "p";
    for (std::size_t i = 0; i < args.size(); ++i) {
        rebuilt += " \"" + args[i];
        if (i + 1 < args.size()) rebuilt += '"';
    }
    check(qm::splitCommandLine(rebuilt, cp) == args, "the quoted arguments split differently");

    const std::string_view text = qm::fuzz::upToNul(line.view());
    if (text.find('"') == std::string_view::npos) {
        std::vector<std::string> tokens = splitAtBlanks(text, cp);
        if (!tokens.empty()) tokens.erase(tokens.begin());  // the program's path
        check(tokens == args, "a line without quotes is not split at its blanks");
    }
    std::u16string wide;
    for (std::size_t i = 0; i + 1 < size; i += 2) wide.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    const std::vector<std::u16string> wideArgs = qm::splitCommandLine(wide);
    for (const std::u16string& arg : wideArgs) {
        check(!arg.empty(), "a wide argument is empty");
        check(arg.find(u'\0') == std::u16string::npos && arg.find(u'"') == std::u16string::npos,
              "a wide argument holds a NUL or a double quote");
    }
    const std::u16string_view wideText(wide.data(), std::min(wide.size(), wide.find(u'\0')));
    if (wideText.find(u'"') == std::u16string_view::npos) {
        std::vector<std::u16string> tokens(1);
        for (char16_t c : wideText) {
            if (c >= 1 && c <= 32) {
                if (!tokens.back().empty()) tokens.emplace_back();
            } else {
                tokens.back().push_back(c);
            }
        }
        if (tokens.back().empty()) tokens.pop_back();
        if (!tokens.empty()) tokens.erase(tokens.begin());  // the program's path
        check(tokens == wideArgs, "a wide line without quotes is not split at its blanks");
    }
    return 0;
}
