#include "wide_names.h"

#include "args/commandline.h"
#include "text/codepage.h"
#include "ui/Unit1.h"

namespace qm::e2e {

namespace {

bool fileId(HANDLE f, BY_HANDLE_FILE_INFORMATION& info) {
    if (f == INVALID_HANDLE_VALUE) return false;
    const bool got = GetFileInformationByHandle(f, &info) != 0;
    CloseHandle(f);
    return got;
}

}  // namespace

WideNames::WideNames() {
    // A folder of its own, made fresh: a name left by an earlier process is passed over.
    do {
        dir_ = fromAcp(test::tempPath("qm-names", ""));
    } while (!CreateDirectoryW(dir_.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
    EXPECT_NE(GetFileAttributesW(dir_.c_str()), INVALID_FILE_ATTRIBUTES) << "cannot make " << toAcp(dir_);
    for (const wchar_t* name : {L"caf\u00E9 \u2603.txt", L"na\u00EFve.txt", L"\u0394\\x.txt", L"\u00A5.txt",
                                L"\u8868.txt", L"\u30DD.txt"}) {
        paths_.push_back(make(name));
    }
    paths_.push_back(dir_ + L"\\ghost \u00A5\uFF02\u00E9.txt");
}

WideNames::~WideNames() { test::removeTree(dir_); }

std::wstring WideNames::make(const std::wstring& relative) {
    const std::wstring path = dir_ + L"\\" + relative;
    const std::size_t slash = relative.find(L'\\');
    if (slash != std::wstring::npos) {
        const std::wstring folder = dir_ + L"\\" + relative.substr(0, slash);
        CreateDirectoryW(folder.c_str(), nullptr);
    }
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(f, INVALID_HANDLE_VALUE) << "cannot make " << path;
    if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
    return path;
}

std::wstring WideNames::quoted() const {
    std::wstring line;
    for (const std::wstring& p : paths_) line += L" \"" + p + L"\"";
    return line.substr(1);
}

void WideNames::expectArrived(const std::vector<std::string>& got, std::size_t count) const {
    ASSERT_EQ(got.size(), count);
    for (std::size_t i = 0; i < count; ++i) {
        if (i < 4) {
            EXPECT_TRUE(sameFile(got[i], paths_[i])) << got[i] << " does not open " << toAcp(paths_[i]);
        } else if (i < 6) {
            EXPECT_EQ(got[i], toAcp(paths_[i]));
        } else {
            // Best fit would have made ¥ a backslash and é an e; the full-width quote is a
            // character of code page 932 (FA 57) and stays.
            EXPECT_EQ(got[i], toAcp(dir_) + "\\ghost ?\xFA\x57?.txt");
        }
    }
}

bool sameFile(const std::string& ansi, const std::wstring& wide) {
    BY_HANDLE_FILE_INFORMATION a{}, w{};
    constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    return fileId(CreateFileA(ansi.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                              nullptr),
                  a) &&
           fileId(CreateFileW(wide.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                              nullptr),
                  w) &&
           a.dwVolumeSerialNumber == w.dwVolumeSerialNumber && a.nFileIndexHigh == w.nFileIndexHigh &&
           a.nFileIndexLow == w.nFileIndexLow;
}

std::string probeIni(const std::string& rest) {
    return "[Pos]\r\nTop=100\r\nLeft=120\r\nWidth=400\r\nHeight=300\r\n[app]\r\nprobe=\"" + programDir() +
           "\\qm_probe.exe\" %P\r\n" + rest;
}

namespace {
std::string probeOut(const Tool& tool) { return tool.dir() + "\\probe.txt"; }
}  // namespace

ProbeOutput::ProbeOutput(const Tool& tool) { SetEnvironmentVariableA("QM_PROBE_OUT", probeOut(tool).c_str()); }
ProbeOutput::~ProbeOutput() { SetEnvironmentVariableA("QM_PROBE_OUT", nullptr); }

std::vector<std::string> launchedPaths(const Tool& tool, HWND main) {
    const std::string out = probeOut(tool);
    DeleteFileA(out.c_str());
    SendMessageW(control(main, kIdButton6), BM_CLICK, 0, 0);
    waitUntil([&] { return !readFile(out).empty(); }, 5000);
    const std::string line = readFile(out);
    if (line.empty()) return {};
    return splitCommandLine(line, systemCodePage());
}

}  // namespace qm::e2e
