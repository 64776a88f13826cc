#include "launch/launch.h"

#include <cstddef>
#include <vector>

namespace qm {

void appendQuotedEntry(std::u16string& out, std::u16string_view entry, EntryForm form) {
    out += u" \"";
    // A quote would end the quoting early and let the rest of the entry out as arguments of
    // their own.
    const std::size_t at = out.size();
    if (entry.find(u'"') == std::u16string_view::npos) {
        out += entry;
    } else {
        for (const char16_t c : entry)
            if (c != u'"') out += c;
    }
    if (form == EntryForm::Arguments) {
        // Backslashes at the end: before the closing quote they would escape it, so they go
        // out doubled.
        std::size_t trailing = 0;
        while (out.size() - trailing > at && out[out.size() - 1 - trailing] == u'\\') ++trailing;
        out.append(trailing, u'\\');
    }
    out += u'"';
}

std::u16string quotedEntryText(std::u16string_view entry, EntryForm form) {
    std::u16string out;
    appendQuotedEntry(out, entry, form);
    return out.substr(2, out.size() - 3);  // without the space, the opening and the closing quote
}

CommandLine replacePathPlaceholder(std::u16string_view commandTemplate, const std::vector<std::u16string>& entryTexts,
                                   const CodePage& cp) {
    // Upper-casing keeps the length in UTF-16 units, so a position in the upper-cased text
    // is the same position in the template.
    const std::u16string upperTemplate = cp.upper(commandTemplate);
    const std::u16string pattern = cp.upper(u"%P");

    std::vector<std::size_t> hits;
    for (std::size_t at = upperTemplate.find(pattern); at != std::u16string::npos;
         at = upperTemplate.find(pattern, at + pattern.size()))
        hits.push_back(at);
    CommandLine out;
    if (hits.empty()) {
        out.line = std::u16string(commandTemplate);
        return out;
    }

    std::size_t listSize = 0;
    for (const std::u16string& text : entryTexts) listSize += text.size() + 3;
    out.line.reserve(commandTemplate.size() - hits.size() * pattern.size() + hits.size() * listSize);
    out.entries.reserve(hits.size() * entryTexts.size());
    std::size_t from = 0;
    for (std::size_t at : hits) {
        out.line.append(commandTemplate.substr(from, at - from));
        for (const std::u16string& text : entryTexts) {
            out.line += u" \"";
            out.entries.push_back({out.line.size(), text.size()});
            out.line += text;
            out.line += u'"';
        }
        from = at + pattern.size();
    }
    out.line.append(commandTemplate.substr(from));
    return out;
}

LaunchPlan planLaunch(const RunList& list, std::u16string_view selectedName, const AppTable* table, bool clearChecked,
                      bool quitChecked, const CodePage& cp, const ProgramFinder& found) {
    LaunchPlan plan;
    const std::u16string commandTemplate = findTemplate(table, selectedName, cp);
    std::vector<std::u16string> entryTexts;
    const int n = list.count();
    entryTexts.reserve(static_cast<std::size_t>(n > 0 ? n : 0));
    for (int i = 0; i < n; ++i) entryTexts.push_back(quotedEntryText(list.read(i)));
    plan.commandLine = replacePathPlaceholder(commandTemplate, entryTexts, cp);
    // Either form of the entries names the same program: the names the system tries end before
    // the first quote or inside a leading pair of quotes, save the whole line, whose file name
    // (after its last folder separator) is the same text in both.
    plan.interpreter = interpreterStartOf(plan.commandLine.line, found);
    if (plan.interpreter) {
        // The interpreter reads no backslash as an escape: its entries go in as written.
        for (int i = 0; i < n; ++i)
            entryTexts[static_cast<std::size_t>(i)] = quotedEntryText(list.read(i), EntryForm::AsWritten);
        plan.commandLine = replacePathPlaceholder(commandTemplate, entryTexts, cp);
    }
    plan.clearList = clearChecked;
    plan.closeWindow = quitChecked;
    return plan;
}

Refusal refusalOf(const LaunchPlan& plan, bool delayedExpansionByDefault, const CurrentFolderFinder& inCurrentFolder) {
    const CommandLine& line = plan.commandLine;
    if (line.line.size() >= kMaxCommandLineChars) return Refusal::LineTooLong;
    if (!plan.interpreter) return Refusal::None;
    if (line.line.size() > kMaxInterpreterLineChars) return Refusal::InterpreterLineTooLong;
    if (!interpreterKeepsEntriesWhole(line.line, line.entries, *plan.interpreter, delayedExpansionByDefault))
        return Refusal::EntryNotWhole;
    const auto names = programNamesWithoutFolder(line.line, *plan.interpreter, delayedExpansionByDefault);
    if (!names) return Refusal::ProgramInCurrentFolder;
    for (const std::u16string& name : *names)
        if (inCurrentFolder(name)) return Refusal::ProgramInCurrentFolder;
    return Refusal::None;
}

namespace {

// Whether `text`, its ASCII letters lowered, equals `lower`, which is in lower case already.
bool lowersToAscii(std::u16string_view text, std::string_view lower) {
    if (text.size() != lower.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t x = text[i] >= u'A' && text[i] <= u'Z' ? static_cast<char16_t>(text[i] - u'A' + u'a') : text[i];
        if (x != static_cast<unsigned char>(lower[i])) return false;
    }
    return true;
}

}  // namespace

std::optional<InterpreterStart> runsInInterpreterByName(std::u16string_view name) {
    // The system drops trailing dots and spaces from a name: "x.bat." is "x.bat".
    while (!name.empty() && (name.back() == u'.' || name.back() == u' ')) name.remove_suffix(1);
    // The file name after the last folder separator, and the extension after its last dot.
    const std::size_t separator = name.find_last_of(u"\\/:");
    const std::u16string_view file = name.substr(separator == std::u16string_view::npos ? 0 : separator + 1);
    // "cmd" is started as cmd.exe.
    if (lowersToAscii(file, "cmd") || lowersToAscii(file, "cmd.exe")) return InterpreterStart::Interpreter;
    const std::size_t dot = file.find_last_of(u'.');
    if (dot == std::u16string_view::npos) return std::nullopt;
    const std::u16string_view extension = file.substr(dot);
    if (lowersToAscii(extension, ".bat") || lowersToAscii(extension, ".cmd")) return InterpreterStart::BatchFile;
    return std::nullopt;
}

std::optional<InterpreterStart> interpreterStartOf(std::u16string_view commandLine, const ProgramFinder& found) {
    // A quoted name is the program, whatever follows it, and is not searched further.
    if (!commandLine.empty() && commandLine[0] == u'"') {
        const std::size_t close = commandLine.find(u'"', 1);
        return runsInInterpreterByName(commandLine.substr(1, close == std::u16string_view::npos ? close : close - 1));
    }
    // Unquoted, a name may hold spaces: "C:\a b\x.bat y" is "C:\a" (as C:\a.exe) when
    // that is found, else "C:\a b\x.bat".
    // No file name holds a quote, so no name that reaches past one is searched for: a long
    // quoted path list is not searched name by name.
    for (std::size_t i = 0; i < commandLine.size() && commandLine[i] != u'"'; ++i) {
        if (commandLine[i] == u' ' || commandLine[i] == u'\t') {
            const std::u16string name(commandLine.substr(0, i));
            if (found && found(name)) return runsInInterpreterByName(name);
        }
    }
    return runsInInterpreterByName(commandLine);
}

}  // namespace qm
