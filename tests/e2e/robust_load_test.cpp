// The running tool under load: many programs handing it paths at once, and a long run of
// everyday operations that must leave no object behind.
#include <gtest/gtest.h>
#include <winternl.h>

#include <algorithm>
#include <map>

#include "harness.h"
#include "ui/resource.h"

namespace qm::e2e {
namespace {

TEST(RobustLoad, AThousandHandOffsFromTwentyProgramsAtOnceArriveEachExactlyOnce) {
    Tool tool(IniText().withoutPos().apps({"x=y %P"}).bytes());
    const HWND main = tool.startAndWait();
    ASSERT_NE(main, nullptr);
    const std::string flood = programDir() + "\\qm_flood.exe";
    ASSERT_TRUE(fileExists(flood)) << flood;

    // Twenty programs, fifty hand-offs each, all sending at the same time; and while they
    // do, ten later starts of the tool forward one path each.
    std::vector<Process> senders;
    for (int s = 0; s < 20; ++s) senders.push_back(startProcess("\"" + flood + "\" s" + std::to_string(s) + "- 50"));
    std::vector<std::string> forwarded;
    for (int f = 0; f < 10; ++f) forwarded.push_back("f" + std::to_string(f));
    std::vector<Process> starts = tool.startTogether(forwarded);
    for (const Process& p : senders) EXPECT_EQ(p.wait(180000), 0);
    for (const Process& p : starts) EXPECT_EQ(p.wait(60000), 0);
    ASSERT_TRUE(answers(main));

    const std::vector<std::string> items = listItems(control(main, kIdListBox1));
    EXPECT_EQ(items.size(), 1010u);
    std::map<std::string, int> seen;
    for (const std::string& item : items) ++seen[item];
    for (int s = 0; s < 20; ++s) {
        // Each program's paths arrive once each, in the order it sent them.
        int last = -1;
        for (const std::string& item : items) {
            const std::string prefix = "s" + std::to_string(s) + "-";
            if (item.compare(0, prefix.size(), prefix) != 0) continue;
            const int i = std::stoi(item.substr(prefix.size()));
            EXPECT_GT(i, last) << item;
            last = i;
        }
        for (int i = 0; i < 50; ++i) {
            const std::string path = "s" + std::to_string(s) + "-" + std::to_string(i);
            EXPECT_EQ(seen[path], 1) << path;
        }
    }
    for (const std::string& path : forwarded) EXPECT_EQ(seen[path], 1) << path;
    EXPECT_TRUE(tool.close(main));
}

// ---------------------------------------------------------------- object counts

// Kernel handles a process holds: every handle value it answers for. (Wine reports none
// through GetProcessHandleCount, so each value is tried by duplicating it.)
int kernelHandles(HANDLE process) {
    int n = 0;
    for (ULONG_PTR value = 4; value < 0x4000; value += 4) {
        HANDLE copy = nullptr;
        if (DuplicateHandle(process, reinterpret_cast<HANDLE>(value), GetCurrentProcess(), &copy, 0, FALSE,
                            DUPLICATE_SAME_ACCESS)) {
            ++n;
            CloseHandle(copy);
        }
    }
    return n;
}

BOOL CALLBACK countChild(HWND, LPARAM n) {
    ++*reinterpret_cast<int*>(n);
    return TRUE;
}

// USER objects: GetGuiResources where the system counts them; where it answers 0 (Wine),
// the process's windows and their children, the USER objects the operations make.
int userObjects(HANDLE process, DWORD pid) {
    if (const DWORD n = GetGuiResources(process, GR_USEROBJECTS)) return static_cast<int>(n);
    int n = 0;
    for (HWND w : topLevelWindowsOf(pid)) {
        ++n;
        EnumChildWindows(w, countChild, reinterpret_cast<LPARAM>(&n));
    }
    return n;
}

// GDI objects: GetGuiResources where the system counts them; else (Wine) the live entries of
// the process's GDI handle table, which its PEB names; -1 when neither answers (32-bit Wine
// keeps no table there).
int gdiObjects(HANDLE process) {
    if (const DWORD n = GetGuiResources(process, GR_GDIOBJECTS)) return static_cast<int>(n);
#pragma pack(push, 1)
    struct Entry {
        unsigned long long object;
        unsigned long owner;
        unsigned short unique;
        unsigned char type, flags;
        unsigned long long user;
    };
#pragma pack(pop)
    static_assert(sizeof(Entry) == 24, "a GDI handle table entry");
    using Query = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION info{};
    ULONG got = 0;
    if (!query || query(process, ProcessBasicInformation, &info, sizeof info, &got) != 0) return -1;
    const std::size_t tableField = sizeof(void*) == 4 ? 0x94 : 0xF8;
    void* table = nullptr;
    if (!ReadProcessMemory(process, static_cast<char*>(static_cast<void*>(info.PebBaseAddress)) + tableField, &table,
                           sizeof table, nullptr) ||
        !table)
        return -1;
    std::vector<Entry> entries(0x10000);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(Entry), nullptr)) return -1;
    constexpr unsigned short kStock = 0x80;
    return static_cast<int>(std::count_if(entries.begin(), entries.end(),
                                          [](const Entry& e) { return e.type != 0 && !(e.unique & kStock); }));
}

