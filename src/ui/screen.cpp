// The densities and monitors of the screen, and the main window's place on it: where the
// stored position puts it, what closing stores, and a change of density.
#include "ui/screen.h"

#include <optional>

#include "ui/Unit1.h"
#include "win/callback_error.h"
#include "win/scoped.h"

namespace qm {

namespace {

// The lowest and highest pixels per inch the window lays itself out for: 50 % to 1000 %.
constexpr int kLeastDpi = 48, kMostDpi = 960;

int g_assumedDpi = 0;

bool reasonable(int dpi) {
    return dpi >= kLeastDpi && dpi <= kMostDpi;
}

// The screen's pixels per inch: every monitor's where the system knows no density per monitor.
int screenDpi() {
    const int ppi = GetDeviceCaps(ScopedScreenDC(GetDC(nullptr)).get(), LOGPIXELSY);
    return ppi > 0 ? ppi : 96;
}

// GetDpiForMonitor (MDT_EFFECTIVE_DPI) is in shcore.dll, on Windows 8.1 and later; looked up
// when first needed, so that no start that never asks loads it.
int monitorDpi(HMONITOR monitor) {
    if (g_assumedDpi) return g_assumedDpi;
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto getDpiForMonitor = [] {
        HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        return reinterpret_cast<GetDpiForMonitorFn>(
            shcore ? reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")) : nullptr);
    }();
    UINT x = 0, y = 0;
    if (getDpiForMonitor && SUCCEEDED(getDpiForMonitor(monitor, 0, &x, &y)) && reasonable(static_cast<int>(y))) {
        return static_cast<int>(y);
    }
    return screenDpi();
}

Edges edgesOf(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// The monitors found so far; the one the window is on takes the window's density.
struct MonitorTable {
    std::vector<Monitor> monitors;
    HWND window;
    HMONITOR windowMonitor;
};

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM p) {
    auto& found = *reinterpret_cast<Enumeration<MonitorTable>*>(p);
    return found.error.run([&] {
        MONITORINFO mi{};
        mi.cbSize = sizeof mi;
        if (GetMonitorInfoA(monitor, &mi)) {
            const int dpi = monitor == found.out.windowMonitor ? windowDpi(found.out.window) : monitorDpi(monitor);
            found.out.monitors.push_back({edgesOf(mi.rcMonitor), edgesOf(mi.rcWork), dpi});
        }
        return true;
    });
}

// The rectangle a WM_DPICHANGED suggests. Anyone can send the message, and its pointer is
// not carried from another process: it may be 0 or point anywhere. ReadProcessMemory copies
// it from this process's memory and fails, rather than faulting, where nothing can be read;
// the rectangle must then have a size and lie on a monitor.
std::optional<Edges> suggestedRect(LPARAM lParam) {
    RECT r{};
    SIZE_T read = 0;
    if (!lParam || !ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<LPCVOID>(lParam), &r, sizeof r, &read) ||
        read != sizeof r) {
        return std::nullopt;
    }
    const Edges e = edgesOf(r);
    if (!hasSize(e) || !MonitorFromRect(&r, MONITOR_DEFAULTTONULL)) return std::nullopt;
    return e;
}

Bounds frameOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace

// GetDpiForWindow is in Windows 10 1607 and later, looked up at run time; before it, the
// window's monitor's.
int windowDpi(HWND hwnd) {
    if (g_assumedDpi) return g_assumedDpi;
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (!getDpiForWindow) return monitorDpi(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST));
    const int dpi = static_cast<int>(getDpiForWindow(hwnd));
    return reasonable(dpi) ? dpi : screenDpi();
}

std::vector<Monitor> monitors(HWND window) {
    MonitorTable table{{}, window, MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)};
    Enumeration<MonitorTable> found{table, {}};
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&found));
    found.error.rethrow();
    return table.monitors;
}

void assumeDensity(int dpi) {
    g_assumedDpi = dpi;
}

// Under per-monitor awareness the system sends WM_DPICHANGED when the window moves to a
// monitor of another density (or the density changes), and the window's density is from
// then on the one it names. One that names another density than the window's own was sent
// by another program and changes nothing. Otherwise the fonts are made again for it, the
// controls laid out by the same rules as at start, and the window takes the rectangle the
// system suggests, or, without a usable one, keeps its top-left and scales its size.
void TQuillmoorMW::dpiChanged(WPARAM wParam, LPARAM lParam) {
    const int dpi = HIWORD(wParam);
    if (!ListBox1 || LOWORD(wParam) != dpi || dpi != windowDpi(hwnd_)) return;
    const RECT now = frameRect(hwnd_);
    const Bounds r = frameForDpi(suggestedRect(lParam), edgesOf(now), dpi_, dpi);
    scaleTo(dpi);
    setItemHeights();
    // Minimized, it keeps its restored place; the layout follows when it is restored.
    if (IsIconic(hwnd_)) return;
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    // The same rectangle brings no WM_SIZE.
    applyLayout();
}

// The smallest frame at the window's density.
SIZE TQuillmoorMW::minimumSize() const {
    return {toScreenPixels(kMinWidth, dpi_), toScreenPixels(kMinHeight, dpi_)};
}

// The stored position and size (96-dpi units) on the monitor they belong to: converted for
// it, within the size limits, and on a monitor's work area.
void TQuillmoorMW::setBounds(const Bounds& stored) {
    const SizeLimits limits{kMinWidth, kMinHeight, GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    const Bounds r = placeStored(stored, monitors(hwnd_), limits);
    // A window already there (the stored place is where it was created, as after closing it
    // unmoved at 96 dpi) is left alone: the call would move nothing and still send the window
    // its messages. Moved onto a monitor of another density, the window has meanwhile taken
    // the frame the system's WM_DPICHANGED suggested; at its new density it takes the stored
    // one.
    for (int moves = 0; moves < 2 && !(frameOf(hwnd_) == r); ++moves) {
        SetWindowPos(hwnd_, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// The window's frame rectangle; while minimized, its restored rectangle.
RECT TQuillmoorMW::frameRect(HWND hwnd) {
    RECT r{};
    if (!IsIconic(hwnd)) {
        GetWindowRect(hwnd, &r);
        return r;
    }
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(hwnd, &wp);
    r = wp.rcNormalPosition;
    // The restored rectangle is in work-area coordinates.
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (GetMonitorInfoA(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &mi)) {
        OffsetRect(&r, mi.rcWork.left - mi.rcMonitor.left, mi.rcWork.top - mi.rcMonitor.top);
    }
    return r;
}

}  // namespace qm
