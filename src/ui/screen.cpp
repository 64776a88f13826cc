// The densities and monitors of the screen, and a window's frame on it.
#include "ui/screen.h"

#include <optional>

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
// when first needed, so that no start that never asks loads it. Only the window's thread asks:
// plain variables, with no guard of a function's static (the runtime's guard code would be
// linked for it).
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
GetDpiForMonitorFn g_getDpiForMonitor = nullptr;
bool g_getDpiForMonitorSought = false;

int monitorDpi(HMONITOR monitor) {
    if (g_assumedDpi) return g_assumedDpi;
    if (!g_getDpiForMonitorSought) {
        HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        g_getDpiForMonitor = reinterpret_cast<GetDpiForMonitorFn>(
            shcore ? reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")) : nullptr);
        g_getDpiForMonitorSought = true;
    }
    UINT x = 0, y = 0;
    if (g_getDpiForMonitor && SUCCEEDED(g_getDpiForMonitor(monitor, 0, &x, &y)) && reasonable(static_cast<int>(y))) {
        return static_cast<int>(y);
    }
    return screenDpi();
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

}  // namespace

// GetDpiForWindow is in Windows 10 1607 and later, looked up at run time (each time: user32 is
// loaded already, and no static needs a guard); before it, the window's monitor's.
int windowDpi(HWND hwnd) {
    if (g_assumedDpi) return g_assumedDpi;
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
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

Edges edgesOf(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// Anyone can send WM_DPICHANGED, and its pointer is not carried from another process: it may
// be 0 or point anywhere. ReadProcessMemory copies it from this process's memory and fails,
// rather than faulting, where nothing can be read.
std::optional<Edges> suggestedFrame(LPARAM lParam) {
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

Bounds windowFrame(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Edges restoredFrame(HWND hwnd) {
    RECT r{};
    if (!IsIconic(hwnd)) {
        GetWindowRect(hwnd, &r);
        return edgesOf(r);
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
    return edgesOf(r);
}

}  // namespace qm
