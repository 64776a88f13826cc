// The run-list model in memory, for the logic's tests, fuzz targets and benchmarks that run
// without a window.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "runlist/runlist.h"

namespace qm {

class MemoryRunList final : public RunList {
public:
    void append(std::u16string_view text) override {
        entries_.push_back({std::u16string(text.substr(0, text.find(u'\0'))), false});
    }
    int count() const override { return static_cast<int>(entries_.size()); }
    std::u16string read(int pos) const override { return at(pos).text; }
    bool isSelected(int pos) const override { return at(pos).selected; }
    void setSelected(int pos, bool selected) override {
        at(pos);
        entries_[static_cast<std::size_t>(pos)].selected = selected;
    }
    void remove(int pos) override {
        if (pos >= 0 && pos < count()) entries_.erase(entries_.begin() + pos);
    }
    void removeAll() override { entries_.clear(); }

private:
    struct Entry {
        std::u16string text;
        bool selected = false;
    };
    const Entry& at(int pos) const {
        if (pos < 0 || pos >= count()) throwIndexError(pos);
        return entries_[static_cast<std::size_t>(pos)];
    }
    std::vector<Entry> entries_;
};

// A list in memory holding `entries`, in order.
inline MemoryRunList listOf(std::initializer_list<std::u16string_view> entries) {
    MemoryRunList list;
    for (const std::u16string_view e : entries) list.append(e);
    return list;
}

}  // namespace qm
