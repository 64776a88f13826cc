#include "launch/launch.h"

#include <cstddef>
#include <vector>

#include "text/textrules.h"
#include "text/texts.h"

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

Refusal refusalOf(const LaunchPlan& plan, bool delayedExpansionByDefault, const CurrentFolderFinder& inCurrentFolder,
                  std::u16string* found) {
    const CommandLine& line = plan.commandLine;
    // With its terminating NUL the line must stay within kMaxCommandLineChars.
    if (line.line.size() >= kMaxCommandLineChars) return Refusal::LineTooLong;
    if (!plan.interpreter) return Refusal::None;
    return interpreterRefusalOf(line.line, line.entries, *plan.interpreter, delayedExpansionByDefault, inCurrentFolder,
                                found);
}

bool programNamedWithFullPath(std::u16string_view commandLine) {
    if (!commandLine.empty() && commandLine[0] == u'"') commandLine.remove_prefix(1);
    const auto separator = [](char16_t c) { return c == u'\\' || c == u'/'; };
    if (commandLine.size() >= 2 && separator(commandLine[0]) && separator(commandLine[1])) return true;
    const char16_t drive = commandLine.empty() ? u'\0' : static_cast<char16_t>(commandLine[0] | 0x20);
    return commandLine.size() >= 3 && drive >= u'a' && drive <= u'z' && commandLine[1] == u':' &&
           separator(commandLine[2]);
}

std::u16string cannotStartText(std::u16string_view appName, Refusal refusal, std::u16string_view found) {
    std::u16string text = formatMessage(texts::kErrCannotStart, appName);
    const char16_t* why = nullptr;
    switch (refusal) {
        case Refusal::SearchTakesCurrentFolder:
            why = texts::kWhySearchSetting;
            break;
        case Refusal::LineTooLong:
            why = texts::kWhyLineTooLong;
            break;
        case Refusal::InterpreterLineTooLong:
            why = texts::kWhyInterpreterLineTooLong;
            break;
        case Refusal::EntryNotWhole:
            why = texts::kWhyEntryNotWhole;
            break;
        case Refusal::EntryChanged:
            why = texts::kWhyEntryChanged;
            break;
        case Refusal::ProgramInCurrentFolder:
            why = texts::kWhyInCurrentFolder;
            break;
        case Refusal::ProgramNameInDoubt:
            why = texts::kWhyNameInDoubt;
            break;
        case Refusal::None:
        case Refusal::StartFailed:
            return text;
    }
    text += u'\n';
    text += refusal == Refusal::ProgramInCurrentFolder ? formatMessage(why, found) : std::u16string(why);
    return text;
}

}  // namespace qm
