#include "args/commandline.h"

#include <type_traits>

namespace qm {

namespace {

// The one splitting rule, over 8-bit text walked by the code page's characters or over
// UTF-16 text walked by units. `Step` gives the position of the character after `pos`.
template <typename Char, typename Step>
class CommandLineReader {
public:
    using View = std::basic_string_view<Char>;
    using String = std::basic_string<Char>;

    CommandLineReader(View text, Step step) : text_(text), next_(step) {}

    String readArgument() {
        skipToArgument();
        String arg;
        while (pos_ < text_.size() && !isBlank(text_[pos_])) {
            if (text_[pos_] == Char('"')) {
                step();  // the opening quote is dropped
                while (pos_ < text_.size() && text_[pos_] != Char('"')) take(arg);
                if (pos_ < text_.size()) step();  // and so is the closing one
            } else {
                take(arg);
            }
        }
        return arg;
    }

private:
    static bool isBlank(Char c) {
        const auto code = static_cast<std::make_unsigned_t<Char>>(c);
        return code >= 1 && code <= 32;
    }

    // Blanks, and pairs of double quotes standing at the start of an argument, vanish.
    void skipToArgument() {
        for (;;) {
            while (pos_ < text_.size() && isBlank(text_[pos_])) step();
            if (pos_ >= text_.size() || text_[pos_] != Char('"')) return;
            const std::size_t second = next_(text_, pos_);
            if (second >= text_.size() || text_[second] != Char('"')) return;
            pos_ = next_(text_, second);
        }
    }

    void step() { pos_ = next_(text_, pos_); }

    // Appends the whole character at the current position.
    void take(String& arg) {
        const std::size_t end = next_(text_, pos_);
        arg.append(text_.data() + pos_, end - pos_);
        pos_ = end;
    }

    View text_;
    Step next_;
    std::size_t pos_ = 0;
};

template <typename Char, typename Step>
std::vector<std::basic_string<Char>> split(std::basic_string_view<Char> commandLine, Step step) {
    // NUL ends the text, as it ends the C string the system hands out.
    CommandLineReader<Char, Step> reader(commandLine.substr(0, commandLine.find(Char('\0'))), step);
    reader.readArgument();  // the program's own path
    std::vector<std::basic_string<Char>> args;
    for (;;) {
        std::basic_string<Char> arg = reader.readArgument();
        if (arg.empty()) break;
        args.push_back(std::move(arg));
    }
    return args;
}

}  // namespace

std::vector<std::string> splitCommandLine(std::string_view commandLine, const CodePage& cp) {
    return split(commandLine, [&cp](std::string_view text, std::size_t pos) { return cp.next(text, pos); });
}

std::vector<std::u16string> splitCommandLine(std::u16string_view commandLine) {
    return split(commandLine, [](std::u16string_view text, std::size_t pos) {
        return pos < text.size() ? pos + 1 : text.size();
    });
}

}  // namespace qm
