// The open-file dialog: a multiple selection of existing files, read as UTF-16, the dialog
// placed on the main window's monitor.
#include "runlist/file_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <memory>

#include "runlist/dialog_result.h"
#include "text/texts.h"
#include "text/utf16.h"
#include "win/modal_frame.h"

namespace qm {

namespace {

constexpr DWORD kResultSize = 65521;  // the result buffer; the dialog is offered 65,519 characters
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
// and one third vertically of the whole area of the monitor nearest the main window. It
// makes only system calls and integer arithmetic, none of which can raise an error in here.
UINT_PTR CALLBACK placementHook(HWND hookWindow, UINT msg, WPARAM, LPARAM lParam) noexcept {
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

// The bytes `units` of UTF-16 take in the code page as the system converts them.
std::size_t codePageBytes(const wchar_t* units, std::size_t count) {
    if (count == 0) return 0;
    return static_cast<std::size_t>(
        WideCharToMultiByte(CP_ACP, 0, units, static_cast<int>(count), nullptr, 0, nullptr, nullptr));
}

}  // namespace

std::vector<std::u16string> runOpenDialog(HWND owner, HWND mainWindow, HINSTANCE instance, std::u16string& fileName) {
    static_assert(sizeof(void*) != 4 || sizeof(OPENFILENAMEW) == 88, "the full dialog record of 32-bit Windows");
    const WideText filter = nulTerminated(dialogFilter(texts::kOpenFilter));
    // For Wine only: its wide dialog copies a multiple selection into the buffer without
    // looking at its size. The room behind the result buffer takes such a selection of up to
    // a million characters, which does not fit the offered part and adds nothing (Windows
    // refuses it).
    constexpr std::size_t kOverrunRoom = std::size_t(1) << 20;
    std::unique_ptr<wchar_t[]> result(new wchar_t[kResultSize + kOverrunRoom]);
    std::fill_n(result.get(), kResultSize, L'\0');
    const WideText initial = nulTerminated(std::u16string_view(fileName).substr(0, kOfferedSize));
    std::copy_n(initial.data(), std::min<std::size_t>(initial.size() - 1, kOfferedSize), result.get());

    OPENFILENAMEW ofn{};
    ofn.lStructSize = fullRecordKnown() ? sizeof(OPENFILENAMEW) : OPENFILENAME_SIZE_VERSION_400W;
    ofn.hwndOwner = owner;
    ofn.hInstance = instance;
    ofn.lpstrFilter = filter.data();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = result.get();
    ofn.nMaxFile = kOfferedSize;
    ofn.lpstrInitialDir = L"";
    ofn.lpstrTitle = L"";
    ofn.Flags =
        OFN_ENABLEHOOK | OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_ENABLESIZING | OFN_EXPLORER;
    ofn.lpfnHook = placementHook;
    ofn.FlagsEx = 0;

    BOOL confirmed = FALSE;
    {
        ScopedModalFrame frame;
        g_placementWindow = mainWindow;
        confirmed = GetOpenFileNameW(&ofn);
        g_placementWindow = nullptr;
    }
    if (!confirmed) return {};
    // Only the offered characters hold the result: one that fills them without its final
    // empty piece is a selection that did not fit, cut short by the dialog, and adds nothing.
    const std::u16string pieces = fromWide(result.get(), kOfferedSize);
    std::vector<std::u16string> paths = splitDialogResult(pieces.data(), pieces.size());
    // The selection must also fit the offered bytes in the code page, as the 8-bit result
    // did: the pieces and their NULs, up to and with the final empty one.
    std::size_t used = 0;
    while (used + 1 < pieces.size() && (pieces[used] != u'\0' || pieces[used + 1] != u'\0')) ++used;
    if (codePageBytes(result.get(), used + 2) > kOfferedSize) return {};
    if (!paths.empty()) fileName = paths.front();
    return paths;
}

}  // namespace qm
