// Cutting a hand-off text at "|" and applying the argument rule, on any UTF-16 text (the
// input's two readings, fuzz_support.h). Checks:
// - the pieces, joined with "|" (plus the final "|" when the text ends in one), give the text
//   back, and the separators are exactly the "|" units of the text (no other unit, a surrogate
//   or a character whose code page bytes hold 0x7C among them, cuts or is cut);
// - joining the pieces and cutting again gives the same pieces (less a trailing empty one);
// - the rule takes one effect per switch and appends exactly the arguments behind them.
#include "../tests/shared/memory_runlist.h"
#include "args/argument_rule.h"
#include "args/handoff.h"
#include "fuzz_support.h"
#include "runlist/runlist.h"

namespace {

using qm::fuzz::check;

class CountingTarget final : public qm::ArgumentTarget {
public:
    void makeTopmost() override { ++effects; }
    void setGiveBack() override { ++effects; }
    std::size_t effects = 0;
};

void cutAndApply(std::u16string_view given) {
    const qm::fuzz::ExactUnits input(given);
    const std::vector<std::u16string> pieces = qm::cutArgumentText(input.view());
    const std::u16string_view text = qm::fuzz::upToNul(input.view());

    // Where the pieces say the separators are.
    std::vector<std::size_t> separators;
    std::size_t pos = 0;
    for (const std::u16string& piece : pieces) {
        pos += piece.size();
        if (pos < text.size()) separators.push_back(pos++);
    }
    check(pos == text.size(), "the pieces do not cover the text");
    const bool endsWithBar = !pieces.empty() && separators.size() == pieces.size();
    check(qm::joinArguments(pieces) + (endsWithBar ? u"|" : u"") == text,
          "the pieces joined with \"|\" are not the text");

    std::vector<std::size_t> bars;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'|') bars.push_back(i);
    }
    check(separators == bars, "the pieces are not cut at exactly the \"|\" units");

    std::vector<std::u16string> expected = pieces;
    if (!expected.empty() && expected.back().empty()) expected.pop_back();
    check(qm::cutArgumentText(qm::joinArguments(pieces)) == expected, "joining and cutting again changes the pieces");

    qm::MemoryRunList list;
    CountingTarget target;
    qm::applyArgumentRule(pieces, list, target);
    std::size_t switches = 0;
    for (const std::u16string& piece : pieces) switches += (piece == u"/t" || piece == u"/d") ? 1 : 0;
    check(target.effects == switches, "not one effect per switch");
    const std::vector<std::u16string> behind(pieces.begin() + static_cast<std::ptrdiff_t>(switches), pieces.end());
    std::vector<std::u16string> appended;
    for (int i = 0; i < list.count(); ++i) appended.push_back(list.read(i));
    check(appended == behind, "the appended entries are not the pieces behind the switch count");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const qm::Cp932Model cp;
    for (const std::u16string& text : qm::fuzz::readings(data, size, cp)) cutAndApply(text);
    return 0;
}
