#include "launch/launch.h"

#include <cstddef>
#include <vector>

namespace qm {

void appendQuotedEntry(std::string& out, std::string_view entry, const CodePage& cp) {
    out += " \"";
    // Most entries hold no quote and end in neither a backslash nor a lead byte: they go in
    // as they are, without a walk through every character.
    if (entry.empty() || (entry.find('"') == std::string_view::npos && entry.back() != '\\' &&
                          !cp.isLeadByte(static_cast<unsigned char>(entry.back())))) {
        out += entry;
        out += '"';
        return;
    }
    // Backslashes at the end of what has been written so far: before the closing quote they
    // would escape it, so they go out doubled.
    std::size_t trailingBackslashes = 0;
    for (std::size_t i = 0; i < entry.size();) {
        const std::size_t next = cp.next(entry, i);
        const std::string_view ch = entry.substr(i, next - i);
        i = next;
        // A quote would end the quoting early and let the rest of the entry out as arguments
        // of their own; a double-byte pair whose second byte is a quote is no character of
        // the code page and goes too. A lead byte left alone at the end would take the
        // closing quote as its trail byte for a reader that walks characters.
        if (ch.back() == '"') continue;
        if (ch.size() == 1 && cp.isLeadByte(static_cast<unsigned char>(ch[0]))) continue;
        out += ch;
        trailingBackslashes = ch == "\\" ? trailingBackslashes + 1 : 0;
    }
    out.append(trailingBackslashes, '\\');
    out += '"';
}

std::string quotedPathList(const RunList& list, const CodePage& cp) {
    // Each entry is read once (on Windows every read is a list-box request), then the text
    // is built in one piece; only a doubled backslash can make it longer than counted here.
    const int n = list.count();
    std::vector<std::string> entries;
    entries.reserve(static_cast<std::size_t>(n > 0 ? n : 0));
    std::size_t size = 0;
    for (int i = 0; i < n; ++i) {
        entries.push_back(list.read(i));
        size += entries.back().size() + 3;
    }
    std::string out;
    out.reserve(size);
    for (const std::string& entry : entries) appendQuotedEntry(out, entry, cp);
    return out;
}

std::string replacePathPlaceholder(std::string_view commandTemplate, std::string_view pathList,
                                   const CodePage& cp) {
    // Upper-casing keeps the byte length, so a position in the upper-cased text is the same
    // position in the template. A byte-wise search cannot start a match inside a double-byte
    // character: "%" is neither a lead byte nor a trail byte of the code page.
    const std::string upperTemplate = cp.upper(commandTemplate);
    const std::string pattern = cp.upper("%P");

    std::vector<std::size_t> hits;
    for (std::size_t at = upperTemplate.find(pattern); at != std::string::npos;
         at = upperTemplate.find(pattern, at + pattern.size()))
        hits.push_back(at);
    if (hits.empty()) return std::string(commandTemplate);

    std::string out;
    out.reserve(commandTemplate.size() - hits.size() * pattern.size() + hits.size() * pathList.size());
    std::size_t from = 0;
    for (std::size_t at : hits) {
        out.append(commandTemplate.substr(from, at - from));
        out.append(pathList);
        from = at + pattern.size();
    }
    out.append(commandTemplate.substr(from));
    return out;
}

LaunchPlan planLaunch(const RunList& list, std::string_view selectedName, const AppTable* table,
                      bool clearChecked, bool quitChecked, const CodePage& cp) {
    LaunchPlan plan;
    plan.quotedPathList = quotedPathList(list, cp);
    const std::string commandTemplate = findTemplate(table, selectedName, cp);
    plan.commandLine = replacePathPlaceholder(commandTemplate, plan.quotedPathList, cp);
    // The list goes on the line only in place of a "%P"; a list that is not empty begins
    // with a space and a quote, so the line then always differs from the template.
    plan.passesPercent = plan.commandLine != commandTemplate && holdsPercent(plan.quotedPathList, cp);
    plan.clearList = clearChecked;
    plan.closeWindow = quitChecked;
    return plan;
}

bool holdsPercent(std::string_view text, const CodePage& cp) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t next = cp.next(text, i);
        if (text[next - 1] == '%') return true;
        i = next;
    }
    return false;
}

namespace {

bool equalsAsciiIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
        if (x != b[i]) return false;
    }
    return true;
}

// A batch file or the interpreter, by the program's name. `name` as the line gives it.
bool isInterpreterName(std::string_view name, const CodePage& cp) {
    // The system drops trailing dots and spaces from a name: "x.bat." is "x.bat".
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.remove_suffix(1);
    // The file name after the last folder separator, and the extension after its last dot;
    // a trail byte 0x5C is no separator.
    std::size_t fileStart = 0, dot = std::string_view::npos;
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t next = cp.next(name, i);
        if (next - i == 1) {
            if (name[i] == '\\' || name[i] == '/' || name[i] == ':') {
                fileStart = next;
                dot = std::string_view::npos;
            } else if (name[i] == '.') {
                dot = i;
            }
        }
        i = next;
    }
    const std::string_view file = name.substr(fileStart);
    if (dot == std::string_view::npos) return equalsAsciiIgnoreCase(file, "cmd");  // started as cmd.exe
    const std::string_view extension = name.substr(dot);
    return equalsAsciiIgnoreCase(extension, ".bat") || equalsAsciiIgnoreCase(extension, ".cmd") ||
           equalsAsciiIgnoreCase(file, "cmd.exe");
}

}  // namespace

bool runsThroughInterpreter(std::string_view commandLine, const ProgramFinder& found, const CodePage& cp) {
    // A quoted name is the program, whatever follows it, and is not searched further. The
    // system reads the line as UTF-16, where a lead byte takes the byte after it, a quote
    // or a space too, into one character: that byte ends nothing.
    if (!commandLine.empty() && commandLine[0] == '"') {
        std::size_t close = 1;
        while (close < commandLine.size() && commandLine[close] != '"') close = cp.next(commandLine, close);
        return isInterpreterName(commandLine.substr(1, close - 1), cp);
    }
    // Unquoted, a name may hold spaces: "C:\a b\x.bat y" is "C:\a" (as C:\a.exe) when
    // that is found, else "C:\a b\x.bat".
    for (std::size_t i = 0; i < commandLine.size();) {
        if (commandLine[i] == ' ' || commandLine[i] == '\t') {
            const std::string name(commandLine.substr(0, i));
            if (found(name)) return isInterpreterName(name, cp);
        }
        i = cp.next(commandLine, i);
    }
    return isInterpreterName(commandLine, cp);
}

bool interpreterWouldAlterList(const LaunchPlan& plan, const ProgramFinder& found, const CodePage& cp) {
    return plan.passesPercent && runsThroughInterpreter(plan.commandLine, found, cp);
}

}  // namespace qm
