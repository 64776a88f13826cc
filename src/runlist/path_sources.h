// The interactive path sources: the multi-selection file dialog, the folder browser, the
// clipboard's text and dropped files. Each reads what the system hands it and gives the
// paths to the run list's append, in the system's order. One file each: file_dialog.cpp,
// folder_browser.cpp, clipboard.cpp, dropped_files.cpp.
// comdlg32 and shell32 are loaded on first use (delay-loaded), so that a start that only
// forwards its arguments never pays for them.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

#include "runlist/runlist.h"

namespace qm {

// Runs the open-file dialog owned by `owner` (the application window) as a modal frame
// over the tool's visible windows, placed on the monitor nearest `mainWindow`.
// `fileName` is the initial file name; on confirmation it becomes the first chosen path.
// Returns the chosen full paths, converted by the name rule, in the dialog's order; nothing
// on cancel (or when the converted selection does not fit the 65,519-byte result).
std::vector<std::string> runOpenDialog(HWND owner, HWND mainWindow, HINSTANCE instance, std::string& fileName);

// Shows the folder browser over `mainWindow`, rooted at the computer folder, and appends
// the chosen folder's path, converted by the name rule, when it has one. Nothing happens
// when the shell's allocator cannot be had.
void browseForFolder(HWND mainWindow, RunList& list);

// The clipboard's text up to its first NUL, read with `owner` as the clipboard's owner:
// its Unicode text converted by the name rule when the code page does not hold it exactly,
// else its 8-bit text (CF_TEXT); nothing when the clipboard holds no text. Throws
// AppError("クリップボードを開くことができません") when another program holds the clipboard open.
std::optional<std::string> clipboardText(HWND owner);

// Appends every dropped name in the drop's order, each whole and converted by the name
// rule (text/win_ansi_name.h), and finishes the drop also when an append is refused. A
// handle that does not lead to a whole drop block (another program can post the message
// with any number) appends nothing and is left alone; one that is no moveable memory handle
// is read but never finished.
void appendDroppedNames(HDROP drop, RunList& list);

}  // namespace qm
