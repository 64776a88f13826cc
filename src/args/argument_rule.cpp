#include "args/argument_rule.h"

namespace qm {

void applyArgumentRule(const std::vector<std::u16string>& args, RunList& list, ArgumentTarget& target) {
    std::size_t switches = 0;
    for (const std::u16string& arg : args) {
        if (arg == kTopmostSwitch) {
            target.makeTopmost();
            ++switches;
        } else if (arg == kGiveBackSwitch) {
            target.setGiveBack();
            ++switches;
        }
    }
    // The first `switches` positions are skipped whatever they hold: switches are expected
    // to stand first.
    for (std::size_t i = switches; i < args.size(); ++i) list.append(args[i]);
}

}  // namespace qm
