// Small owners of what the system hands out: each releases its handle, lock, opening or
// allocation when it goes, so that an early return or an error cannot leak it. Shared by the
// Windows side of every subsystem.
#pragma once

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <memory>
#include <type_traits>

namespace qm {

// A kernel handle (mutex, process, thread, file), closed when it goes.
struct HandleCloser {
    void operator()(HANDLE h) const {
        if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};
using ScopedHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

// A file search (FindFirstFile), closed when it goes; valid() says whether it found a file.
class ScopedFind {
public:
    explicit ScopedFind(HANDLE h) : h_(h) {}
    ~ScopedFind() {
        if (valid()) FindClose(h_);
    }
    ScopedFind(const ScopedFind&) = delete;
    ScopedFind& operator=(const ScopedFind&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE h_;
};

// A GDI object (font, brush, bitmap), deleted when it goes.
template <typename T>
struct GdiDeleter {
    void operator()(T object) const { DeleteObject(object); }
};
template <typename T>
using ScopedGdi = std::unique_ptr<std::remove_pointer_t<T>, GdiDeleter<T>>;
using ScopedFont = ScopedGdi<HFONT>;

// A popup menu, destroyed when it goes.
struct MenuDestroyer {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using ScopedMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

// The screen's device context (GetDC(nullptr)), released when it goes.
struct ScreenDCReleaser {
    void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
using ScopedScreenDC = std::unique_ptr<std::remove_pointer_t<HDC>, ScreenDCReleaser>;

// A memory device context (CreateCompatibleDC), deleted when it goes.
struct MemoryDCDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
using ScopedMemoryDC = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDCDeleter>;

// An object selected into a device context; the one it replaced goes back when it goes.
class ScopedSelection {
public:
    ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~ScopedSelection() {
        if (old_) SelectObject(dc_, old_);
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A global memory block locked for reading; unlocked when it goes.
class ScopedGlobalLock {
public:
    explicit ScopedGlobalLock(HGLOBAL h) : h_(h), p_(GlobalLock(h)) {}
    ~ScopedGlobalLock() {
        if (p_) GlobalUnlock(h_);
    }
    ScopedGlobalLock(const ScopedGlobalLock&) = delete;
    ScopedGlobalLock& operator=(const ScopedGlobalLock&) = delete;
    template <typename Char>
    const Char* data() const {
        return static_cast<const Char*>(p_);
    }

private:
    HGLOBAL h_;
    const void* p_;
};

// The clipboard, opened for `owner` and closed when it goes; opened() says whether another
// program held it.
class ScopedClipboard {
public:
    explicit ScopedClipboard(HWND owner) : opened_(OpenClipboard(owner) != FALSE) {}
    ~ScopedClipboard() {
        if (opened_) CloseClipboard();
    }
    ScopedClipboard(const ScopedClipboard&) = delete;
    ScopedClipboard& operator=(const ScopedClipboard&) = delete;
    bool opened() const { return opened_; }

private:
    bool opened_;
};

// The shell's allocator, released when it goes; get() is null when it could not be had.
class ScopedShellAllocator {
public:
    ScopedShellAllocator() {
        if (FAILED(SHGetMalloc(&malloc_))) malloc_ = nullptr;
    }
    ~ScopedShellAllocator() {
        if (malloc_) malloc_->Release();
    }
    ScopedShellAllocator(const ScopedShellAllocator&) = delete;
    ScopedShellAllocator& operator=(const ScopedShellAllocator&) = delete;
    IMalloc* get() const { return malloc_; }

private:
    IMalloc* malloc_ = nullptr;
};

// Memory the shell handed out (an item list or a buffer), given back to its allocator.
template <typename T>
class ScopedShellMemory {
public:
    ScopedShellMemory(IMalloc* malloc, T* p = nullptr) : malloc_(malloc), p_(p) {}
    ~ScopedShellMemory() {
        if (p_) malloc_->Free(p_);
    }
    ScopedShellMemory(const ScopedShellMemory&) = delete;
    ScopedShellMemory& operator=(const ScopedShellMemory&) = delete;
    T* get() const { return p_; }
    T** out() { return &p_; }

private:
    IMalloc* malloc_;
    T* p_;
};

// A drop handle, finished (DragFinish) when it goes.
class ScopedDropFinish {
public:
    explicit ScopedDropFinish(HDROP drop) : drop_(drop) {}
    ~ScopedDropFinish() { DragFinish(drop_); }
    ScopedDropFinish(const ScopedDropFinish&) = delete;
    ScopedDropFinish& operator=(const ScopedDropFinish&) = delete;

private:
    HDROP drop_;
};

// A control's painting held (WM_SETREDRAW) for a batch of changes, its container's too: a
// control whose redraw comes back on brings its scroll bars up to date and paints them there
// and then, while changes inside a container whose redraw is off are not drawn. So the
// control's redraw comes back first, inside the held container; then the container's; then
// the control alone, its frame and scroll bars included, is invalidated and painted once, at
// the next paint. Nothing else in the container changed. A window whose redraw is turned
// back on becomes visible (WM_SETREDRAW's own rule), so a hidden one (the main window while
// it is being built, say) is left alone: nothing of it is drawn anyway.
class ScopedRedrawPause {
public:
    explicit ScopedRedrawPause(HWND control) : control_(shown(control)), container_(shown(GetParent(control))) {
        if (container_) SendMessageW(container_, WM_SETREDRAW, FALSE, 0);
        if (control_) SendMessageW(control_, WM_SETREDRAW, FALSE, 0);
    }
    ~ScopedRedrawPause() {
        if (control_) SendMessageW(control_, WM_SETREDRAW, TRUE, 0);
        if (container_) SendMessageW(container_, WM_SETREDRAW, TRUE, 0);
        if (control_) RedrawWindow(control_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
    ScopedRedrawPause(const ScopedRedrawPause&) = delete;
    ScopedRedrawPause& operator=(const ScopedRedrawPause&) = delete;

private:
    // The window when it has the visible style of its own; null otherwise.
    static HWND shown(HWND window) {
        return window && (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) ? window : nullptr;
    }

    HWND control_;
    HWND container_;
};

}  // namespace qm