struct Counts {
    int kernel = 0, user = 0, gdi = 0;
    bool operator==(const Counts& o) const { return kernel == o.kernel && user == o.user && gdi == o.gdi; }
};

std::ostream& operator<<(std::ostream& out, const Counts& c) {
    return out << "{kernel " << c.kernel << ", USER " << c.user << ", GDI " << c.gdi << "}";
}

TEST(RobustLoad, AThousandOperationsLeaveTheObjectCountsAsTheyWere) {
    const std::string probe = programDir() + "\\qm_probe.exe";
    Tool tool(IniText().withoutPos().apps({"probe=\"" + probe + "\" %P"}).bytes());
    const std::string out = tool.dir() + "\\probe.txt";
    SetEnvironmentVariableA("QM_PROBE_OUT", out.c_str());
    Process p = tool.start();
    SetEnvironmentVariableA("QM_PROBE_OUT", nullptr);
    const HWND main = findMainWindow();
    ASSERT_NE(main, nullptr);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | PROCESS_DUP_HANDLE, FALSE, p.pid());
    ASSERT_NE(process, nullptr);
    const HWND list = control(main, kIdListBox1);
    SendMessageW(control(main, kIdCheckBox1), BM_CLICK, 0, 0);  // the list is emptied after each start
    putOnClipboard(CF_TEXT, std::string("C:\\clip\\board.txt") + '\0');

    auto command = [&](UINT id) { SendMessageW(main, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); };
    int launches = 0;
    // One round: ten operations of every file-dialog-free kind; a start every fourth round.
    auto round = [&](int r) {
        sendCopyData(main, "a|b|c", 6);
        command(kIdN1);       // select all
        command(kIdN2);       // invert
        command(kIdPaste1);   // paste
        command(kIdN2);       // invert
        command(kIdDelete1);  // delete the selection
        sendCopyData(main, "d", 2);
        command(kIdN1);
        command(kIdDelete1);
        if (r % 4 == 0) {
            sendCopyData(main, "e", 2);
            command(kIdButton6);  // start the probe; the list is emptied
            ++launches;
        } else {
            command(kIdN3);  // clear the list
        }
    };
    auto counts = [&] { return Counts{kernelHandles(process), userObjects(process, p.pid()), gdiObjects(process)}; };

    // A first round makes what the system keeps for good (clipboard, process start).
    round(0);
    ASSERT_TRUE(waitUntil([&] { return fileExists(out); }));
    const Counts before = counts();
    EXPECT_GT(before.kernel, 0);
    EXPECT_GT(before.user, 0);
#ifdef _WIN64
    EXPECT_GT(before.gdi, 0) << "the GDI handle table could not be read";
#endif
    for (int r = 1; r <= 100; ++r) round(r);
    EXPECT_EQ(launches, 26);
    EXPECT_TRUE(answers(main));
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 0);
    // The last start's list went to the probe.
    EXPECT_TRUE(waitUntil([&] { return readFile(out).find("\"e\"") != std::string::npos; }));
    EXPECT_EQ(counts(), before) << "after 1,000 operations";
    CloseHandle(process);
    EXPECT_TRUE(tool.close(main));
}

}  // namespace
}  // namespace qm::e2e
