// The argument rule, shared by the command line at creation and by every hand-off: the
// switches "/t" and "/d" are recognised wherever they stand, and the arguments behind as many
// leading positions as there are switches are appended to the run list.
#pragma once

#include <string>
#include <vector>

#include "runlist/runlist.h"

namespace qm {

inline constexpr char16_t kTopmostSwitch[] = u"/t";
inline constexpr char16_t kGiveBackSwitch[] = u"/d";

// What the switches act on: the main window and the focus give-back flag.
class ArgumentTarget {
public:
    virtual ~ArgumentTarget() = default;
    virtual void makeTopmost() = 0;  // once for every "/t"
    virtual void setGiveBack() = 0;  // once for every "/d"
};

// Switch pass, then append pass. Each argument that equals "/t" or "/d" unit for unit takes
// effect and counts; then the arguments from position count+1 on are appended whatever they
// hold (switches and empty texts included). Append errors from the run list pass through.
void applyArgumentRule(const std::vector<std::u16string>& args, RunList& list, ArgumentTarget& target);

}  // namespace qm
