// The multi-selection file dialog. comdlg32 is loaded on first use (delay-loaded), so that a
// start that only forwards its arguments never pays for it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace qm {

// Runs the open-file dialog owned by `owner` (the application window) as a modal frame
// over the tool's visible windows, placed on the monitor nearest `mainWindow`.
// `fileName` is the initial file name; on confirmation it becomes the first chosen path.
// Returns the chosen full paths, converted by the name rule, in the dialog's order; nothing
// on cancel (or when the converted selection does not fit the 65,519-byte result).
std::vector<std::string> runOpenDialog(HWND owner, HWND mainWindow, HINSTANCE instance, std::string& fileName);

}  // namespace qm
