#include "launch/interpreter.h"

#include <string>
#include <utility>

namespace qm {
namespace {

constexpr std::size_t kNone = std::u16string_view::npos;

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

char16_t lowerAscii(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool isAsciiAlnum(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Whether `text`, its ASCII letters lowered, equals `lower`, which is in lower case already.
bool lowersToAscii(std::u16string_view text, std::string_view lower) {
    if (text.size() != lower.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (lowerAscii(text[i]) != static_cast<unsigned char>(lower[i])) return false;
    return true;
}

// The command the interpreter runs, as text of its own: for a batch file the line between
// the quotes the system puts around it, for the interpreter the rest of the line after
// "/c" or "/k". `offset` maps a position in the line to one in the text.
struct Command {
    std::u16string text;
    std::size_t lineStart = 0;  // where the text begins in the line
    std::size_t offset = 0;     // units in the text before that point (the system's quote)
    bool switchS = false;
    int delayed = -1;  // -1: no "/v" switch; 0: "/v:off"; 1: anything else
    std::size_t toText(std::size_t linePos) const { return linePos - lineStart + offset; }
};

// Reads the interpreter's own switches, which must come plainly before "/c" or "/k": the
// program (quoted, or up to the first blank, holding no "/", since the interpreter takes
// the first "/" of its line for a switch), then only switches it knows.
bool readInterpreterLine(std::u16string_view line, Command& command) {
    const std::size_t n = line.size();
    std::size_t i = 0;
    if (n > 0 && line[0] == u'"') {
        const std::size_t close = line.find(u'"', 1);
        if (close == kNone) return false;
        i = close + 1;
    } else {
        while (i < n && !isBlank(line[i])) ++i;
    }
    if (line.substr(0, i).find(u'/') != kNone) return false;
    for (;;) {
        while (i < n && isBlank(line[i])) ++i;
        if (i + 1 >= n || line[i] != u'/') return false;
        const char16_t sw = lowerAscii(line[i + 1]);
        i += 2;
        if (sw == u'c' || sw == u'k') {
            command.lineStart = i;
            command.text = std::u16string(line.substr(i));
            return true;
        }
        if (sw == u's') {
            command.switchS = true;
        } else if (sw == u't' || sw == u'e' || sw == u'f' || sw == u'v') {
            const std::size_t value = i;
            if (i < n && line[i] == u':') {
                ++i;
                while (i < n && isAsciiAlnum(line[i])) ++i;
            }
            if (sw == u'v') {
                const std::u16string_view v = line.substr(value, i - value);
                const bool off =
                    v.size() == 4 && lowerAscii(v[1]) == u'o' && lowerAscii(v[2]) == u'f' && lowerAscii(v[3]) == u'f';
                command.delayed = off ? 0 : 1;
            }
        } else if (sw != u'q' && sw != u'd' && sw != u'a' && sw != u'u' && sw != u'x' && sw != u'y') {
            return false;  // "/r" and the like: not read alike by every interpreter
        }
        if (i < n && !isBlank(line[i]) && line[i] != u'/') return false;
    }
}

// What the interpreter runs: a batch file's line inside the quotes the system puts around it,
// or the interpreter's own command. False where the line is not read plainly.
bool readCommand(std::u16string_view line, InterpreterStart start, Command& command) {
    if (start == InterpreterStart::Interpreter) return readInterpreterLine(line, command);
    command.text.reserve(line.size() + 2);
    command.text += u'"';
    command.text += line;
    command.text += u'"';
    command.offset = 1;
    return true;
}

bool delayedExpansion(const Command& command, bool byDefault) {
    return command.delayed == -1 ? byDefault : command.delayed == 1;
}

// The two quotes the interpreter strips from its command in one way of reading it (kNone:
// none).
struct Stripped {
    std::size_t first;
    std::size_t last;
};

// After "/c" or "/k" (and the blanks after it) the interpreter strips a leading quote and
// the line's last quote, unless no "/s" was given and the line holds exactly two quotes,
// of which it then keeps both when the text between them names a program: both readings.
// None when the command begins with what the interpreter takes for a separator.
std::vector<Stripped> readingsOf(const Command& command) {
    const std::u16string& text = command.text;
    std::size_t first = 0;
    while (first < text.size() && isBlank(text[first])) ++first;
    if (first < text.size() && std::u16string_view(u",;=\v\f").find(text[first]) != kNone) return {};
    if (first >= text.size() || text[first] != u'"') return {{kNone, kNone}};
    const std::size_t last = text.rfind(u'"');
    std::vector<Stripped> readings{{first, last == first ? kNone : last}};
    std::size_t quotes = 0;
    for (char16_t c : text) quotes += c == u'"';
    if (!command.switchS && quotes == 2) readings.push_back({kNone, kNone});
    return readings;
}

// For each unit of the text, whether the interpreter reads it inside quotes, once the
// stripped quotes are taken away: every quote toggles the quoting, and outside quotes a "^"
// takes the next unit as it is, a quote too.
std::vector<bool> quotedUnits(const std::u16string& text, Stripped stripped) {
    const auto dropped = [&](std::size_t i) { return i == stripped.first || i == stripped.last; };
    std::vector<bool> quoted(text.size(), false);
    bool inQuotes = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (dropped(i)) continue;
        const char16_t c = text[i];
        if (c == u'"') {
            inQuotes = !inQuotes;
        } else if (!inQuotes && c == u'^') {
            do ++i;
            while (i < text.size() && dropped(i));
        } else {
            quoted[i] = inQuotes;
        }
    }
    return quoted;
}

// Whether a pair of `mark` in the text (the first and the last) encloses any of the span.
bool enclosedBy(const std::u16string& text, char16_t mark, std::size_t from, std::size_t to) {
    const std::size_t first = text.find(mark);
    return first != kNone && first < from && text.rfind(mark) >= to;
}

// Whether the text holds a line break or a NUL, which end the interpreter's line: whatever
// follows is cut off, or run.
bool holdsLineEnd(std::u16string_view text) {
    constexpr char16_t kLineEnds[] = {u'\r', u'\n', u'\0'};
    return text.find_first_of(kLineEnds, 0, 3) != kNone;
}

// The text of one reading: the command without the quotes it strips.
std::u16string readingText(const std::u16string& text, Stripped stripped) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (i != stripped.first && i != stripped.last) out += text[i];
    return out;
}

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

bool isOneOf(char16_t c, std::u16string_view set) {
    return c != u'\0' && set.find(c) != kNone;
}

// Whether `text` is one of `words` (in lower case), in any case.
template <std::size_t N>
bool isOneOfWords(std::u16string_view text, const std::string_view (&words)[N]) {
    for (const std::string_view word : words)
        if (lowersToAscii(text, word)) return true;
    return false;
}

// What the interpreter does with a command word of its own.
enum class Internal {
    None,   // no command of its own: a program it looks up
    Plain,  // its own command, which runs no other
    Call,   // runs the command after it
    Start,  // runs the program after its title and switches
    If,     // runs the command after its condition, and the one after "else"
    For,    // runs the command after "do"
};

// The interpreter's own commands that run no other command (Internal::Plain), in lower case.
constexpr std::string_view kPlainCommands[] = {
    "assoc",    "cd",    "chdir",  "cls",   "color", "copy", "date",   "del",    "dir",   "echo",
    "endlocal", "erase", "exit",   "ftype", "goto",  "md",   "mkdir",  "mklink", "move",  "path",
    "pause",    "popd",  "prompt", "pushd", "rd",    "rem",  "ren",    "rename", "rmdir", "set",
    "setlocal", "shift", "time",   "title", "type",  "ver",  "verify", "vol"};

// What the interpreter does with a word of this name (in any case).
Internal internalNamed(std::u16string_view name) {
    if (lowersToAscii(name, "call")) return Internal::Call;
    if (lowersToAscii(name, "start")) return Internal::Start;
    if (lowersToAscii(name, "if")) return Internal::If;
    if (lowersToAscii(name, "for")) return Internal::For;
    return isOneOfWords(name, kPlainCommands) ? Internal::Plain : Internal::None;
}

// A command word as the interpreter reads it: up to a blank or one of "& | < > ( )" outside
// quotes, its quotes left out.
struct Word {
    std::u16string text;
    std::vector<std::size_t> cuts;  // where a "/ , ; = + [ ]" outside quotes ends a shorter name
    bool quoted = false;            // a quote stands in it
    bool escaped = false;           // a "^" outside quotes stands in it
    bool expanded = false;          // it holds "%" (or "!" where delayed expansion is on)
};

// Whether a name that expansion changes names a folder whatever it expands to: a "\" or ":"
// outside the spans between two "%" (or "!").
bool namesFolderWhateverExpands(std::u16string_view text, bool delayed) {
    char16_t open = 0;
    for (const char16_t c : text) {
        if (open != 0) {
            if (c == open) open = 0;
        } else if (c == u'%' || (delayed && c == u'!')) {
            open = c;
        } else if (c == u'\\' || c == u':') {
            return true;
        }
    }
    return false;
}

// Reads one reading of the interpreter's command as the interpreter runs it, command by
// command, and gathers the names it looks up (programNamesWithoutFolder). Each reading step
// answers false where what the interpreter does is in doubt.
class CommandReader {
public:
    CommandReader(std::u16string text, bool delayed, std::vector<std::u16string>& names)
        : s_(std::move(text)), delayed_(delayed), names_(names) {}

    bool read() { return sequence(0) && atEnd(); }

private:
    // Commands joined by "&", "&&", "||" and "|", up to the end (or, inside "( )", a ")").
    bool sequence(int depth) {
        for (;;) {
            if (!command(depth)) return false;
            skipBlanks();
            if (atEnd()) return depth == 0;
            const char16_t c = s_[i_];
            if (c == u')' && depth > 0) return true;
            if (c != u'&' && c != u'|') return false;
            ++i_;
            if (peek() == c) ++i_;
        }
    }

    // One command. `lookedUpAnyway`: its word is looked up even where it names one of the
    // interpreter's own commands ("start" may look a program of that name up first).
    bool command(int depth, bool lookedUpAnyway = false) {
        // Nested without end ("call call ...", "((((..."): in doubt, and the stack stays small.
        const Nesting nesting(nesting_);
        if (nesting_ > kMaxNesting) return false;
        skipBlanks();
        while (peek() == u'@') {
            ++i_;
            skipBlanks();
        }
        if (atEnd()) return true;
        // No command before an operator, a redirection before the program ("<in x.bat") or a
        // separator the interpreter skips: in doubt.
        if (isOneOf(s_[i_], u"&|)<>,;=\v\f")) return false;
        if (s_[i_] == u'(') return group(depth);
        const Word word = readWord();
        if (word.text.empty()) return false;
        // "2>nul x.bat": the program's name comes after the redirection.
        if ((peek() == u'<' || peek() == u'>') && !word.quoted &&
            word.text.find_first_not_of(u"0123456789") == std::u16string::npos)
            return false;
        if (!word.quoted && !word.escaped && !word.expanded) {
            // The interpreter takes the word for its own command up to the first "/ , ; = + [ ]"
            // (or, should no file of the whole word's name be there, up to a ". \ :").
            const std::u16string_view head =
                std::u16string_view(word.text).substr(0, word.text.find_first_of(u"/,;=+[]"));
            Internal kind = internalNamed(head);
            const bool maybeFile = kind == Internal::None;
            if (maybeFile) kind = internalNamed(head.substr(0, head.find_first_of(u".\\:")));
            if (kind != Internal::None) {
                const bool alone = !maybeFile && head.size() == word.text.size() && (atEnd() || isBlank(peek()));
                // "call.x", "if(", "start/b": not read plainly.
                if (kind != Internal::Plain && !alone) return false;
                if ((maybeFile || lookedUpAnyway) && !addNames(word)) return false;
                switch (kind) {
                    case Internal::Call:
                        return call(depth);
                    case Internal::Start:
                        return start(depth);
                    case Internal::If:
                        return ifCommand(depth);
                    case Internal::For:
                        return forCommand(depth);
                    default:
                        return arguments(depth);
                }
            }
        }
        if (!addNames(word)) return false;
        // Another interpreter reads the rest of the command by its own rules.
        if (runsInInterpreterByName(word.text) == InterpreterStart::Interpreter) return false;
        return arguments(depth);
    }

    // "( ... )", and the redirections after it.
    bool group(int depth) {
        ++i_;
        if (!sequence(depth + 1) || peek() != u')') return false;
        ++i_;
        for (;;) {
            skipBlanks();
            const bool handle = isDigit(peek()) && (peek(1) == u'<' || peek(1) == u'>');
            if (handle) ++i_;
            if (peek() != u'<' && peek() != u'>') return !handle;
            if (!redirection()) return false;
        }
    }

    // The names a command word gives (programNamesWithoutFolder); false where in doubt.
    bool addNames(const Word& word) {
        if (word.escaped) return false;
        if (word.expanded) return namesFolderWhateverExpands(word.text, delayed_);
        for (const std::size_t cut : word.cuts) names_.push_back(word.text.substr(0, cut));
        names_.push_back(word.text);
        return true;
    }

    Word readWord() {
        Word word;
        bool inQuotes = false;
        for (; !atEnd(); ++i_) {
            const char16_t c = s_[i_];
            if (c == u'"') {
                inQuotes = !inQuotes;
                word.quoted = true;
                continue;
            }
            if (c == u'%' || (delayed_ && c == u'!')) word.expanded = true;
            if (!inQuotes) {
                if (isBlank(c) || isOneOf(c, u"&|<>()")) break;
                if (c == u'^') word.escaped = true;
                if (isOneOf(c, u"/,;=+[]")) word.cuts.push_back(word.text.size());
            }
            word.text += c;
        }
        return word;
    }

    // The rest of a command that runs no other, up to the operator that ends it: quotes,
    // "^" and redirections read as the interpreter reads them.
    bool arguments(int depth) {
        bool inQuotes = false;
        while (!atEnd()) {
            const char16_t c = s_[i_];
            if (inQuotes) {
                inQuotes = c != u'"';
                ++i_;
            } else if (c == u'"') {
                inQuotes = true;
                ++i_;
            } else if (c == u'^') {
                i_ += 2;
            } else if (c == u'&' || c == u'|' || (c == u')' && depth > 0)) {
                return true;
            } else if (c == u'<' || c == u'>') {
                if (!redirection()) return false;
            } else {
                ++i_;
            }
        }
        return true;
    }

    // "<", ">" or ">>", then a file's name or "&" and a handle's number.
    bool redirection() {
        const char16_t c = s_[i_++];
        if (c == u'>' && peek() == u'>') ++i_;
        if (peek() == u'&') {
            ++i_;
            if (!isDigit(peek())) return false;
            while (isDigit(peek())) ++i_;
            return true;
        }
        skipBlanks();
        return !operand(u"").empty();
    }

    // A word of a command's own (a file, a condition's text), up to a blank, one of `stops`
    // or an operator outside quotes; a "^" outside quotes takes the next character.
    std::u16string operand(std::u16string_view stops) {
        std::u16string out;
        bool inQuotes = false;
        for (; !atEnd(); ++i_) {
            const char16_t c = s_[i_];
            if (c == u'"') {
                inQuotes = !inQuotes;
            } else if (!inQuotes) {
                if (isBlank(c) || isOneOf(c, u"&|<>()") || isOneOf(c, stops)) break;
                if (c == u'^') {
                    if (++i_ >= s_.size()) break;
                    out += s_[i_];
                    continue;
                }
            }
            out += c;
        }
        return out;
    }

    // "call" and the command it runs.
    bool call(int depth) {
        skipBlanks();
        if (atEnd()) return true;
        // A label, a block, and "if", "for" and "rem", which "call" reads otherwise than the
        // interpreter's line does.
        if (peek() == u':' || peek() == u'(') return false;
        const std::size_t at = i_;
        const Word next = readWord();
        i_ = at;
        static constexpr std::string_view kCalledOtherwise[] = {"if", "for", "rem"};
        if (!next.quoted && isOneOfWords(next.text, kCalledOtherwise)) return false;
        return command(depth);
    }

    // "start", its title and switches, and the program it runs.
    bool start(int depth) {
        skipBlanks();
        if (peek() == u'"') {  // the title
            const std::size_t close = s_.find(u'"', i_ + 1);
            if (close == kNone) return false;
            i_ = close + 1;
            if (!atEnd() && !isBlank(peek())) return false;
        }
        // "/d" names another folder the program may be looked up in; any switch but these is
        // in doubt.
        static constexpr std::string_view kSwitches[] = {
            "/i",    "/min",      "/max",         "/separate",    "/shared", "/low", "/normal",
            "/high", "/realtime", "/abovenormal", "/belownormal", "/wait",   "/b"};
        static constexpr std::string_view kSwitchesWithValue[] = {"/node", "/affinity"};
        for (skipBlanks(); peek() == u'/'; skipBlanks()) {
            const std::u16string sw = operand(u"");
            if (isOneOfWords(sw, kSwitchesWithValue)) {
                skipBlanks();
                if (operand(u"").empty()) return false;
            } else if (!isOneOfWords(sw, kSwitches)) {
                return false;
            }
        }
        // No program: a new interpreter that waits for input.
        if (atEnd() || isOneOf(peek(), u"&|") || (peek() == u')' && depth > 0)) return true;
        return command(depth, true);
    }

    // "if", its condition, the command it runs, and "else" with its own.
    bool ifCommand(int depth) {
        skipBlanks();
        if (keyword("/i")) skipBlanks();
        if (keyword("not")) skipBlanks();
        if (keyword("exist") || keyword("defined") || keyword("errorlevel") || keyword("cmdextversion")) {
            skipBlanks();
            if (!plainOperand(u"")) return false;
        } else {
            if (!plainOperand(u"=")) return false;
            skipBlanks();
            if (peek() == u'=' && peek(1) == u'=') {
                i_ += 2;
            } else {
                static constexpr std::string_view kComparisons[] = {"equ", "neq", "lss", "leq", "gtr", "geq"};
                if (!isOneOfWords(operand(u""), kComparisons)) return false;
            }
            skipBlanks();
            if (!plainOperand(u"=") || peek() == u'=') return false;
        }
        skipBlanks();
        if (atEnd()) return false;
        if (peek() != u'(') return command(depth);
        if (!group(depth)) return false;
        skipBlanks();
        if (!keyword("else", true)) return true;
        skipBlanks();
        return !atEnd() && command(depth);
    }

    // An operand of a condition: not empty, and no "," or ";" (which the interpreter may take
    // for blanks) or "^" outside quotes.
    bool plainOperand(std::u16string_view stops) {
        const std::size_t from = i_;
        const std::u16string text = operand(stops);
        if (text.empty()) return false;
        bool inQuotes = false;
        for (std::size_t k = from; k < i_; ++k) {
            if (s_[k] == u'"') inQuotes = !inQuotes;
            if (!inQuotes && isOneOf(s_[k], u",;^")) return false;
        }
        return true;
    }

    // "for", its switches, variable and set, "do" and the command it runs.
    bool forCommand(int depth) {
        bool fileParsing = false;
        for (skipBlanks(); peek() == u'/'; skipBlanks()) {
            const std::u16string sw = operand(u"");
            skipBlanks();
            if (lowersToAscii(sw, "/r")) {
                if (peek() != u'%' && operand(u"").empty()) return false;  // the folder to walk
            } else if (lowersToAscii(sw, "/f")) {
                fileParsing = true;
                if (peek() == u'"' && operand(u"").empty()) return false;  // its options, quoted
            } else if (!lowersToAscii(sw, "/d") && !lowersToAscii(sw, "/l")) {
                return false;
            }
        }
        // The variable: "%x" on the command line.
        if (peek() != u'%' || operand(u"").size() < 2) return false;
        skipBlanks();
        if (!keyword("in", true)) return false;
        skipBlanks();
        if (peek() != u'(') return false;
        bool inQuotes = false;
        for (++i_; !atEnd(); ++i_) {
            const char16_t c = s_[i_];
            if (c == u'"') inQuotes = !inQuotes;
            if (!inQuotes && c == u')') break;
            // "for /f" runs a command in quotes of its own.
            if (fileParsing && (c == u'\'' || c == u'`')) return false;
        }
        if (atEnd()) return false;
        ++i_;
        skipBlanks();
        if (!keyword("do", true)) return false;
        skipBlanks();
        return !atEnd() && command(depth);
    }

    // Takes `word` (in lower case) when it stands next, in any case, followed by a blank (or,
    // `orBlock`, a "(") or the end.
    bool keyword(std::string_view word, bool orBlock = false) {
        if (atEnd() || s_.size() - i_ < word.size() ||
            !lowersToAscii(std::u16string_view(s_).substr(i_, word.size()), word))
            return false;
        const char16_t after = peek(word.size());
        if (after != u'\0' && !isBlank(after) && !(orBlock && after == u'(')) return false;
        i_ += word.size();
        return true;
    }

    bool atEnd() const { return i_ >= s_.size(); }
    char16_t peek(std::size_t ahead = 0) const { return i_ + ahead < s_.size() ? s_[i_ + ahead] : u'\0'; }
    void skipBlanks() {
        while (!atEnd() && isBlank(s_[i_])) ++i_;
    }

    // Counts one more command inside another while it is read.
    struct Nesting {
        explicit Nesting(int& n) : n_(n) { ++n_; }
        ~Nesting() { --n_; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;
        int& n_;
    };

    static constexpr int kMaxNesting = 64;
    const std::u16string s_;
    const bool delayed_;
    std::vector<std::u16string>& names_;
    std::size_t i_ = 0;
    int nesting_ = 0;
};

// Whether "start" stands anywhere in the text, in any case.
bool holdsStart(std::u16string_view text) {
    for (std::size_t i = 0; i + 5 <= text.size(); ++i)
        if (lowersToAscii(text.substr(i, 5), "start")) return true;
    return false;
}

// Whether the line holds a "/c" or "/k" anywhere, as an interpreter that looks for its
// switches all along the line finds it.
bool hasCommandSwitch(std::u16string_view line) {
    for (std::size_t i = 0; i + 1 < line.size(); ++i)
        if (line[i] == u'/' && (lowerAscii(line[i + 1]) == u'c' || lowerAscii(line[i + 1]) == u'k')) return true;
    return false;
}

}  // namespace

std::optional<InterpreterStart> runsInInterpreterByName(std::u16string_view name) {
    // The system drops trailing dots and spaces from a name: "x.bat." is "x.bat".
    while (!name.empty() && (name.back() == u'.' || name.back() == u' ')) name.remove_suffix(1);
    // The file name after the last folder separator, and the extension after its last dot.
    const std::size_t separator = name.find_last_of(u"\\/:");
    const std::u16string_view file = name.substr(separator == kNone ? 0 : separator + 1);
    // "cmd" is started as cmd.exe.
    if (lowersToAscii(file, "cmd") || lowersToAscii(file, "cmd.exe")) return InterpreterStart::Interpreter;
    const std::size_t dot = file.find_last_of(u'.');
    if (dot == kNone) return std::nullopt;
    const std::u16string_view extension = file.substr(dot);
    if (lowersToAscii(extension, ".bat") || lowersToAscii(extension, ".cmd")) return InterpreterStart::BatchFile;
    return std::nullopt;
}

std::optional<InterpreterStart> interpreterStartOf(std::u16string_view commandLine, const ProgramFinder& found) {
    // A quoted name is the program, whatever follows it, and is not searched further.
    if (!commandLine.empty() && commandLine[0] == u'"') {
        const std::size_t close = commandLine.find(u'"', 1);
        return runsInInterpreterByName(commandLine.substr(1, close == kNone ? close : close - 1));
    }
    // Unquoted, a name may hold spaces: "C:\a b\x.bat y" is "C:\a" (as C:\a.exe) when
    // that is found, else "C:\a b\x.bat".
    // No file name holds a quote, so no name that reaches past one is searched for: a long
    // quoted path list is not searched name by name.
    for (std::size_t i = 0; i < commandLine.size() && commandLine[i] != u'"'; ++i) {
        if (isBlank(commandLine[i])) {
            const std::u16string name(commandLine.substr(0, i));
            if (found && found(name)) return runsInInterpreterByName(name);
        }
    }
    return runsInInterpreterByName(commandLine);
}

Refusal entryRefusalOf(std::u16string_view line, const std::vector<EntrySpan>& entries, InterpreterStart start,
                       bool delayedExpansionByDefault) {
    if (entries.empty()) return Refusal::None;
    // No template holds a line break: it comes with an entry.
    if (holdsLineEnd(line)) return Refusal::EntryChanged;

    Command command;
    if (!readCommand(line, start, command)) return Refusal::EntryNotWhole;
    const std::u16string& text = command.text;
    // A second interpreter, which takes the default, reads what a "|" joins and what "start" opens.
    const bool delayed = delayedExpansion(command, delayedExpansionByDefault) ||
                         (delayedExpansionByDefault && (text.find(u'|') != kNone || holdsStart(text)));
    std::vector<std::vector<bool>> readings;
    for (const Stripped stripped : readingsOf(command)) readings.push_back(quotedUnits(text, stripped));
    if (readings.empty()) return Refusal::EntryNotWhole;

    // The command's shape first: it is wrong for every entry.
    for (const EntrySpan& entry : entries) {
        if (entry.at > line.size() || entry.length > line.size() - entry.at) return Refusal::EntryNotWhole;
        if (entry.at < command.lineStart) return Refusal::EntryNotWhole;  // among the switches, or in the program
        const std::size_t from = command.toText(entry.at), to = from + entry.length;
        if (enclosedBy(text, u'%', from, to)) return Refusal::EntryNotWhole;
        if (delayed && enclosedBy(text, u'!', from, to)) return Refusal::EntryNotWhole;
        for (const std::vector<bool>& quoted : readings)
            for (std::size_t i = from; i < to; ++i)
                if (!quoted[i]) return Refusal::EntryNotWhole;
    }
    const bool lineHasBang = text.find(u'!') != kNone;
    for (const EntrySpan& entry : entries) {
        const std::size_t from = command.toText(entry.at), to = from + entry.length;
        for (std::size_t i = from; i < to; ++i) {
            const char16_t c = text[i];
            // "%" and "!" are expanded even inside quotes; a file name holds no control character.
            if (c == u'%' || (c < 0x20 && c != u'\t')) return Refusal::EntryChanged;
            if (delayed && (c == u'!' || (c == u'^' && lineHasBang))) return Refusal::EntryChanged;
        }
    }
    return Refusal::None;
}

std::optional<std::vector<std::u16string>> programNamesWithoutFolder(std::u16string_view line, InterpreterStart start,
                                                                     bool delayedExpansionByDefault) {
    std::vector<std::u16string> names;
    Command command;
    if (!readCommand(line, start, command)) {
        // Without "/c" or "/k" the interpreter runs nothing of its line: it waits for input.
        if (!hasCommandSwitch(line)) return names;
        return std::nullopt;
    }
    const bool delayed = delayedExpansion(command, delayedExpansionByDefault);
    const std::vector<Stripped> readings = readingsOf(command);
    if (readings.empty() || holdsLineEnd(command.text)) return std::nullopt;
    for (const Stripped stripped : readings)
        if (!CommandReader(readingText(command.text, stripped), delayed, names).read()) return std::nullopt;
    std::vector<std::u16string> bare;
    for (std::u16string& name : names)
        if (!name.empty() && name.find_first_of(u"\\/:") == std::u16string::npos) bare.push_back(std::move(name));
    return bare;
}

Refusal interpreterRefusalOf(std::u16string_view line, const std::vector<EntrySpan>& entries, InterpreterStart start,
                             bool delayedExpansionByDefault, const CurrentFolderFinder& inCurrentFolder,
                             std::u16string* found) {
    if (line.size() > kMaxInterpreterLineChars) return Refusal::InterpreterLineTooLong;
    const Refusal entriesRefusal = entryRefusalOf(line, entries, start, delayedExpansionByDefault);
    if (entriesRefusal != Refusal::None) return entriesRefusal;
    const auto names = programNamesWithoutFolder(line, start, delayedExpansionByDefault);
    if (!names) return Refusal::ProgramNameInDoubt;
    for (const std::u16string& name : *names) {
        if (inCurrentFolder(name)) {
            if (found) *found = name;
            return Refusal::ProgramInCurrentFolder;
        }
    }
    return Refusal::None;
}

}  // namespace qm
