// A command template and run-list entries (the input cut at its NUL bytes: the template
// first). The launch puts each entry in the form its program reads, and either form names the
// same program. Whenever the launch's check lets the command interpreter have the line, a
// reading of the line of its own, by the interpreter's rules, finds every entry inside quotes
// and unchanged: as a batch file's line and as the interpreter's own, with delayed expansion
// on by default or not. And whatever the template, a command joined to its end by "&" has its
// program looked up, or the names are in doubt, unless quotes left open or a "^" may take the
// "&" for a character.
#include "../tests/shared/memory_runlist.h"
#include "fuzz_support.h"
#include "launch/interpreter.h"
#include "launch/launch.h"

namespace {

using qm::fuzz::check;

char16_t lower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}

// The interpreter's command and how it reads it: the units it runs (an index into the
// line, or kSystem for a quote the system adds) and its switches.
constexpr std::size_t kSystem = static_cast<std::size_t>(-1);
struct Command {
    bool found = false;
    std::vector<std::size_t> units;
    bool s = false;
    bool delayed = false;
};

// The interpreter's switches as it looks for them: every "/" of its line in turn, whatever
// stands between, up to the first "/c" or "/k".
Command commandOf(std::u16string_view line, bool batch, bool delayedByDefault) {
    Command c;
    c.delayed = delayedByDefault;
    if (batch) {  // cmd /c "<the line>"
        c.found = true;
        c.units.push_back(kSystem);
        for (std::size_t i = 0; i < line.size(); ++i) c.units.push_back(i);
        c.units.push_back(kSystem);
        return c;
    }
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        if (line[i] != u'/') continue;
        const char16_t sw = lower(line[i + 1]);
        if (sw == u's') c.s = true;
        // "/v:off..." turns it off; any other "/v" is taken as turning it on.
        if (sw == u'v') {
            const std::u16string_view v = line.substr(i + 2, 4);
            c.delayed =
                !(v.size() == 4 && v[0] == u':' && lower(v[1]) == u'o' && lower(v[2]) == u'f' && lower(v[3]) == u'f');
        }
        if (sw == u'c' || sw == u'k') {
            c.found = true;
            for (std::size_t k = i + 2; k < line.size(); ++k) c.units.push_back(k);
            return c;
        }
    }
    return c;
}

char16_t unitOf(std::u16string_view line, std::size_t u) {
    return u == kSystem ? u'"' : line[u];
}

