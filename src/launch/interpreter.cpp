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

// Adds the names the interpreter may take its command's program by in one reading
// (programNamesWithoutFolder); false where the name is in doubt.
bool addProgramNames(const std::u16string& text, Stripped stripped, bool delayed, std::vector<std::u16string>& names) {
    const auto dropped = [&](std::size_t i) { return i == stripped.first || i == stripped.last; };
    std::size_t i = 0;
    while (i < text.size() && (dropped(i) || isBlank(text[i]) || text[i] == u'@' || text[i] == u'(')) ++i;
    std::u16string name;
    bool inQuotes = false;
    for (; i < text.size(); ++i) {
        if (dropped(i)) continue;
        const char16_t c = text[i];
        if (c == u'"') {
            inQuotes = !inQuotes;
            continue;
        }
        if (c == u'%' || (delayed && c == u'!') || (!inQuotes && c == u'^')) return false;
        if (!inQuotes && (isBlank(c) || std::u16string_view(u"&|<>()").find(c) != kNone)) {
            // A redirection before the program ("<in x.bat", "2>nul x.bat") puts its name after it.
            const bool digit = name.size() == 1 && name[0] >= u'0' && name[0] <= u'9';
            if (name.empty() || ((c == u'<' || c == u'>') && digit)) return false;
            break;
        }
        if (!inQuotes && std::u16string_view(u"/,;=").find(c) != kNone) names.push_back(name);
        name += c;
    }
    names.push_back(name);
    return true;
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

bool interpreterKeepsEntriesWhole(std::u16string_view line, const std::vector<EntrySpan>& entries,
                                  InterpreterStart start, bool delayedExpansionByDefault) {
    if (entries.empty()) return true;
    // A line break (or a NUL) ends the interpreter's line: whatever follows is cut off, or run.
    constexpr char16_t kLineEnds[] = {u'\r', u'\n', u'\0'};
    if (line.find_first_of(kLineEnds, 0, 3) != kNone) return false;

    Command command;
    if (!readCommand(line, start, command)) return false;
    const bool delayed = delayedExpansion(command, delayedExpansionByDefault);
    const std::u16string& text = command.text;
    std::vector<std::vector<bool>> readings;
    for (const Stripped stripped : readingsOf(command)) readings.push_back(quotedUnits(text, stripped));
    if (readings.empty()) return false;

    const bool lineHasBang = text.find(u'!') != kNone;
    for (const EntrySpan& entry : entries) {
        if (entry.at > line.size() || entry.length > line.size() - entry.at) return false;
        if (entry.at < command.lineStart) return false;  // among the switches, or in the program
        const std::size_t from = command.toText(entry.at), to = from + entry.length;
        if (enclosedBy(text, u'%', from, to)) return false;
        if (delayed && enclosedBy(text, u'!', from, to)) return false;
        for (std::size_t i = from; i < to; ++i) {
            const char16_t c = text[i];
            // "%" and "!" are expanded even inside quotes; a file name holds no control character.
            if (c == u'%' || (c < 0x20 && c != u'\t')) return false;
            if (delayed && (c == u'!' || (c == u'^' && lineHasBang))) return false;
            for (const std::vector<bool>& quoted : readings)
                if (!quoted[i]) return false;
        }
    }
    return true;
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
    if (readings.empty()) return std::nullopt;
    for (const Stripped stripped : readings)
        if (!addProgramNames(command.text, stripped, delayed, names)) return std::nullopt;
    std::vector<std::u16string> bare;
    for (std::u16string& name : names)
        if (!name.empty() && name.find_first_of(u"\\/:") == std::u16string::npos) bare.push_back(std::move(name));
    return bare;
}

Refusal interpreterRefusalOf(std::u16string_view line, const std::vector<EntrySpan>& entries, InterpreterStart start,
                             bool delayedExpansionByDefault, const CurrentFolderFinder& inCurrentFolder) {
    if (line.size() > kMaxInterpreterLineChars) return Refusal::InterpreterLineTooLong;
    if (!interpreterKeepsEntriesWhole(line, entries, start, delayedExpansionByDefault)) return Refusal::EntryNotWhole;
    const auto names = programNamesWithoutFolder(line, start, delayedExpansionByDefault);
    if (!names) return Refusal::ProgramInCurrentFolder;
    for (const std::u16string& name : *names)
        if (inCurrentFolder(name)) return Refusal::ProgramInCurrentFolder;
    return Refusal::None;
}

}  // namespace qm
