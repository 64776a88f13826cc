// The run list: the ordered paths a launch passes on, each with its own selected flag, each
// in UTF-16 exactly as its source named it. The list box ListBox1 is the store; the commands
// work on it through this interface.
#pragma once

#include <string>
#include <string_view>

namespace qm {

class RunList {
public:
    virtual ~RunList() = default;
    // Adds the text up to its first NUL as a new, unselected entry at the end.
    // Throws AppError("行を挿入できません") when the store refuses it.
    virtual void append(std::u16string_view text) = 0;
    virtual int count() const = 0;
    // The three below throw AppError("リストのインデックスが範囲を超えています (pos)")
    // for a position outside 0 .. count-1.
    virtual std::u16string read(int pos) const = 0;
    virtual bool isSelected(int pos) const = 0;
    virtual void setSelected(int pos, bool selected) = 0;
    virtual void remove(int pos) = 0;
    virtual void removeAll() = 0;
    // After a command has set entries selected in ascending order, `first` and `last` the
    // first and the last of them (-1 when none): a store with a caret and a scroll position
    // puts them where setting each of those entries selected in turn, with the caret moving
    // to each, would have left them.
    virtual void settleSelection(int /*first*/, int /*last*/) {}
};

// The editing commands: the count read once, then one request per entry (Invert: a read
// and then a write per entry).
void deleteSelected(RunList& list);
void removeAll(RunList& list);
void selectAll(RunList& list);
void invertSelection(RunList& list);

// The error for a position outside the list.
[[noreturn]] void throwIndexError(int pos);

}  // namespace qm
