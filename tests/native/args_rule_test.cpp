#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../shared/memory_runlist.h"
#include "args/argument_rule.h"
#include "args/handoff.h"

namespace qm {
namespace {

using Texts = std::vector<std::u16string>;
using Effects = std::vector<std::string>;

// Records each effect together with the run list's length when it happened, which shows
// that every switch acts before anything is appended.
class RecordingTarget final : public ArgumentTarget {
public:
    explicit RecordingTarget(const RunList& list) : list_(list) {}
    void makeTopmost() override { effects.push_back("topmost@" + std::to_string(list_.count())); }
    void setGiveBack() override { effects.push_back("giveback@" + std::to_string(list_.count())); }
    Effects effects;

private:
    const RunList& list_;
};

Texts entries(const RunList& list) {
    Texts out;
    for (int i = 0; i < list.count(); ++i) out.push_back(list.read(i));
    return out;
}

struct RuleCase {
    Texts args;
    Effects effects;
    Texts appended;
};

TEST(ArgumentRule, SkipsAsManyLeadingPositionsAsThereAreSwitches) {
    const RuleCase cases[] = {
        {{u"x", u"y"}, {}, {u"x", u"y"}},
        {{u"/t", u"x", u"y"}, {"topmost@0"}, {u"x", u"y"}},
        {{u"/d", u"/t", u"x"}, {"giveback@0", "topmost@0"}, {u"x"}},
        {{u"x", u"/t", u"y"}, {"topmost@0"}, {u"/t", u"y"}},
        {{u"x", u"y", u"/d"}, {"giveback@0"}, {u"y", u"/d"}},
        {{u"/t", u"x", u"/d"}, {"topmost@0", "giveback@0"}, {u"/d"}},
        {{u"/t", u"/t", u"x"}, {"topmost@0", "topmost@0"}, {u"x"}},
        {{u"/t"}, {"topmost@0"}, {}},
        {{u"/T", u"x"}, {}, {u"/T", u"x"}},
        {{u"/D", u"x"}, {}, {u"/D", u"x"}},
        {{}, {}, {}},
        {{u"/d", u"/t"}, {"giveback@0", "topmost@0"}, {}},
        // Empty arguments and duplicates are appended like any other.
        {{u"/t", u"", u"x", u"x"}, {"topmost@0"}, {u"", u"x", u"x"}},
        // Whatever the arguments hold: a surrogate pair, ポ (83 7C, its trail byte a "|").
        {{u"\U0001F600", u"/t", u"C:\\ポ|.txt"}, {"topmost@0"}, {u"/t", u"C:\\ポ|.txt"}},
    };
    for (const RuleCase& c : cases) {
        MemoryRunList list;
        RecordingTarget target(list);
        applyArgumentRule(c.args, list, target);
        EXPECT_EQ(target.effects, c.effects) << ::testing::PrintToString(c.args);
        EXPECT_EQ(entries(list), c.appended) << ::testing::PrintToString(c.args);
    }
}

TEST(ArgumentRule, MatchesSwitchesUnitForUnitOnly) {
    // Look-alikes among them that a best-fit conversion would turn into a switch.
    const Texts lookalikes = {
        u"/t ", u" /t", u"//t",      u"/td",     u"-t",      u"t",       u"/",
        u"\\t", u"/T",  u"/\u30DDt", u"\uFF0Ft", u"/\uFF54", u"\u2215d", std::u16string(u"/t\0", 3)};
    for (const std::u16string& arg : lookalikes) {
        MemoryRunList list;
        RecordingTarget target(list);
        applyArgumentRule({arg, u"x"}, list, target);
        EXPECT_EQ(target.effects, Effects{}) << ::testing::PrintToString(arg);
        EXPECT_EQ(list.count(), 2) << ::testing::PrintToString(arg);
    }
}

TEST(ArgumentRule, AddsToWhatTheRunListAlreadyHolds) {
    MemoryRunList list;
    RecordingTarget target(list);
    applyArgumentRule({u"a", u"b"}, list, target);
    applyArgumentRule({u"/t", u"b", u"c"}, list, target);
    EXPECT_EQ(entries(list), (Texts{u"a", u"b", u"b", u"c"}));
    EXPECT_EQ(target.effects, Effects{"topmost@2"});
}

TEST(CutArgumentText, EmptyPiecesBehindTheSwitchesBecomeEntries) {
    MemoryRunList list;
    RecordingTarget target(list);
    applyArgumentRule(cutArgumentText(u"/d||ポ|\U0001F600|"), list, target);
    EXPECT_EQ(target.effects, Effects{"giveback@0"});
    EXPECT_EQ(entries(list), (Texts{u"", u"ポ", u"\U0001F600"}));

    MemoryRunList none;
    RecordingTarget untouched(none);
    applyArgumentRule(cutArgumentText(u""), none, untouched);
    EXPECT_EQ(untouched.effects, Effects{});
    EXPECT_EQ(none.count(), 0);
}

}  // namespace
}  // namespace qm
