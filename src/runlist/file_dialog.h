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
// Returns the chosen full paths, exactly as the dialog names them, in the dialog's order;
// nothing on cancel, or when the selection would not fit 65,519 bytes in the code page (a
// character the code page lacks counting as one), the result the dialog has always had.
std::vector<std::u16string> runOpenDialog(HWND owner, HWND mainWindow, HINSTANCE instance, std::u16string& fileName);

}  // namespace qm
