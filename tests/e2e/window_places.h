// Where the main window's controls stand, written out as figures and compared with what the
// window shows.
#pragma once

#include <windows.h>

#include <vector>

namespace qm::e2e {

// A control's rectangle in its parent's client area. The drop-down's height is its opened
// height, which follows the names it holds, and is not compared.
struct Place {
    UINT id;
    const char* name;
    int left, top, width, height;
};

// The main window `main` has a client area of `clientWidth` x `clientHeight`, and each of its
// ten controls stands where `expected` puts it.
void expectPlaces(HWND main, int clientWidth, int clientHeight, const std::vector<Place>& expected);

}  // namespace qm::e2e
