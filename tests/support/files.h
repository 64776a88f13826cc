// Files, folders and handles for the Windows tests: the test program's own folder, private
// temporary folders, whole-file reads and writes, the text of a settings file, and an owner
// for kernel handles.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace qm::test {

// UTF-16 <-> code page 932.
std::string toAcp(const std::wstring& text);
std::wstring fromAcp(const std::string& text);

// The whole file, or an empty text when it cannot be opened.
std::string readFile(const std::string& path);
// Replaces the file with exactly `bytes`; fails the test when that is refused.
void writeFile(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);
// The folder holding the running test program, and Quillmoor.exe and the small test
// programs beside it.
std::string programDir();

// Runs `command` with the system's shell under Wine (/bin/sh -c) in the folder `dir`, and
// returns once it has run: for what only the Unix side makes, such as a symbolic link (Wine's
// CreateSymbolicLinkW makes nothing; Wine follows a Unix one without a word) or a link to no
// file. False, and the test fails, when it did not run within ten seconds.
bool unixShell(const std::string& dir, const std::string& command);
// `link`, a symbolic link to `target` (a name in the same folder, which need not exist).
bool symbolicLink(const std::string& link, const std::string& target);

// A name in the temporary folder that no other test of any process uses: stem, process id,
// a serial number and `extension`. Nothing is created.
std::string tempPath(const std::string& stem, const std::string& extension = ".txt");

// Removes the folder and all it holds (names the code page lacks included).
void removeTree(const std::wstring& dir);

// A fresh folder in the temporary folder, its name made of `tag` (code page 932, so a test
// can put a trail byte 0x5C in it); removed with all it holds when the object goes.
class TempDir {
public:
    explicit TempDir(const std::string& tag);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    // `name` inside the folder.
    std::string file(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// The settings file a test gives the tool, as its code page 932 bytes: [Pos] with the
// window's frame (Top, Left, Height, Width, in 96-dpi units), [check] with the two options,
// [app] with the application table, each line ended by CR LF. A test sets what it cares
// about; the rest stays as most tests open the window: at 100,100, 340 by 300, no [check],
// and the one application "probe=x %P", which no test starts.
class IniText {
public:
    IniText& at(int top, int left);
    IniText& size(int width, int height);
    // No [Pos] section: the tool opens at its defaults.
    IniText& withoutPos();
    // [check] clear and quit, as "1" or "0".
    IniText& options(bool clear, bool quit);
    // [app] with these entries ("name=template", code page 932) in this order; with none, an
    // empty [app] section.
    IniText& apps(std::vector<std::string> entries);
    // No [app] section at all: no application table.
    IniText& withoutApps();

    std::string bytes() const;

private:
    bool pos_ = true, check_ = false, app_ = true;
    int top_ = 100, left_ = 100, width_ = 340, height_ = 300;
    bool clear_ = false, quit_ = false;
    std::vector<std::string> apps_{"probe=x %P"};
};

// Owns a kernel handle (null and INVALID_HANDLE_VALUE both mean none).
class Handle {
public:
    explicit Handle(HANDLE h = nullptr) : h_(h) {}
    ~Handle() { reset(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    void reset(HANDLE h = nullptr) {
        if (valid()) CloseHandle(h_);
        h_ = h;
    }

private:
    HANDLE h_;
};

}  // namespace qm::test
