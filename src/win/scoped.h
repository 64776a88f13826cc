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
class FindHandle {
public:
    explicit FindHandle(HANDLE h) : h_(h) {}
    ~FindHandle() {
        if (valid()) FindClose(h_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
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
using FontOwner = ScopedGdi<HFONT>;

// A popup menu, destroyed when it goes.
struct MenuDestroyer {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using MenuOwner = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

// The screen's device context (GetDC(nullptr)), released when it goes.
struct ScreenDCReleaser {
    void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
using ScreenDC = std::unique_ptr<std::remove_pointer_t<HDC>, ScreenDCReleaser>;

// A memory device context (CreateCompatibleDC), deleted when it goes.
struct MemoryDCDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
using MemoryDC = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDCDeleter>;

// An object selected into a device context; the one it replaced goes back when it goes.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (old_) SelectObject(dc_, old_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A global memory block locked for reading; unlocked when it goes.
class GlobalLocking {
public:
    explicit GlobalLocking(HGLOBAL h) : h_(h), p_(GlobalLock(h)) {}
    ~GlobalLocking() {
        if (p_) GlobalUnlock(h_);
    }
    GlobalLocking(const GlobalLocking&) = delete;
    GlobalLocking& operator=(const GlobalLocking&) = delete;
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
class ClipboardOpening {
public:
    explicit ClipboardOpening(HWND owner) : opened_(OpenClipboard(owner) != FALSE) {}
    ~ClipboardOpening() {
        if (opened_) CloseClipboard();
    }
    ClipboardOpening(const ClipboardOpening&) = delete;
    ClipboardOpening& operator=(const ClipboardOpening&) = delete;
    bool opened() const { return opened_; }

private:
    bool opened_;
};

// The shell's allocator, released when it goes; get() is null when it could not be had.
class ShellAllocator {
public:
    ShellAllocator() {
        if (FAILED(SHGetMalloc(&malloc_))) malloc_ = nullptr;
    }
    ~ShellAllocator() {
        if (malloc_) malloc_->Release();
    }
    ShellAllocator(const ShellAllocator&) = delete;
    ShellAllocator& operator=(const ShellAllocator&) = delete;
    IMalloc* get() const { return malloc_; }

private:
    IMalloc* malloc_ = nullptr;
};

// Memory the shell handed out (an item list or a buffer), given back to its allocator.
template <typename T>
class ShellMemory {
public:
    ShellMemory(IMalloc* malloc, T* p = nullptr) : malloc_(malloc), p_(p) {}
    ~ShellMemory() {
        if (p_) malloc_->Free(p_);
    }
    ShellMemory(const ShellMemory&) = delete;
    ShellMemory& operator=(const ShellMemory&) = delete;
    T* get() const { return p_; }
    T** out() { return &p_; }

private:
    IMalloc* malloc_;
    T* p_;
};

// A drop handle, finished (DragFinish) when it goes.
class DropFinishing {
public:
    explicit DropFinishing(HDROP drop) : drop_(drop) {}
    ~DropFinishing() { DragFinish(drop_); }
    DropFinishing(const DropFinishing&) = delete;
    DropFinishing& operator=(const DropFinishing&) = delete;

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
class RedrawPause {
public:
    explicit RedrawPause(HWND control) : control_(shown(control)), container_(shown(GetParent(control))) {
        if (container_) SendMessageW(container_, WM_SETREDRAW, FALSE, 0);
        if (control_) SendMessageW(control_, WM_SETREDRAW, FALSE, 0);
    }
    ~RedrawPause() {
        if (control_) SendMessageW(control_, WM_SETREDRAW, TRUE, 0);
        if (container_) SendMessageW(container_, WM_SETREDRAW, TRUE, 0);
        if (control_) RedrawWindow(control_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;

private:
    // The window when it has the visible style of its own; null otherwise.
    static HWND shown(HWND window) {
        return window && (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) ? window : nullptr;
    }

    HWND control_;
    HWND container_;
};

}  // namespace qm
