// Files whose names the code page does not hold, made with the W API, and the check that
// what a path source delivered reaches a launched program as a path to the very same file.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"

namespace qm::e2e {

// In a folder of their own, in this order: "café ☃.txt", "naïve.txt", "Δ\x.txt", "¥.txt"
// (U+00A5), then 表.txt and ポ.txt (held by the code page; their trail bytes are "\" and "|"),
// then a name with no file behind it, "ghost ¥＂é.txt" (the full-width quote is held). Removed when the object goes.
class WideNames {
public:
    WideNames();
    ~WideNames();
    WideNames(const WideNames&) = delete;
    WideNames& operator=(const WideNames&) = delete;

    const std::wstring& dir() const { return dir_; }
    const std::vector<std::wstring>& paths() const { return paths_; }
    // Makes a file (and the one folder level before it) inside the folder; its full path.
    std::wstring make(const std::wstring& relative);
    // `paths()` quoted for a command line.
    std::wstring quoted() const;

    // `got[i]` is what reached the program for `paths()[i]`: a path that opens that very
    // file, the held names byte for byte, the missing one with "?" for each character the
    // code page lacks. `count` paths are expected (a dialog cannot choose the missing one).
    void expectArrived(const std::vector<std::string>& got, std::size_t count = 7) const;

private:
    std::wstring dir_;
    std::vector<std::wstring> paths_;
};

// Whether `ansi` (code page text) opens the file or folder that `wide` names: the same
// volume serial number and file index.
bool sameFile(const std::string& ansi, const std::wstring& wide);

// The tool's INI with the probe as its (first) application "probe", `rest` after it.
std::string probeIni(const std::string& rest = std::string());
// While it lives, tools started hand the probe they launch its output file in their folder.
class ProbeOutput {
public:
    explicit ProbeOutput(const Tool& tool);
    ~ProbeOutput();
    ProbeOutput(const ProbeOutput&) = delete;
    ProbeOutput& operator=(const ProbeOutput&) = delete;
};
// Presses "実行" on the tool's window and returns the paths the probe was started with
// (its arguments after its own path); empty when it did not run.
std::vector<std::string> launchedPaths(const Tool& tool, HWND main);

}  // namespace qm::e2e
