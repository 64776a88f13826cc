// The main window's place on the screen: where the stored position puts it, its smallest
// frame, and a change of density (the screen itself: ui/screen.h).
#include "ui/Unit1.h"
#include "ui/placement.h"
#include "ui/screen.h"

namespace qm {

// Under per-monitor awareness the system sends WM_DPICHANGED when the window moves to a
// monitor of another density (or the density changes), and the window's density is from
// then on the one it names. One that names another density than the window's own was sent
// by another program and changes nothing. Otherwise the fonts are made again for it, the
// controls laid out by the same rules as at start, and the window takes the rectangle the
// system suggests, or, without a usable one, keeps its top-left and scales its size.
void TQuillmoorMW::dpiChanged(WPARAM wParam, LPARAM lParam) {
    const int dpi = HIWORD(wParam);
    if (!ListBox1 || LOWORD(wParam) != dpi || dpi != windowDpi(hwnd_)) return;
    const Bounds r = frameForDpi(suggestedFrame(lParam), restoredFrame(hwnd_), dpi_, dpi);
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
// it, within the size limits, and wholly on the monitors' work areas (ui/placement.h).
void TQuillmoorMW::setBounds(const Bounds& stored) {
    const SizeLimits limits{kMinWidth, kMinHeight, GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    const Bounds r = placeStored(stored, monitors(hwnd_), limits);
    // A window already there (the stored place is where it was created, as after closing it
    // unmoved at 96 dpi) is left alone: the call would move nothing and still send the window
    // its messages. Moved onto a monitor of another density, the window has meanwhile taken
    // the frame the system's WM_DPICHANGED suggested; at its new density it takes the stored
    // one.
    for (int moves = 0; moves < 2 && !(windowFrame(hwnd_) == r); ++moves) {
        SetWindowPos(hwnd_, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace qm
