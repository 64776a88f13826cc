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

std::string quotedPathList(const RunList& list, const CodePage& cp, std::vector<EntrySpan>* spans) {
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
    for (const std::string& entry : entries) {
        const std::size_t before = out.size();
        appendQuotedEntry(out, entry, cp);
        // Between the opening quote (after the space) and the closing one.
        if (spans) spans->push_back(EntrySpan{before + 2, out.size() - before - 3});
    }
    return out;
}

std::string replacePathPlaceholder(std::string_view commandTemplate, std::string_view pathList, const CodePage& cp,
                                   std::vector<std::size_t>* insertedAt) {
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
        if (insertedAt) insertedAt->push_back(out.size());
        out.append(pathList);
        from = at + pattern.size();
    }
    out.append(commandTemplate.substr(from));
    return out;
}

LaunchPlan planLaunch(const RunList& list, std::string_view selectedName, const AppTable* table,
                      bool clearChecked, bool quitChecked, const CodePage& cp) {
    LaunchPlan plan;
    std::vector<EntrySpan> inList;
    plan.quotedPathList = quotedPathList(list, cp, &inList);
    std::vector<std::size_t> insertedAt;
    plan.commandLine =
        replacePathPlaceholder(findTemplate(table, selectedName, cp), plan.quotedPathList, cp, &insertedAt);
    for (std::size_t at : insertedAt)
        for (const EntrySpan& span : inList) plan.entries.push_back(EntrySpan{at + span.at, span.length});
    plan.clearList = clearChecked;
    plan.closeWindow = quitChecked;
    return plan;
}

namespace {

// Whether `text`, its ASCII letters lowered, equals `lower`, which is in lower case already.
bool lowersToAscii(std::string_view text, std::string_view lower) {
    if (text.size() != lower.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char x = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (x != lower[i]) return false;
    }
    return true;
}

}  // namespace

std::optional<InterpreterStart> runsInInterpreterByName(std::string_view name, const CodePage& cp) {
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
    // "cmd" is started as cmd.exe.
    if (lowersToAscii(file, "cmd") || lowersToAscii(file, "cmd.exe")) return InterpreterStart::Interpreter;
    if (dot == std::string_view::npos) return std::nullopt;
    const std::string_view extension = name.substr(dot);
    if (lowersToAscii(extension, ".bat") || lowersToAscii(extension, ".cmd")) return InterpreterStart::BatchFile;
    return std::nullopt;
}

std::optional<InterpreterStart> interpreterStartOf(std::string_view commandLine, const ProgramFinder& found,
                                                   const CodePage& cp) {
    // A quoted name is the program, whatever follows it, and is not searched further. The
    // system reads the line as UTF-16, where a lead byte takes the byte after it, a quote
    // or a space too, into one character: that byte ends nothing.
    if (!commandLine.empty() && commandLine[0] == '"') {
        std::size_t close = 1;
        while (close < commandLine.size() && commandLine[close] != '"') close = cp.next(commandLine, close);
        return runsInInterpreterByName(commandLine.substr(1, close - 1), cp);
    }
    // Unquoted, a name may hold spaces: "C:\a b\x.bat y" is "C:\a" (as C:\a.exe) when
    // that is found, else "C:\a b\x.bat".
    for (std::size_t i = 0; i < commandLine.size();) {
        if (commandLine[i] == ' ' || commandLine[i] == '\t') {
            const std::string name(commandLine.substr(0, i));
            if (found(name)) return runsInInterpreterByName(name, cp);
        }
        i = cp.next(commandLine, i);
    }
    return runsInInterpreterByName(commandLine, cp);
}

}  // namespace qm
