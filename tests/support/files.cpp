#include "files.h"

#include <gtest/gtest.h>

#include <utility>

#include "process.h"

namespace qm::test {

std::string toAcp(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int n = WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

std::wstring fromAcp(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int n = MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
    return out;
}

std::string readFile(const std::string& path) {
    const Handle f(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               0, nullptr));
    std::string out;
    if (!f.valid()) return out;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(f.get(), buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
    return out;
}

void writeFile(const std::string& path, const std::string& bytes) {
    const Handle f(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(f.valid()) << path << " (error " << GetLastError() << ")";
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) << path;
    ASSERT_EQ(written, bytes.size()) << path;
}

IniText& IniText::at(int top, int left) {
    pos_ = true;
    top_ = top;
    left_ = left;
    return *this;
}

IniText& IniText::size(int width, int height) {
    pos_ = true;
    width_ = width;
    height_ = height;
    return *this;
}

IniText& IniText::withoutPos() {
    pos_ = false;
    return *this;
}

IniText& IniText::options(bool clear, bool quit) {
    check_ = true;
    clear_ = clear;
    quit_ = quit;
    return *this;
}

IniText& IniText::apps(std::vector<std::string> entries) {
    app_ = true;
    apps_ = std::move(entries);
    return *this;
}

IniText& IniText::withoutApps() {
    app_ = false;
    return *this;
}

std::string IniText::bytes() const {
    std::string text;
    const auto line = [&](const std::string& l) { text += l + "\r\n"; };
    if (pos_) {
        line("[Pos]");
        line("Top=" + std::to_string(top_));
        line("Left=" + std::to_string(left_));
        line("Height=" + std::to_string(height_));
        line("Width=" + std::to_string(width_));
    }
    if (check_) {
        line("[check]");
        line(clear_ ? "clear=1" : "clear=0");
        line(quit_ ? "quit=1" : "quit=0");
    }
    if (app_) {
        line("[app]");
        for (const std::string& entry : apps_) line(entry);
    }
    return text;
}

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string programDir() {
    char buf[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
    const std::string path(buf, n);
    return path.substr(0, path.find_last_of('\\'));
}

bool unixShell(const std::string& dir, const std::string& command) {
    // The Unix program gives Wine no process to wait for: it leaves a mark when it is done.
    const std::string mark = dir + "\\.unix-shell-done";
    DeleteFileA(mark.c_str());
    std::string line = "sh -c \"" + command + " ; echo > .unix-shell-done\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const bool started =
        CreateProcessA("Z:\\bin\\sh", &line[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi) != FALSE;
    EXPECT_TRUE(started) << line << " (error " << GetLastError() << ")";
    if (!started) return false;
    Handle process(pi.hProcess), thread(pi.hThread);
    const bool done = waitUntil([&] { return fileExists(mark); }, 10000);
    EXPECT_TRUE(done) << line;
    DeleteFileA(mark.c_str());
    return done;
}

bool symbolicLink(const std::string& link, const std::string& target) {
    const std::size_t cut = link.rfind('\\');
    return unixShell(link.substr(0, cut),
                     "ln -s '" + target.substr(target.rfind('\\') + 1) + "' '" + link.substr(cut + 1) + "'");
}

namespace {

std::string tempFolder() {
    char base[MAX_PATH + 1];
    const DWORD n = GetTempPathA(sizeof base, base);
    return std::string(base, n);  // ends in "\"
}

std::string uniqueStem(const std::string& stem) {
    static int serial = 0;
    return tempFolder() + stem + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
}

}  // namespace

std::string tempPath(const std::string& stem, const std::string& extension) {
    return uniqueStem(stem) + extension;
}

TempDir::TempDir(const std::string& tag) {
    // A name left behind by an earlier process of the same id is passed over.
    do {
        path_ = uniqueStem("qm-" + tag);
    } while (!CreateDirectoryA(path_.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
    EXPECT_TRUE(fileExists(path_)) << "cannot make " << path_ << " (error " << GetLastError() << ")";
}

TempDir::~TempDir() {
    removeTree(fromAcp(path_));
}

void removeTree(const std::wstring& dir) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = dir + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(path);
            } else {
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(dir.c_str());
}

}  // namespace qm::test
