// The folder browser. shell32 is loaded on first use (delay-loaded), so that a start that
// only forwards its arguments never pays for it.
#pragma once

#include <windows.h>

#include "runlist/runlist.h"

namespace qm {

// Shows the folder browser over `mainWindow`, rooted at the computer folder, and appends
// the chosen folder's path, exactly and whole however long, when it has one. Nothing happens
// when the shell's allocator cannot be had.
void browseForFolder(HWND mainWindow, RunList& list);

}  // namespace qm
