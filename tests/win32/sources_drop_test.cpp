// The drop reader with a real drop handle of this process: every name in order, each whole,
// and the handle finished also when the run list refuses an entry.
#include <windows.h>
#include <gtest/gtest.h>
#include <shlobj.h>  // DROPFILES

#include <cstring>

#include "../shared/memory_runlist.h"
#include "runlist/dropped_files.h"
#include "support/files.h"
#include "text/error.h"

namespace {

using qm::test::toAcp;

// A drop handle as the system makes it: a global block with a DROPFILES head and the names.
HDROP makeDrop(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& n : names) list.append(n.c_str(), n.size() + 1);
    list.push_back('\0');
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size());
    auto* head = static_cast<DROPFILES*>(GlobalLock(h));
    head->pFiles = sizeof(DROPFILES);
    std::memcpy(reinterpret_cast<char*>(head) + sizeof(DROPFILES), list.data(), list.size());
    GlobalUnlock(h);
    return static_cast<HDROP>(h);
}

bool finished(HDROP drop) {
    return GlobalFlags(drop) == GMEM_INVALID_HANDLE;
}

// A run list that refuses its third entry, as a full list box does.
constexpr char16_t kRefused[] = u"\u884C\u3092\u633F\u5165\u3067\u304D\u307E\u305B\u3093";  // 行を挿入できません
class RefusingList final : public qm::RunList {
public:
    void append(std::u16string_view text) override {
        if (inner_.count() == 2) throw qm::AppError(kRefused);
        inner_.append(text);
    }
    int count() const override { return inner_.count(); }
    std::u16string read(int pos) const override { return inner_.read(pos); }
    bool isSelected(int pos) const override { return inner_.isSelected(pos); }
    void setSelected(int pos, bool selected) override { inner_.setSelected(pos, selected); }
    void remove(int pos) override { inner_.remove(pos); }
    void removeAll() override { inner_.removeAll(); }

private:
    qm::MemoryRunList inner_;
};

TEST(DroppedNames, ComeInOrderWholeAndTheDropIsFinished) {
    const std::string longName = "C:\\" + std::string(250, 'a') + toAcp(L"表") + std::string(45, 'b');  // 300 bytes
    HDROP drop = makeDrop({"C:\\one", longName, toAcp(L"C:\\データ表"), ""});
    ASSERT_FALSE(finished(drop));
    qm::MemoryRunList list;
    qm::appendDroppedNames(drop, list);
    ASSERT_EQ(list.count(), 3);  // the empty name ends the list
    EXPECT_EQ(list.read(0), u"C:\\one");
    EXPECT_EQ(list.read(1), u"C:\\" + std::u16string(250, u'a') + u"\u8868" + std::u16string(45, u'b'));
    EXPECT_EQ(list.read(2), u"C:\\\u30C7\u30FC\u30BF\u8868");  // データ表
    EXPECT_TRUE(finished(drop));
}

TEST(DroppedNames, ARefusedEntryStopsTheDropAndStillFinishesIt) {
    HDROP drop = makeDrop({"C:\\1", "C:\\2", "C:\\3", "C:\\4"});
    RefusingList list;
    try {
        qm::appendDroppedNames(drop, list);
        ADD_FAILURE() << "the refusal did not reach the caller";
    } catch (const qm::AppError& e) {
        EXPECT_EQ(e.text(), kRefused);
    }
    EXPECT_EQ(list.count(), 2);
    EXPECT_TRUE(finished(drop));
}

TEST(DroppedNames, ABlockThatIsNoMoveableHandleIsReadButNeverFreed) {
    // The same bytes in fixed global memory and in a block of the process heap, as another
    // program could name them: DragFinish would free a block that is still in use.
    const HDROP moveable = makeDrop({"C:\\fixed", toAcp(L"C:\\表")});
    const SIZE_T size = GlobalSize(moveable);
    const void* bytes = GlobalLock(moveable);
    HGLOBAL fixed = GlobalAlloc(GMEM_FIXED, size);
    void* heap = HeapAlloc(GetProcessHeap(), 0, size);
    std::memcpy(fixed, bytes, size);
    std::memcpy(heap, bytes, size);
    GlobalUnlock(moveable);
    GlobalFree(moveable);
    for (void* block : {static_cast<void*>(fixed), heap}) {
        qm::MemoryRunList list;
        qm::appendDroppedNames(static_cast<HDROP>(block), list);
        ASSERT_EQ(list.count(), 2);
        EXPECT_EQ(list.read(1), u"C:\\\u8868");
        EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, block)) << "the block was freed";
    }
    GlobalFree(fixed);
    HeapFree(GetProcessHeap(), 0, heap);
}

}  // namespace
