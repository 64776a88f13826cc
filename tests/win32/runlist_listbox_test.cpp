// The run-list commands on a real LISTBOX with the run list's styles.
#include <windows.h>

#include "../shared/runlist_cases.h"
#include "runlist/listbox_runlist.h"
#include "support/desktop.h"
#include "text/codepage.h"
#include "text/error.h"
#include "win/scoped.h"

namespace {

class ListBoxRunListTest : public qm::test::ListBoxFixture {};

QM_RUNLIST_CASES(ListBoxRunListTest)

TEST_F(ListBoxRunListTest, HasTheRunListStylesAndNoSortOrOwnerDraw) {
    // The scroll-bar bits come and go with the scroll bars themselves; the list styles stay.
    const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
    const LONG listStyles = LBS_NOTIFY | LBS_HASSTRINGS | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT;
    EXPECT_EQ(style & listStyles, listStyles);
    EXPECT_EQ(style & (LBS_SORT | LBS_MULTIPLESEL | LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE), 0);
}

TEST_F(ListBoxRunListTest, SelectAllSetsEachEntryOnceAndTheListBoxAgrees) {
    qm::runlist_cases::fill(list(), 50);
    {
        const qm::ScopedRedrawPause pause(hwnd_);
        qm::selectAll(list());
    }
    EXPECT_EQ(SendMessageA(hwnd_, LB_GETSELCOUNT, 0, 0), 50);
    // After the pause the list box is shown again and its scroll bar stands where the list
    // is scrolled to: the last entry in view.
    EXPECT_NE(GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE, 0);
    const LRESULT top = SendMessageA(hwnd_, LB_GETTOPINDEX, 0, 0);
    EXPECT_GT(top, 0);
    EXPECT_EQ(GetScrollPos(hwnd_, SB_VERT), top);
}

TEST_F(ListBoxRunListTest, LongEntriesAndAnyCharacterAreReadBackWhole) {
    const std::u16string longText(5000, u'x');
    list().append(longText);
    EXPECT_EQ(list().read(0), longText);
    // A surrogate pair, a surrogate alone (a name NTFS can hold) and characters the code
    // page lacks go in and come back unit for unit.
    const std::u16string wide = u"caf\u00E9 \u2603 \U0001F600 \xD800";
    list().append(wide);
    EXPECT_EQ(list().read(1), wide);
}

TEST_F(ListBoxRunListTest, HoldsAtMost32767EntriesAndHasRoomAgainAfterARemoval) {
    {
        const qm::ScopedRedrawPause pause(hwnd_);
        for (int i = 0; i < 32767; ++i) list().append(u"");
    }
    EXPECT_THROW(list().append(u"one too many"), qm::AppError);
    list().remove(0);
    list().append(u"again");
    EXPECT_EQ(SendMessageW(hwnd_, LB_GETCOUNT, 0, 0), 32767);
    EXPECT_EQ(list().read(32766), u"again");
}

TEST(Environment, AnsiCodePageIs932) {
    // Everything else here assumes code page 932; a wrong set-up must fail loudly.
    EXPECT_EQ(GetACP(), 932u);
}

// The native tests walk text with a model of code page 932: it must take the same bytes for
// lead bytes as the system does.
TEST(Environment, TheCodePageModelsLeadBytesAreTheSystems) {
    const qm::Cp932Model model;
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        EXPECT_EQ(model.isLeadByte(byte), qm::systemCodePage().isLeadByte(byte)) << b;
    }
    EXPECT_TRUE(qm::systemCodePage().isLeadByte(0x9F));
    EXPECT_FALSE(qm::systemCodePage().isLeadByte(0xA0));
}

}  // namespace
