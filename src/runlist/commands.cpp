#include "runlist/runlist.h"

#include <string>

#include "text/error.h"
#include "text/texts.h"
#include "text/textrules.h"

namespace qm {

std::vector<bool> RunList::selection() const {
    const int n = count();
    std::vector<bool> flags(static_cast<std::size_t>(n > 0 ? n : 0));
    for (int i = 0; i < n; ++i) flags[static_cast<std::size_t>(i)] = isSelected(i);
    return flags;
}

namespace {

// One command's requests, ended also when one of them fails.
class Command {
public:
    explicit Command(RunList& list) : list_(list) { list_.beginCommand(); }
    ~Command() { list_.endCommand(); }
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

private:
    RunList& list_;
};

}  // namespace

void deleteSelected(RunList& list) {
    const Command command(list);
    // From the end, so that every position still to be visited stays valid.
    const std::vector<bool> selected = list.selection();
    for (std::size_t i = selected.size(); i-- > 0;) {
        if (selected[i]) list.remove(static_cast<int>(i));
    }
}

void removeAll(RunList& list) { list.removeAll(); }

void selectAll(RunList& list) {
    const Command command(list);
    const int n = list.count();
    for (int i = 0; i < n; ++i) list.setSelected(i, true);
}

void invertSelection(RunList& list) {
    const Command command(list);
    const std::vector<bool> selected = list.selection();
    for (std::size_t i = 0; i < selected.size(); ++i) list.setSelected(static_cast<int>(i), !selected[i]);
}

void throwIndexError(int pos) {
    throw AppError(formatMessage(texts::kErrListIndex, std::to_string(pos)));
}

void MemoryRunList::append(std::string_view text) {
    entries_.push_back({std::string(text.substr(0, text.find('\0'))), false});
}

const MemoryRunList::Entry& MemoryRunList::at(int pos) const {
    if (pos < 0 || pos >= count()) throwIndexError(pos);
    return entries_[static_cast<std::size_t>(pos)];
}

std::string MemoryRunList::read(int pos) const { return at(pos).text; }
bool MemoryRunList::isSelected(int pos) const { return at(pos).selected; }

void MemoryRunList::setSelected(int pos, bool selected) {
    at(pos);
    entries_[static_cast<std::size_t>(pos)].selected = selected;
}

void MemoryRunList::remove(int pos) {
    if (pos >= 0 && pos < count()) entries_.erase(entries_.begin() + pos);
}

}  // namespace qm
