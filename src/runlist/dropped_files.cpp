// The names dropped on the window.
#include "runlist/dropped_files.h"

#include <algorithm>
#include <optional>

#include "runlist/drop_block.h"
#include "text/utf16.h"
#include "win/scoped.h"

namespace qm {

namespace {

// Whether `drop` leads to a whole drop block in this process's readable memory. The handle
// may be a moveable block or a plain pointer; the check reads nothing outside the pages
// that hold the block's start (and no more than the block's size when it has one).
bool isDropBlock(HDROP drop) {
    const void* p = GlobalLock(drop);
    if (!p) return false;
    bool whole = false;
    MEMORY_BASIC_INFORMATION region{};
    constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                                PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    if (VirtualQuery(p, &region, sizeof region) == sizeof region && region.State == MEM_COMMIT &&
        (region.Protect & kReadable) && !(region.Protect & PAGE_GUARD)) {
        const auto* start = static_cast<const unsigned char*>(p);
        std::size_t readable = static_cast<const unsigned char*>(region.BaseAddress) + region.RegionSize - start;
        if (const SIZE_T size = GlobalSize(drop)) readable = std::min<std::size_t>(readable, size);
        whole = isWholeDropBlock(start, readable);
    }
    GlobalUnlock(drop);
    return whole;
}

// Whether `handle` is a moveable global memory handle: locking it gives a pointer other than
// the handle (for fixed memory and a plain pointer it gives the same value), and that
// pointer leads back to the handle.
bool isMoveableHandle(HANDLE handle) {
    const void* p = GlobalLock(handle);
    if (!p) return false;
    const bool moveable = p != handle && GlobalHandle(p) == handle;
    GlobalUnlock(handle);
    return moveable;
}

}  // namespace

void appendDroppedNames(HDROP drop, RunList& list) {
    // Any program can post the message with any number: what is no drop block is neither
    // read nor freed.
    if (!isDropBlock(drop)) return;
    // Only a moveable block is the system's drop handle to be finished; a fixed block or a
    // plain pointer may be a live block of the tool's own heap, which DragFinish would free.
    std::optional<ScopedDropFinish> finishing;
    if (isMoveableHandle(drop)) finishing.emplace(drop);
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        // Each name whole, however long: a name cut short names another file or none.
        WideText name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        const UINT length = DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size()));
        list.append(fromWide(name.data(), length < name.size() ? length : name.size() - 1));
    }
}

}  // namespace qm
