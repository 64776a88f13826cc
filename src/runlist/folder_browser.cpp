// The folder browser, rooted at the computer folder, with the highlighted item's path in its
// status line.
#include "runlist/folder_browser.h"

#include <shlobj.h>

#include "text/texts.h"
#include "text/utf16.h"
#include "win/callback_error.h"
#include "win/scoped.h"

namespace qm {

namespace {

// The browse information, one record for the process; its input fields are set before
// every browse and the callback reads its flags.
BROWSEINFOW g_browseInfo{};
// An error the callback raised during the current browse.
CallbackError g_browseError;

// The longest path the system names: 32,767 characters and a NUL.
constexpr DWORD kLongestPath = 32768;

// The file-system path of an item, whole however long; empty when it has none.
WideText pathOf(LPCITEMIDLIST item) {
    WideText path(kLongestPath, L'\0');
    if (!item || !SHGetPathFromIDListEx(item, path.data(), kLongestPath, GPFIDL_DEFAULT)) path[0] = L'\0';
    path.back() = L'\0';
    return path;
}

// Shows the highlighted item's file-system path, or nothing, in the browser's status line.
// Should that fail (no memory for the path), the browser is cancelled and the error raised
// once it has closed.
int CALLBACK browseCallback(HWND browser, UINT msg, LPARAM value, LPARAM) {
    const bool ok = g_browseError.run([&] {
        if (g_browseInfo.ulFlags == BIF_STATUSTEXT && msg == BFFM_SELCHANGED) {
            const WideText path = pathOf(reinterpret_cast<LPCITEMIDLIST>(value));
            SendMessageW(browser, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(path.data()));
        }
        return true;
    });
    if (!ok) PostMessageA(browser, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return 0;
}

}  // namespace

void browseForFolder(HWND mainWindow, RunList& list) {
    // Freed in reverse order of taking: the chosen item, the root, the buffer; then the
    // allocator is released.
    ScopedShellAllocator allocator;
    IMalloc* malloc = allocator.get();
    if (!malloc) return;
    ScopedShellMemory<wchar_t> folder(malloc, static_cast<wchar_t*>(malloc->Alloc(MAX_PATH * sizeof(wchar_t))));
    if (!folder.get()) return;
    ScopedShellMemory<ITEMIDLIST> root(malloc);
    // Without the computer folder the root stays null: the browser shows the whole namespace.
    if (FAILED(SHGetSpecialFolderLocation(mainWindow, CSIDL_DRIVES, root.out()))) *root.out() = nullptr;

    g_browseInfo.hwndOwner = mainWindow;
    g_browseInfo.pidlRoot = root.get();
    g_browseInfo.pszDisplayName = folder.get();
    g_browseInfo.lpszTitle = texts::w(texts::kBrowseTitle);
    g_browseInfo.ulFlags = BIF_STATUSTEXT;
    g_browseInfo.lpfn = browseCallback;
    g_browseInfo.lParam = 0;
    g_browseError = CallbackError();
    ScopedShellMemory<ITEMIDLIST> chosen(malloc, SHBrowseForFolderW(&g_browseInfo));
    g_browseError.rethrow();

    // A cancel gives no item, and an item without a file-system path gives no path.
    if (chosen.get()) {
        const WideText path = pathOf(chosen.get());
        if (path[0] != L'\0') list.append(fromWide(path.data()));
    }
}

}  // namespace qm
