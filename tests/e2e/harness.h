// Drives real Quillmoor.exe processes under Wine: each Tool is a copy of the exe in a folder
// of its own, with the INI the test gives it; the test reads the window from outside, as
// another program would.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/desktop.h"
#include "support/files.h"
#include "support/process.h"
#include "ui/layout.h"
#include "ui/resource.h"

namespace qm::e2e {

// Texts the tool shows, spelled out as their code page 932 bytes.
inline constexpr char kWindowFace[] = "\x82\x6C\x82\x72 \x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E";  // ＭＳ Ｐゴシック
inline constexpr char kAppLabel[] = "\x83\x41\x83\x76\x83\x8A\x91\x49\x91\xF0";                     // アプリ選択
// After the program's name: " を起動できません".
inline constexpr char kCannotStart[] = " \x82\xF0\x8B\x4E\x93\xAE\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1";
// クリップボードを開くことができません
inline constexpr char kCannotOpenClipboard[] =
    "\x83\x4E\x83\x8A\x83\x62\x83\x76\x83\x7B\x81\x5B\x83\x68\x82\xF0\x8A\x4A\x82\xAD\x82\xB1\x82\xC6\x82\xAA\x82\xC5"
    "\x82\xAB\x82\xDC\x82\xB9\x82\xF1";

// The files, settings text, processes, waits, pump and clipboard of the test-support
// library, under the names the end-to-end tests use.
using test::fileExists;
using test::fromAcp;
using test::IniText;
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

// The main window's controls, by id (the group box's six controls are found inside it); the
// table of controls (kControls in ui/layout.h) lists them with their names.
HWND control(HWND main, UINT id);
inline HWND control(HWND main, Ctl c) {
    return control(main, idOf(c));
}
std::string windowText(HWND hwnd);
std::wstring windowTextWide(HWND hwnd);
std::vector<std::string> listItems(HWND listBox);
std::vector<std::wstring> listItemsWide(HWND listBox);  // every character kept
std::vector<int> listSelection(HWND listBox);
std::vector<std::string> comboItems(HWND combo);
std::vector<std::wstring> comboItemsWide(HWND combo);
// A control's rectangle in its parent's client coordinates.
RECT rectInParent(HWND control);

// Sends the hand-off message as another program would; true when it was answered within 10 s.
bool sendCopyData(HWND target, const void* data, DWORD size, ULONG_PTR dwData = 0);
// The window still answers messages (no hang, no crash), within 10 s.
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
    std::wstring wideCaption, wideText;  // the same in UTF-16, every character kept
    std::vector<std::string> buttons;    // the visible buttons' texts, in child order
    bool icon = false;                   // an icon is shown
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

// A test with a running tool: startTool makes its folder and INI, starts it and waits for its
// main window; whatever the tool started ends with the test.
class ToolTest : public ::testing::Test {
protected:
    // Starts a tool whose INI holds `ini` with `args`; its visible main window, or nullptr
    // (and the test has failed) when none shows.
    HWND startTool(const std::string& ini, const std::string& args = std::string());
    // The same in two steps, for a test that prepares what the process inherits in between.
    void makeTool(const std::string& ini);
    HWND startMadeTool(const std::string& args = std::string());
    // Closes the window as its close box does, expects its process to end, forgets the tool.
    void closeTool();
    HWND c(UINT id) const { return control(main_, id); }
    HWND list() const { return c(kIdListBox1); }
    std::vector<std::string> items() const;
    // Adds entries through the hand-off, as a later start of the tool would: the pieces
    // joined with "|" in the hand-off block.
    void handOff(const std::string& argumentText);
    // Waits until the main window is enabled: a modal frame enables it again only after its
    // dialog window has gone.
    bool enabledAgain() const;

    std::unique_ptr<Tool> tool_;
    Process process_;
    HWND main_ = nullptr;
};

}  // namespace qm::e2e
