#include "wide_names.h"

#include "args/commandline.h"
#include "ui/resource.h"

namespace qm::e2e {

WideNames::WideNames() {
    // A folder of its own, made fresh: a name left by an earlier process is passed over.
    do {
        dir_ = fromAcp(test::tempPath("qm-names", ""));
    } while (!CreateDirectoryW(dir_.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
    EXPECT_NE(GetFileAttributesW(dir_.c_str()), INVALID_FILE_ATTRIBUTES) << "cannot make " << toAcp(dir_);
    for (const wchar_t* name : {L"caf\u00E9 \u2603.txt", L"na\u00EFve.txt", L"\u0394\\x.txt", L"\u00A5.txt",
                                L"\uD55C\uAD6D \u7B80 \U0001F600.txt", L"\u8868.txt", L"\u30DD.txt"}) {
        paths_.push_back(make(name));
    }
    paths_.push_back(dir_ + L"\\ghost \u00A5\uFF02\u00E9.txt");
}

WideNames::~WideNames() {
    test::removeTree(dir_);
}

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

std::string probeIni() {
    return IniText().at(100, 120).size(400, 300).apps({"probe=\"" + programDir() + "\\qm_probe.exe\" %P"}).bytes();
}

namespace {
std::string probeOut(const Tool& tool) {
    return tool.dir() + "\\probe.txt";
}
std::string probeWide(const Tool& tool) {
    return tool.dir() + "\\probe-wide.txt";
}
}  // namespace

ProbeOutput::ProbeOutput(const Tool& tool) {
    SetEnvironmentVariableA("QM_PROBE_OUT", probeOut(tool).c_str());
    SetEnvironmentVariableA("QM_PROBE_WIDE", probeWide(tool).c_str());
}
ProbeOutput::~ProbeOutput() {
    SetEnvironmentVariableA("QM_PROBE_OUT", nullptr);
    SetEnvironmentVariableA("QM_PROBE_WIDE", nullptr);
}

std::vector<std::wstring> launchedPaths(const Tool& tool, HWND main) {
    const std::string out = probeOut(tool);
    DeleteFileA(out.c_str());
    SendMessageW(control(main, kIdButton6), BM_CLICK, 0, 0);
    waitUntil([&] { return !readFile(out).empty(); }, 5000);
    if (readFile(out).empty()) return {};
    const std::string bytes = readFile(probeWide(tool));
    std::u16string line(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < line.size(); ++i)
        line[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    std::vector<std::wstring> args;
    for (const std::u16string& arg : splitCommandLine(line)) args.emplace_back(arg.begin(), arg.end());
    return args;
}

void expectListedAndLaunched(const Tool& tool, HWND main, const std::vector<std::wstring>& expected) {
    const std::vector<std::wstring> listed = listItemsWide(control(main, kIdListBox1));
    ASSERT_GE(listed.size(), expected.size());
    EXPECT_EQ(std::vector<std::wstring>(listed.end() - expected.size(), listed.end()), expected);
    EXPECT_EQ(launchedPaths(tool, main), listed);
}

}  // namespace qm::e2e
