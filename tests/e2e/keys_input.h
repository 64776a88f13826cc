// Real input for the keyboard and menu tests: key presses and mouse clicks through SendInput
// (the Wine prefix runs a virtual desktop, so they reach the foreground window as a user's
// would), and the message spy qm_keyspy.dll hooked into the tool's thread to see what the
// tool did with them and to read its open context menu in its own process.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "harness.h"

namespace qm::e2e {

enum KeyMods : int { kNoMods = 0, kShift = 1, kCtrl = 2, kAlt = 4 };

// Presses and releases `vk` with the modifiers held around it.
void press(WORD vk, int mods = kNoMods);
void rightClickAt(POINT screen);
void leftClickAt(POINT screen);

// Makes `window` the foreground window; false when it does not become so.
bool bringToFront(HWND window);
// The window holding the keyboard focus in `window`'s thread.
HWND focusIn(HWND window);
// Moves the focus in the tool to `control` (the test joins the tool's input for a moment).
bool giveFocus(HWND control);

// The visible popup menu window (class "#32768"), waiting up to `ms`; nullptr when none.
HWND popupMenuWindow(DWORD ms);

// The spy inside the tool's thread; it writes to the file named by QM_SPY_OUT, which the
// test sets before it starts the tool.
class Spy {
public:
    // Hooks the thread of `main`; fails the test when that is refused.
    explicit Spy(HWND main);
    ~Spy();
    Spy(const Spy&) = delete;
    Spy& operator=(const Spy&) = delete;

    void reset();
    // What was noted since the last reset, one entry a line (see keyspy.cpp).
    std::vector<std::string> log();
    // How many lines of the log are `line`.
    int count(const std::string& line);
    // The items of the open popup menu, as the tool's own process reads them.
    std::vector<std::string> menuItems(HWND menuWindow);
    // The same in UTF-16, every character kept.
    std::vector<std::wstring> menuItemsWide(HWND menuWindow);
    // The face name of the font `control` draws with, read in the tool's process.
    std::wstring fontFace(HWND control);
    // Has the tool's thread send its main window WM_NCCREATE with `createData` (an address
    // in the tool's memory) as lParam.
    void sendNcCreate(LPARAM createData) { request(4, createData); }
    // Presses a key no binding uses (F24) and waits until the tool has taken it from its
    // queue, so every key pressed before has been handled. False on time-out.
    bool sync(DWORD ms = 10000);

private:
    std::string request(WPARAM what, LPARAM arg);
    HWND main_;
    HMODULE dll_ = nullptr;
    HHOOK callHook_ = nullptr, getHook_ = nullptr;
    UINT message_ = 0;
    int marks_ = 0;
};

// Sets QM_SPY_OUT and QM_TALLY_OUT to fresh files for this test; the tool started after it
// inherits them.
struct SpyFiles {
    SpyFiles();
    ~SpyFiles();
    std::string spy, tally;
};

// The launches qm_tally recorded, one command line each.
std::vector<std::string> tallyLines(const std::string& path);

// A tool in the foreground with the spy in its thread; its application "tally" launches
// qm_tally, so every launch leaves a line.
class KeysTest : public ToolTest {
protected:
    // Starts the tool with `args` on its command line (three entries by default) and
    // "実行したら終了する" as `quit` says.
    void open(const std::string& args = "C:\\one C:\\two C:\\three", bool quit = false);
    // Selects exactly the entries at `positions`.
    void select(std::initializer_list<int> positions);
    std::vector<std::string> launches() const { return tallyLines(files_.tally); }
    // Waits until `n` launches were recorded and every launch the keys made has ended, and
    // answers how many there are.
    std::size_t launchesSettled(std::size_t n);
    // The tool's visible dialog (class "#32770": the error box, the file dialog), waiting
    // up to `ms`; nullptr when none.
    HWND toolDialog(DWORD ms) const;
    // Waits until the tool's process has ended.
    bool ended(DWORD ms = 10000) const;

    SpyFiles files_;
    DWORD pid_ = 0;
    std::unique_ptr<Spy> spy_;
};

}  // namespace qm::e2e