// The line units that the interpreter reads inside quotes and unchanged, for one choice of
// the quotes it strips.
std::vector<bool> wholeUnits(std::u16string_view line, const Command& c, bool strip) {
    std::vector<std::size_t> units = c.units;
    if (strip) {
        std::size_t first = 0;
        while (first < units.size() && (unitOf(line, units[first]) == u' ' || unitOf(line, units[first]) == u'\t'))
            ++first;
        std::size_t last = units.size();
        for (std::size_t k = units.size(); k-- > first + 1;)
            if (unitOf(line, units[k]) == u'"') {
                last = k;
                break;
            }
        if (last < units.size()) units.erase(units.begin() + static_cast<std::ptrdiff_t>(last));
        units.erase(units.begin() + static_cast<std::ptrdiff_t>(first));
    }
    // A line feed ends the line; a carriage return is dropped.
    for (std::size_t k = 0; k < units.size(); ++k)
        if (unitOf(line, units[k]) == u'\n') units.resize(k);
    std::vector<bool> whole(line.size(), false);
    // "%" (and "!" when delayed) pairs, and what lies between them, may change.
    std::vector<bool> mayChange(units.size(), false);
    bool lineHasBang = false;
    for (std::size_t u : units) lineHasBang |= unitOf(line, u) == u'!';
    for (char16_t mark : {u'%', u'!'}) {
        if (mark == u'!' && !c.delayed) continue;
        std::size_t open = kSystem;
        for (std::size_t k = 0; k < units.size(); ++k) {
            if (unitOf(line, units[k]) != mark) continue;
            mayChange[k] = true;
            if (open == kSystem) {
                open = k;
            } else {
                for (std::size_t m = open; m < k; ++m) mayChange[m] = true;
                open = kSystem;
            }
        }
    }
    enum { Outside, Inside, Escaped } state = Outside;
    for (std::size_t k = 0; k < units.size(); ++k) {
        const char16_t ch = unitOf(line, units[k]);
        if (state == Escaped) {
            state = Outside;
            continue;
        }
        if (ch == u'"') {
            state = state == Inside ? Outside : Inside;
            continue;
        }
        if (state == Outside && ch == u'^') {
            state = Escaped;
            continue;
        }
        const bool caretGoes = ch == u'^' && c.delayed && lineHasBang;
        if (units[k] != kSystem && state == Inside && !mayChange[k] && ch != u'\r' && !caretGoes)
            whole[units[k]] = true;
    }
    return whole;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const qm::Cp932Model cp;
    const qm::fuzz::ExactBytes input(data, size);
    std::string_view rest = input.view();
    const std::size_t cut = rest.find('\0');
    const std::string commandTemplate(rest.substr(0, cut));
    // One unit a byte, for the template and the entries alike: the check reads units,
    // whatever characters they are.
    const auto widened = [](std::string_view text) {
        std::u16string out;
        for (const char c : text) out += static_cast<char16_t>(static_cast<unsigned char>(c));
        return out;
    };
    qm::MemoryRunList list;
    while (cut != std::string_view::npos && list.count() < 8) {
        rest.remove_prefix(rest.find('\0') + 1);
        const std::size_t nul = rest.find('\0');
        list.append(widened(rest.substr(0, nul)));
        if (nul == std::string_view::npos) break;
    }
    const qm::AppTable table{{u"a=" + widened(commandTemplate)}};
    // A search that finds every name of an odd length: the template's spaces are tried in turn.
    const qm::ProgramFinder found = [](const std::u16string& name) { return name.size() % 2 == 1; };
    const qm::LaunchPlan plan = qm::planLaunch(list, u"a", &table, false, false, cp, found);
    const std::u16string& line = plan.commandLine.line;
    const std::vector<qm::EntrySpan>& entries = plan.commandLine.entries;
    // Each entry stands inside its quotes in the form its program reads: as written for the
    // interpreter, by the argument rules for any other program.
    const qm::EntryForm form = plan.interpreter ? qm::EntryForm::AsWritten : qm::EntryForm::Arguments;
    std::vector<std::u16string> texts;
    for (int i = 0; i < list.count(); ++i) texts.push_back(qm::quotedEntryText(list.read(i), form));
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const qm::EntrySpan& e = entries[k];
        check(e.at > 0 && e.at + e.length < line.size(), "a span runs off the line");
        check(line[e.at - 1] == u'"' && line[e.at + e.length] == u'"', "a span is not inside the entry's quotes");
        check(line.substr(e.at, e.length) == texts[k % texts.size()], "an entry is not in its program's form");
    }
    // The other form names the same program.
    const qm::EntryForm other = plan.interpreter ? qm::EntryForm::Arguments : qm::EntryForm::AsWritten;
    std::vector<std::u16string> otherTexts;
    for (int i = 0; i < list.count(); ++i) otherTexts.push_back(qm::quotedEntryText(list.read(i), other));
    const std::u16string otherLine = qm::replacePathPlaceholder(widened(commandTemplate), otherTexts, cp).line;
    check(qm::interpreterStartOf(otherLine, found) == plan.interpreter, "the entries' form changed the program");
    // Whatever the line, reading the names its interpreter looks up stays within it.
    for (const bool batch : {true, false})
        qm::programNamesWithoutFolder(line, batch ? qm::InterpreterStart::BatchFile : qm::InterpreterStart::Interpreter,
                                      batch);
    const std::u16string wideTemplate = widened(commandTemplate);
    std::size_t templateQuotes = 0;
    for (const char16_t c : wideTemplate) templateQuotes += c == u'"';
    constexpr char16_t kBreaks[] = {u'^', u'\r', u'\n', u'\0'};
    if (templateQuotes % 2 == 0 && wideTemplate.find_first_of(kBreaks, 0, 4) == std::u16string::npos) {
        // "/s": the interpreter strips the first and the last quote, if any, and no other way.
        const auto names = qm::programNamesWithoutFolder(u"cmd /s /c " + wideTemplate + u" & qmzzq",
                                                         qm::InterpreterStart::Interpreter, false);
        if (names) {
            bool found = false;
            for (const std::u16string& name : *names) found = found || name == u"qmzzq";
            check(found, "a command after \"&\" was not looked up");
        }
    }
    for (const bool batch : {true, false}) {
        for (const bool delayedByDefault : {false, true}) {
            const auto start = batch ? qm::InterpreterStart::BatchFile : qm::InterpreterStart::Interpreter;
            if (qm::entryRefusalOf(line, entries, start, delayedByDefault) != qm::Refusal::None) continue;
            if (entries.empty()) continue;
            const Command c = commandOf(line, batch, delayedByDefault);
            check(c.found, "a line without /c or /k was let through");
            std::vector<std::vector<bool>> readings;
            std::size_t first = 0, quotes = 0;
            while (first < c.units.size() &&
                   (unitOf(line, c.units[first]) == u' ' || unitOf(line, c.units[first]) == u'\t'))
                ++first;
            for (std::size_t u : c.units) quotes += unitOf(line, u) == u'"';
            const bool leadingQuote = first < c.units.size() && unitOf(line, c.units[first]) == u'"';
            if (leadingQuote) readings.push_back(wholeUnits(line, c, true));
            if (!leadingQuote || (!c.s && quotes == 2)) readings.push_back(wholeUnits(line, c, false));
            for (const std::vector<bool>& whole : readings)
                for (const qm::EntrySpan& e : entries)
                    for (std::size_t i = e.at; i < e.at + e.length; ++i)
                        check(whole[i], "an entry let through is not whole inside quotes");
        }
    }
    return 0;
}
