// The run-list behaviour every store must show: included by the native tests (in-memory
// list) and the Windows tests (a real LISTBOX), each of which defines MakeList().
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "runlist/runlist.h"
#include "text/error.h"

namespace qm::runlist_cases {

using Texts = std::vector<std::u16string>;

// A number in UTF-16, as the run list's texts and errors hold it.
inline std::u16string decimal(int n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

inline Texts texts(const RunList& l) {
    Texts out;
    for (int i = 0; i < l.count(); ++i) out.push_back(l.read(i));
    return out;
}

inline std::vector<int> selected(const RunList& l) {
    std::vector<int> out;
    for (int i = 0; i < l.count(); ++i)
        if (l.isSelected(i)) out.push_back(i);
    return out;
}

inline void fill(RunList& l, int n) {
    for (int i = 0; i < n; ++i) l.append(u"e" + decimal(i));
}

inline void select(RunList& l, std::initializer_list<int> positions) {
    for (int p : positions) l.setSelected(p, true);
}

inline void appendKeepsEverythingAsGiven(RunList& l) {
    l.append(u"C:\\a.txt");
    l.append(u" C:\\B.TXT ");
    l.append(u"C:\\a.txt");
    l.append(u"");
    l.append(std::u16string_view(u"cut\0here", 8));
    l.append(u"C:\\表\\ポ.txt");
    l.append(u"D:\\caf\u00E9 \U0001F600.txt");
    EXPECT_EQ(texts(l), (Texts{u"C:\\a.txt", u" C:\\B.TXT ", u"C:\\a.txt", u"", u"cut", u"C:\\表\\ポ.txt",
                               u"D:\\caf\u00E9 \U0001F600.txt"}));
    EXPECT_TRUE(selected(l).empty());
}

inline void deleteSelectedKeepsTheRestInOrder(RunList& l) {
    fill(l, 5);
    select(l, {0, 2, 3});
    deleteSelected(l);
    EXPECT_EQ(texts(l), (Texts{u"e1", u"e4"}));
    EXPECT_TRUE(selected(l).empty());
    deleteSelected(l);  // nothing selected: nothing changes
    EXPECT_EQ(texts(l), (Texts{u"e1", u"e4"}));
}

inline void invertTwiceRestores(RunList& l) {
    fill(l, 4);
    select(l, {1, 3});
    invertSelection(l);
    EXPECT_EQ(selected(l), (std::vector<int>{0, 2}));
    invertSelection(l);
    EXPECT_EQ(selected(l), (std::vector<int>{1, 3}));
}

inline void selectAllThenInvertLeavesNone(RunList& l) {
    fill(l, 3);
    selectAll(l);
    EXPECT_EQ(selected(l), (std::vector<int>{0, 1, 2}));
    invertSelection(l);
    EXPECT_TRUE(selected(l).empty());
    invertSelection(l);
    EXPECT_EQ(selected(l), (std::vector<int>{0, 1, 2}));
}

inline void appendAfterSelectionKeepsIt(RunList& l) {
    fill(l, 3);
    select(l, {1});
    l.append(u"new");
    EXPECT_EQ(selected(l), (std::vector<int>{1}));
    EXPECT_FALSE(l.isSelected(3));
}

inline void removeAllThenAppendStartsAtZero(RunList& l) {
    fill(l, 7);
    removeAll(l);
    EXPECT_EQ(l.count(), 0);
    l.append(u"x");
    EXPECT_EQ(texts(l), (Texts{u"x"}));
}

inline void commandsOnAnEmptyListDoNothing(RunList& l) {
    deleteSelected(l);
    selectAll(l);
    invertSelection(l);
    removeAll(l);
    EXPECT_EQ(l.count(), 0);
}

inline void positionsOutsideTheListRaiseTheIndexError(RunList& l) {
    fill(l, 2);
    for (int pos : {-1, 2, 1000}) {
        try {
            (void)l.read(pos);
            ADD_FAILURE() << "read(" << pos << ") did not throw";
        } catch (const AppError& e) {
            EXPECT_EQ(e.text(), u"リストのインデックスが範囲を超えています (" + decimal(pos) + u")");
        }
        EXPECT_THROW((void)l.isSelected(pos), AppError);
        EXPECT_THROW(l.setSelected(pos, true), AppError);
    }
    // setSelected(-1) must not select everything on the way to its error.
    EXPECT_TRUE(selected(l).empty());
}

}  // namespace qm::runlist_cases

// Instantiates every case for a fixture that provides `RunList& list()`.
#define QM_RUNLIST_CASES(Fixture)                                             \
    TEST_F(Fixture, AppendKeepsEverythingAsGiven) {                           \
        qm::runlist_cases::appendKeepsEverythingAsGiven(list());              \
    }                                                                         \
    TEST_F(Fixture, DeleteSelectedKeepsTheRestInOrder) {                      \
        qm::runlist_cases::deleteSelectedKeepsTheRestInOrder(list());         \
    }                                                                         \
    TEST_F(Fixture, InvertTwiceRestores) {                                    \
        qm::runlist_cases::invertTwiceRestores(list());                       \
    }                                                                         \
    TEST_F(Fixture, SelectAllThenInvertLeavesNone) {                          \
        qm::runlist_cases::selectAllThenInvertLeavesNone(list());             \
    }                                                                         \
    TEST_F(Fixture, AppendAfterSelectionKeepsIt) {                            \
        qm::runlist_cases::appendAfterSelectionKeepsIt(list());               \
    }                                                                         \
    TEST_F(Fixture, RemoveAllThenAppendStartsAtZero) {                        \
        qm::runlist_cases::removeAllThenAppendStartsAtZero(list());           \
    }                                                                         \
    TEST_F(Fixture, CommandsOnAnEmptyListDoNothing) {                         \
        qm::runlist_cases::commandsOnAnEmptyListDoNothing(list());            \
    }                                                                         \
    TEST_F(Fixture, PositionsOutsideTheListRaiseTheIndexError) {              \
        qm::runlist_cases::positionsOutsideTheListRaiseTheIndexError(list()); \
    }
