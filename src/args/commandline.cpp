#include "args/commandline.h"

#include <algorithm>

namespace qm {

namespace {

class CommandLineReader {
public:
    explicit CommandLineReader(std::u16string_view text) : text_(text) {}

    std::u16string readArgument() {
        skipToArgument();
        std::u16string arg;
        while (pos_ < text_.size() && !isBlank(text_[pos_])) {
            if (text_[pos_] == u'"') {
                ++pos_;  // the opening quote is dropped
                const std::size_t close = std::min(text_.find(u'"', pos_), text_.size());
                arg.append(text_.substr(pos_, close - pos_));
                pos_ = close < text_.size() ? close + 1 : close;  // and so is the closing one
            } else {
                arg.push_back(text_[pos_++]);
            }
        }
        return arg;
    }

private:
    static bool isBlank(char16_t c) { return c >= 1 && c <= 32; }

    // Blanks, and pairs of double quotes standing at the start of an argument, vanish.
    void skipToArgument() {
        for (;;) {
            while (pos_ < text_.size() && isBlank(text_[pos_])) ++pos_;
            if (text_.substr(pos_, 2) != u"\"\"") return;
            pos_ += 2;
        }
    }

    std::u16string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

std::vector<std::u16string> splitCommandLine(std::u16string_view commandLine) {
    // NUL ends the text, as it ends the C string the system hands out.
    CommandLineReader reader(commandLine.substr(0, commandLine.find(u'\0')));
    reader.readArgument();  // the program's own path
    std::vector<std::u16string> args;
    for (;;) {
        std::u16string arg = reader.readArgument();
        if (arg.empty()) break;
        args.push_back(std::move(arg));
    }
    return args;
}

}  // namespace qm
