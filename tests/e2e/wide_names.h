// Files whose names the code page does not hold, made with the W API, and the check that
// what a path source delivered reaches the list and a launched program exactly.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"

namespace qm::e2e {

// In a folder of their own, in this order: "café ☃.txt", "naïve.txt", "Δ\x.txt", "¥.txt"
// (U+00A5), "한국 简 😀.txt" (an emoji is a surrogate pair), then 表.txt and ポ.txt (held
// by the code page; their trail bytes are "\" and "|"), then a name with no file behind it,
// "ghost ¥＂é.txt" (best fit would make ¥ a "\", the full-width quote a '"' and é an e).
// Removed when the object goes.
class WideNames {
public:
    WideNames();
    ~WideNames();
    WideNames(const WideNames&) = delete;
    WideNames& operator=(const WideNames&) = delete;

    const std::wstring& dir() const { return dir_; }
    const std::vector<std::wstring>& paths() const { return paths_; }
    // The paths that name a file (all but the last).
    std::vector<std::wstring> files() const { return {paths_.begin(), paths_.end() - 1}; }
    // Makes a file (and the one folder level before it) inside the folder; its full path.
    std::wstring make(const std::wstring& relative);
    // `paths()` quoted for a command line.
    std::wstring quoted() const;

private:
    std::wstring dir_;
    std::vector<std::wstring> paths_;
};

// The tool's INI with the probe as its one application "probe".
std::string probeIni();
// While it lives, tools started hand the probe they launch its output files in their folder.
class ProbeOutput {
public:
    explicit ProbeOutput(const Tool& tool);
    ~ProbeOutput();
    ProbeOutput(const ProbeOutput&) = delete;
    ProbeOutput& operator=(const ProbeOutput&) = delete;
};
// Presses "実行" on the tool's window and returns the arguments the probe was started with
// (after its own path), read from its UTF-16 command line; empty when it did not run.
std::vector<std::wstring> launchedPaths(const Tool& tool, HWND main);
// `expected` are the run list's last entries, exactly, and a launch gives the probe each of
// the list's entries exactly (quoted as the launch quotes them: none here ends in "\").
void expectListedAndLaunched(const Tool& tool, HWND main, const std::vector<std::wstring>& expected);

}  // namespace qm::e2e
