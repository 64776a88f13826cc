#include "args/argument_rule.h"

namespace qm {

void applyArgumentRule(const std::vector<std::string>& args, RunList& list,
                       ArgumentTarget& target) {
    std::size_t switches = 0;
    for (const std::string& arg : args) {
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

std::vector<std::string> cutArgumentText(std::string_view text, const CodePage& cp) {
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); i = cp.next(text, i)) {
        if (text[i] == '|') {
            pieces.emplace_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    if (start < text.size()) pieces.emplace_back(text.substr(start));
    return pieces;
}

}  // namespace qm
