// What the path-source tests share: a running tool with its run list, and the system's
// dialogs found and driven from outside, as a user's clicks and typing would.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "harness.h"

namespace qm::e2e {

// A visible dialog box (class #32770) owned by `owner`; nullptr when none comes in `ms`.
HWND ownedDialog(HWND owner, DWORD ms = 10000);
// The first window below `parent` with the control id and class given.
HWND descendant(HWND parent, int id, const char* cls);
// A control's text by WM_GETTEXT (GetWindowText across processes reads only the window's
// name, not an edit box's content), and setting it as typing would (code page 932 text).
std::string controlText(HWND control);
std::wstring controlTextWide(HWND control);
void setText(HWND control, const std::string& text);
// Presses a dialog's button the way its click does, without waiting for what follows.
void press(HWND dialog, int id);

// The tool started with the probe as its application, its application window and run list.
class SourcesTest : public ToolTest {
protected:
    void SetUp() override;
    // Clicks a button or chooses a menu item of the main window (posted, so that a dialog
    // it opens does not hold the test up).
    void command(UINT id);
    // Waits until the run list holds `n` entries.
    bool waitForCount(std::size_t n, DWORD ms = 10000) const;

    HWND app_ = nullptr, list_ = nullptr;
};

}  // namespace qm::e2e
