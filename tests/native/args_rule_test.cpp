#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../shared/memory_runlist.h"
#include "args/argument_rule.h"
#include "args/handoff.h"

namespace qm {
namespace {

using Texts = std::vector<std::string>;
const Cp932Model cp;

// Records each effect together with the run list's length when it happened, which shows
// that every switch acts before anything is appended.
class RecordingTarget final : public ArgumentTarget {
public:
    explicit RecordingTarget(const RunList& list) : list_(list) {}
    void makeTopmost() override { effects.push_back("topmost@" + std::to_string(list_.count())); }
    void setGiveBack() override { effects.push_back("giveback@" + std::to_string(list_.count())); }
    Texts effects;

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
    Texts effects;
    Texts appended;
};

TEST(ArgumentRule, SkipsAsManyLeadingPositionsAsThereAreSwitches) {
    const RuleCase cases[] = {
        {{"x", "y"}, {}, {"x", "y"}},
        {{"/t", "x", "y"}, {"topmost@0"}, {"x", "y"}},
        {{"/d", "/t", "x"}, {"giveback@0", "topmost@0"}, {"x"}},
        {{"x", "/t", "y"}, {"topmost@0"}, {"/t", "y"}},
        {{"x", "y", "/d"}, {"giveback@0"}, {"y", "/d"}},
        {{"/t", "x", "/d"}, {"topmost@0", "giveback@0"}, {"/d"}},
        {{"/t", "/t", "x"}, {"topmost@0", "topmost@0"}, {"x"}},
        {{"/t"}, {"topmost@0"}, {}},
        {{"/T", "x"}, {}, {"/T", "x"}},
        {{"/D", "x"}, {}, {"/D", "x"}},
        {{}, {}, {}},
        {{"/d", "/t"}, {"giveback@0", "topmost@0"}, {}},
        // Empty arguments and duplicates are appended like any other.
        {{"/t", "", "x", "x"}, {"topmost@0"}, {"", "x", "x"}},
    };
    for (const RuleCase& c : cases) {
        MemoryRunList list;
        RecordingTarget target(list);
        applyArgumentRule(c.args, list, target);
        EXPECT_EQ(target.effects, c.effects) << ::testing::PrintToString(c.args);
        EXPECT_EQ(entries(list), c.appended) << ::testing::PrintToString(c.args);
    }
}

TEST(ArgumentRule, MatchesSwitchesByteForByteOnly) {
    const Texts lookalikes = {"/t ", " /t", "//t", "/td", "-t", "t", "/", "\\t", "/T", "/\x83t",
                              std::string("/t\0", 3)};
    for (const std::string& arg : lookalikes) {
        MemoryRunList list;
        RecordingTarget target(list);
        applyArgumentRule({arg, "x"}, list, target);
        EXPECT_EQ(target.effects, Texts{}) << ::testing::PrintToString(arg);
        EXPECT_EQ(list.count(), 2) << ::testing::PrintToString(arg);
    }
}

TEST(ArgumentRule, AddsToWhatTheRunListAlreadyHolds) {
    MemoryRunList list;
    RecordingTarget target(list);
    applyArgumentRule({"a", "b"}, list, target);
    applyArgumentRule({"/t", "b", "c"}, list, target);
    EXPECT_EQ(entries(list), (Texts{"a", "b", "b", "c"}));
    EXPECT_EQ(target.effects, Texts{"topmost@2"});
}

TEST(CutArgumentText, EmptyPiecesBehindTheSwitchesBecomeEntries) {
    MemoryRunList list;
    RecordingTarget target(list);
    applyArgumentRule(cutArgumentText("/d||x|", cp), list, target);
    EXPECT_EQ(target.effects, Texts{"giveback@0"});
    EXPECT_EQ(entries(list), (Texts{"", "x"}));

    MemoryRunList none;
    RecordingTarget untouched(none);
    applyArgumentRule(cutArgumentText("", cp), none, untouched);
    EXPECT_EQ(untouched.effects, Texts{});
    EXPECT_EQ(none.count(), 0);
}

}  // namespace
}  // namespace qm
