// Drives real Quillmoor.exe processes under Wine: each Tool is a copy of the exe in a folder
// of its own, with the INI the test gives it; the test reads the window from outside, as
// another program would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/desktop.h"
#include "support/files.h"
#include "support/process.h"

namespace qm::e2e {

// The files, processes, waits, pump and clipboard of the test-support library, under the
// names the end-to-end tests use.
using test::fileExists;
using test::fromAcp;
using test::programDir;
using test::pumpUntil;
using test::putOnClipboard;
using test::readFile;
using test::startProcess;
using test::toAcp;
using test::waitPumping;
using test::waitUntil;
using test::writeFile;
using Process = test::Process;

class Tool {
public:
    // A folder with a copy of Quillmoor.exe named `exeName` and, unless `ini` is null, the
    // INI beside it holding `*ini` (code page 932 bytes).
    explicit Tool(const std::string* ini, const std::string& exeName = "Quillmoor.exe");
    explicit Tool(const std::string& ini) : Tool(&ini) {}
    ~Tool();
    Tool(const Tool&) = delete;
    Tool& operator=(const Tool&) = delete;

    const std::string& dir() const { return dir_.path(); }
    const std::string& exePath() const { return exe_; }
    const std::string& iniPath() const { return ini_; }

    // Starts the tool with `args` after its quoted path.
    Process start(const std::string& args = std::string());
    // Starts it with a UTF-16 command line (names the code page does not hold).
    Process start(const std::wstring& args);
    // Starts one process per entry of `argsList`, all suspended first and then let go
    // together, so that they race each other from their very first instruction.
    std::vector<Process> startTogether(const std::vector<std::string>& argsList);
    // Starts it and waits for its visible main window; fails the test when none comes.
    HWND startAndWait(const std::string& args = std::string());
    // Asks the window to close (as its close box does) and waits for the first process to end.
    bool close(HWND window);

private:
    Process keep(Process p);  // keeps a handle to end it when the tool goes

    test::TempDir dir_;
    std::string exe_, ini_;
    std::vector<Process> started_;
};

// The running tool's main window (class TQuillmoorMW), visible; nullptr after `ms`.
HWND findMainWindow(DWORD ms = 10000);

// The main window's controls, by id (the group box's six controls are found inside it).
HWND control(HWND main, UINT id);

std::string windowText(HWND hwnd);
std::vector<std::string> listItems(HWND listBox);
std::vector<int> listSelection(HWND listBox);
std::vector<std::string> comboItems(HWND combo);
// A control's rectangle in its parent's client coordinates.
RECT rectInParent(HWND control);

// Sends the hand-off message as another program would.
void sendCopyData(HWND target, const void* data, DWORD size);
// The window still answers messages (no hang, no crash), within 5 s.
bool answers(HWND window);

// The process that owns a window.
DWORD processOf(HWND window);
std::string className(HWND window);
// The first top-level window, visible or not, for which `match` holds; nullptr when none.
HWND findTopLevel(const std::function<bool(HWND)>& match);
// The top-level windows of a process, visible or not.
std::vector<HWND> topLevelWindowsOf(DWORD pid);
// The active window and the focus of `window`'s thread, seen from outside.
GUITHREADINFO threadState(HWND window);
// The window active in `window`'s thread (its own idea of activation, which Wine keeps
// right even where GetForegroundWindow answers NULL).
HWND activeWindowOf(HWND window);

// A visible message box (dialog class #32770) of process `pid`; nullptr after `ms`.
HWND findMessageBox(DWORD pid, DWORD ms = 10000);
// What a message box shows, read from outside.
struct MessageBoxView {
    std::string caption, text;
    std::vector<std::string> buttons;  // the visible buttons' texts, in child order
    bool icon = false;                 // an icon is shown
    HWND owner = nullptr;
    RECT rect{};
};
MessageBoxView readMessageBox(HWND box);
// Presses the box's OK button.
void pressOk(HWND box);

// A key's value in the bytes of an INI file (sections and keys compared exactly); `missing`
// when the section or the key is not there.
std::string iniValue(const std::string& iniBytes, const std::string& section, const std::string& key,
                     const std::string& missing = "<missing>");

}  // namespace qm::e2e
