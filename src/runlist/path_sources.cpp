#include "runlist/path_sources.h"

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <memory>

#include "runlist/dialog_result.h"
#include "runlist/drop_block.h"
#include "text/codepage.h"
#include "text/error.h"
#include "text/win_ansi_name.h"
#include "text/texts.h"
#include "win/modal_frame.h"

namespace qm {

namespace {

// The text in `data[0 .. size)` up to its first NUL, or all of it when it has none.
std::string_view upToNul(const char* data, std::size_t size) {
    return std::string_view(data, static_cast<std::size_t>(std::find(data, data + size, '\0') - data));
}

// ---------------------------------------------------------------- file dialog

constexpr DWORD kResultSize = 65521;  // the result buffer; the dialog is offered 65,519 bytes
constexpr DWORD kOfferedSize = 65519;

// Whether this system takes the record with its last three fields (places bar).
bool fullRecordKnown() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
#ifdef _MSC_VER
#pragma warning(suppress : 4996)  // GetVersionExA is deprecated, yet it is the question asked
#endif
    if (!GetVersionExA(&info)) return true;
    return knowsFullDialogRecord(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

// The window whose monitor the dialog is placed on, for the hook while the dialog runs.
HWND g_placementWindow = nullptr;

// At CDN_INITDONE moves the dialog (the hook window's parent) to the centre horizontally
// and one third vertically of the whole area of the monitor nearest the main window.
UINT_PTR CALLBACK placementHook(HWND hookWindow, UINT msg, WPARAM, LPARAM lParam) {
    if (msg != WM_NOTIFY || reinterpret_cast<const NMHDR*>(lParam)->code != CDN_INITDONE) return 0;
    HWND dialog = GetParent(hookWindow);
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    RECT r{};
    if (!GetWindowRect(dialog, &r) ||
        !GetMonitorInfoA(MonitorFromWindow(g_placementWindow, MONITOR_DEFAULTTONEAREST), &mi)) {
        return 0;
    }
    const Point at = dialogPlacement(mi.rcMonitor.left, mi.rcMonitor.top, mi.rcMonitor.right - mi.rcMonitor.left,
                                     mi.rcMonitor.bottom - mi.rcMonitor.top, r.right - r.left, r.bottom - r.top);
    SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

// ---------------------------------------------------------------- folder browser

// The browse information, one record for the process; its input fields are set before
// every browse and the callback reads its flags.
BROWSEINFOW g_browseInfo{};

// Code page text (the program's own texts) in UTF-16 for the wide dialogs.
std::wstring wide(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
    return out;
}

// The shell's allocator, released when it goes.
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

// Shows the highlighted item's file-system path, or nothing, in the browser's status line.
int CALLBACK browseCallback(HWND browser, UINT msg, LPARAM value, LPARAM) {
    if (g_browseInfo.ulFlags == BIF_STATUSTEXT && msg == BFFM_SELCHANGED) {
        std::vector<char> path(65537, '\0');
        if (!SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(value), path.data())) path[0] = '\0';
        SendMessageA(browser, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path.data()));
    }
    return 0;
}

// ---------------------------------------------------------------- clipboard and drop

class ClipboardOpening {
public:
    explicit ClipboardOpening(HWND owner) {
        if (!OpenClipboard(owner)) throw AppError(texts::kErrClipboard);
    }
    ~ClipboardOpening() { CloseClipboard(); }
    ClipboardOpening(const ClipboardOpening&) = delete;
    ClipboardOpening& operator=(const ClipboardOpening&) = delete;
};

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

class DropFinishing {
public:
    explicit DropFinishing(HDROP drop) : drop_(drop) {}
    ~DropFinishing() { DragFinish(drop_); }
    DropFinishing(const DropFinishing&) = delete;
    DropFinishing& operator=(const DropFinishing&) = delete;

private:
    HDROP drop_;
};

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

std::vector<std::string> runOpenDialog(HWND owner, HWND mainWindow, HINSTANCE instance, std::string& fileName) {
    static_assert(sizeof(void*) != 4 || sizeof(OPENFILENAMEW) == 88, "the full dialog record of 32-bit Windows");
    const std::wstring filter = wide(dialogFilter(texts::kOpenFilter, systemCodePage()));
    // Wine's wide dialog copies a multiple selection into the buffer without looking at its
    // size: the room behind the result buffer takes such a selection of up to a million
    // characters, which does not fit the offered part and adds nothing (Windows refuses it).
    constexpr std::size_t kOverrunRoom = std::size_t(1) << 20;
    std::unique_ptr<wchar_t[]> result(new wchar_t[kResultSize + kOverrunRoom]);
    std::fill_n(result.get(), kResultSize, L'\0');
    const std::wstring initial = wide(fileName.substr(0, kOfferedSize));
    std::copy_n(initial.data(), std::min<std::size_t>(initial.size(), kOfferedSize), result.get());

    OPENFILENAMEW ofn{};
    ofn.lStructSize = fullRecordKnown() ? sizeof(OPENFILENAMEW) : OPENFILENAME_SIZE_VERSION_400W;
    ofn.hwndOwner = owner;
    ofn.hInstance = instance;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = result.get();
    ofn.nMaxFile = kOfferedSize;
    ofn.lpstrInitialDir = L"";
    ofn.lpstrTitle = L"";
    ofn.Flags = OFN_ENABLEHOOK | OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_ENABLESIZING |
                OFN_EXPLORER;
    ofn.lpfnHook = placementHook;
    ofn.FlagsEx = 0;

    BOOL confirmed = FALSE;
    {
        ModalFrame frame;
        g_placementWindow = mainWindow;
        confirmed = GetOpenFileNameW(&ofn);
        g_placementWindow = nullptr;
    }
    if (!confirmed) return {};
    // The names become code page text, and the converted result must fit the offered bytes
    // as the 8-bit result did. Only the offered characters hold the result: one that fills
    // them without its final empty piece is a selection that did not fit, cut short by the
    // dialog, and adds nothing.
    const std::u16string pieces(result.get(), result.get() + kOfferedSize);
    const std::string converted =
        ansiDialogResult(pieces.data(), pieces.size(), kOfferedSize, systemAnsiConversion());
    std::vector<std::string> paths = splitDialogResult(converted.data(), converted.size(), systemCodePage());
    if (!paths.empty()) fileName = paths.front();
    return paths;
}

void browseForFolder(HWND mainWindow, RunList& list) {
    // Freed in reverse order of taking: the chosen item, the root, the buffer; then the
    // allocator is released.
    ShellAllocator allocator;
    IMalloc* malloc = allocator.get();
    if (!malloc) return;
    ShellMemory<wchar_t> folder(malloc, static_cast<wchar_t*>(malloc->Alloc(MAX_PATH * sizeof(wchar_t))));
    if (!folder.get()) return;
    ShellMemory<ITEMIDLIST> root(malloc);
    // Without the computer folder the root stays null: the browser shows the whole namespace.
    if (FAILED(SHGetSpecialFolderLocation(mainWindow, CSIDL_DRIVES, root.out()))) *root.out() = nullptr;

    g_browseInfo.hwndOwner = mainWindow;
    g_browseInfo.pidlRoot = root.get();
    g_browseInfo.pszDisplayName = folder.get();
    const std::wstring title = wide(texts::kBrowseTitle);
    g_browseInfo.lpszTitle = title.c_str();
    g_browseInfo.ulFlags = BIF_STATUSTEXT;
    g_browseInfo.lpfn = browseCallback;
    g_browseInfo.lParam = 0;
    ShellMemory<ITEMIDLIST> chosen(malloc, SHBrowseForFolderW(&g_browseInfo));

    // A cancel gives no item, and an item without a file-system path gives no path.
    if (chosen.get() && SHGetPathFromIDListW(chosen.get(), folder.get())) {
        folder.get()[MAX_PATH - 1] = L'\0';
        list.append(ansiName(folder.get()));
    }
}

std::optional<std::string> clipboardText(HWND owner) {
    if (!IsClipboardFormatAvailable(CF_TEXT)) return std::nullopt;
    ClipboardOpening opening(owner);
    // A Unicode text that the code page does not hold is one name for the name rule (a
    // pasted path of an existing file becomes its short form); any other is read as 8-bit text.
    if (IsClipboardFormatAvailable(CF_UNICODETEXT)) {
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            GlobalLocking lock(data);
            if (const wchar_t* p = lock.data<wchar_t>()) {
                const wchar_t* end = p + GlobalSize(data) / sizeof(wchar_t);
                const std::wstring_view text(p, static_cast<std::size_t>(std::find(p, end, L'\0') - p));
                if (!exactAnsi(text)) return ansiName(text);
            }
        }
    }
    std::string text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        GlobalLocking lock(data);
        if (const char* p = lock.data<char>()) {
            // A text without its NUL ends with its block.
            text = upToNul(p, GlobalSize(data));
        }
    }
    return text;
}

void appendDroppedNames(HDROP drop, RunList& list) {
    // Any program can post the message with any number: what is no drop block is neither
    // read nor freed.
    if (!isDropBlock(drop)) return;
    // Only a moveable block is the system's drop handle to be finished; a fixed block or a
    // plain pointer may be a live block of the tool's own heap, which DragFinish would free.
    std::optional<DropFinishing> finishing;
    if (isMoveableHandle(drop)) finishing.emplace(drop);
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        // Each name whole, however long: a name cut short names another file or none.
        std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        name.resize(DragQueryFileW(drop, i, &name[0], static_cast<UINT>(name.size())));
        list.append(ansiName(name));
    }
}

}  // namespace qm
