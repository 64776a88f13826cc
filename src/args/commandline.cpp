#include "args/commandline.h"

namespace qm {

namespace {

bool isBlank(char c) {
    const unsigned char code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

class CommandLineReader {
public:
    CommandLineReader(std::string_view text, const CodePage& cp) : text_(text), cp_(cp) {}

    std::string readArgument() {
        skipToArgument();
        std::string arg;
        while (pos_ < text_.size() && !isBlank(text_[pos_])) {
            if (text_[pos_] == '"') {
                step();  // the opening quote is dropped
                while (pos_ < text_.size() && text_[pos_] != '"') take(arg);
                if (pos_ < text_.size()) step();  // and so is the closing one
            } else {
                take(arg);
            }
        }
        return arg;
    }

private:
    // Blanks, and pairs of double quotes standing at the start of an argument, vanish.
    void skipToArgument() {
        for (;;) {
            while (pos_ < text_.size() && isBlank(text_[pos_])) step();
            if (pos_ >= text_.size() || text_[pos_] != '"') return;
            const std::size_t second = cp_.next(text_, pos_);
            if (second >= text_.size() || text_[second] != '"') return;
            pos_ = cp_.next(text_, second);
        }
    }

    void step() { pos_ = cp_.next(text_, pos_); }

    // Appends the whole character at the current position (one or two bytes).
    void take(std::string& arg) {
        const std::size_t end = cp_.next(text_, pos_);
        arg.append(text_.data() + pos_, end - pos_);
        pos_ = end;
    }

    std::string_view text_;
    const CodePage& cp_;
    std::size_t pos_ = 0;
};

}  // namespace

std::vector<std::string> splitCommandLine(std::string_view commandLine, const CodePage& cp) {
    // NUL ends the text, as it ends the C string the system hands out.
    CommandLineReader reader(commandLine.substr(0, commandLine.find('\0')), cp);
    reader.readArgument();  // the program's own path
    std::vector<std::string> args;
    for (;;) {
        std::string arg = reader.readArgument();
        if (arg.empty()) break;
        args.push_back(std::move(arg));
    }
    return args;
}

}  // namespace qm
