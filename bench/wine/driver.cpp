// Measures Quillmoor.exe under Wine side by side with minimal Win32 programs, alternating
// them round by round, and prints the medians of the times and the median of the per-round
// ratios with their middle half (25th to 75th percentile), which shows the noise. Run
// through bench/run.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "launch/launch.h"
#include "launch/run.h"
#include "runlist/listbox_runlist.h"
#include "text/codepage.h"
#include "ui/Unit1.h"

namespace {

int g_runs = 15;
std::string g_dir;  // the bench folder: Quillmoor.exe, its INI, the reference programs

double nowMs() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : (v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2);
}

// The 25th, 50th and 75th percentile.
struct Spread {
    double low, mid, high;
};
Spread spread(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    if (v.empty()) return {0, 0, 0};
    auto at = [&](double q) { return v[static_cast<std::size_t>(q * static_cast<double>(v.size() - 1) + 0.5)]; };
    return {at(0.25), median(v), at(0.75)};
}

std::vector<double> ratios(const std::vector<double>& a, const std::vector<double>& b) {
    std::vector<double> r;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) r.push_back(b[i] > 0 ? a[i] / b[i] : 0);
    return r;
}

std::string programDir() {
    char buf[MAX_PATH];
    std::string p(buf, GetModuleFileNameA(nullptr, buf, MAX_PATH));
    return p.substr(0, p.find_last_of('\\'));
}

struct Proc {
    HANDLE process = nullptr;
    DWORD pid = 0;
};

Proc start(const std::string& line) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string l = line;
    if (!CreateProcessA(nullptr, &l[0], nullptr, nullptr, FALSE, 0, nullptr, g_dir.c_str(), &si, &pi)) {
        std::fprintf(stderr, "cannot start %s\n", line.c_str());
        std::exit(1);
    }
    CloseHandle(pi.hThread);
    return {pi.hProcess, pi.dwProcessId};
}

HWND waitVisible(const char* cls) {
    for (int i = 0; i < 20000; ++i) {
        HWND w = FindWindowA(cls, nullptr);
        if (w && IsWindowVisible(w)) return w;
        Sleep(0);
    }
    return nullptr;
}

void closeAndWait(HWND w, const Proc& p) {
    PostMessageA(w, WM_CLOSE, 0, 0);
    WaitForSingleObject(p.process, 10000);
    CloseHandle(p.process);
}

SIZE_T peakWorkingSet(const Proc& p) {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    return GetProcessMemoryInfo(p.process, &pmc, sizeof pmc) ? pmc.PeakWorkingSetSize : 0;
}

std::string quoted(const std::string& s) {
    return "\"" + s + "\"";
}

// One line: the medians of both and the median of the per-round ratios (middle half after it).
void row(const char* what, const std::vector<double>& quill, const std::vector<double>& ref, const char* goal) {
    const Spread r = spread(ratios(quill, ref));
    std::printf("%-44s %10.2f %10.2f %7.2fx  %-24s (%.2f-%.2f)\n", what, median(quill), median(ref), r.mid, goal, r.low,
                r.high);
}

LRESULT count(HWND list) {
    return SendMessageA(list, LB_GETCOUNT, 0, 0);
}

// One WM_COPYDATA with `text` and its NUL, in at least 257 bytes.
void sendBlock(HWND main, const std::string& text) {
    std::vector<char> block(text.begin(), text.end());
    block.push_back('\0');
    if (block.size() < 257) block.resize(257, '\0');
    COPYDATASTRUCT cds{};
    cds.cbData = static_cast<DWORD>(block.size());
    cds.lpData = block.data();
    SendMessageA(main, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
}

// The largest code page block a later start of the tool sends (its longest command line, two
// bytes a character, and the NUL); the tool declines a larger one.
constexpr std::size_t kLargestBlock = 65535;

// `text` ("|" between paths) in as few blocks as a later start could send, each cut at a "|".
void handOff(HWND main, const std::string& text) {
    std::size_t from = 0;
    while (text.size() - from + 1 > kLargestBlock) {
        const std::size_t bar = text.rfind('|', from + kLargestBlock - 1);
        sendBlock(main, text.substr(from, bar - from));
        from = bar + 1;
    }
    sendBlock(main, text.substr(from));
}

std::string pathAt(int i) {
    char buf[128];
    std::snprintf(buf, sizeof buf, "C:\\Users\\someone\\Documents\\project\\file-%06d.txt", i);
    return buf;
}

std::string paths(int n) {
    std::string text;
    for (int i = 0; i < n; ++i) text += (i ? "|" : "") + pathAt(i);
    return text;
}

// A visible dialog box (an error box) of process `pid`, or nullptr.
struct DialogSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK dialogOfProcess(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<DialogSearch*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    char cls[16] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (owner != s->pid || !IsWindowVisible(w) || lstrcmpA(cls, "#32770") != 0) return TRUE;
    s->found = w;
    return FALSE;
}

HWND dialogOf(DWORD pid) {
    DialogSearch search{pid, nullptr};
    EnumWindows(dialogOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

double timed(const std::function<void()>& f) {
    const double t0 = nowMs();
    f();
    return nowMs() - t0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) g_runs = std::max(1, std::atoi(argv[1]));
    // A second argument names the only part to measure: "start", "handoff" or "list".
    const std::string only = argc > 2 ? argv[2] : "";
    auto measures = [&](const char* part) { return only.empty() || only == part; };
    g_dir = programDir();
    const std::string quill = quoted(g_dir + "\\Quillmoor.exe");
    const std::string minimal = quoted(g_dir + "\\qm_bench_minimal.exe");
    const std::string forwarder = quoted(g_dir + "\\qm_bench_forwarder.exe");

    std::printf("%d runs each, alternating; times in ms (median)\n\n", g_runs);
    std::printf("%-44s %10s %10s %8s  %-24s %s\n", "", "Quillmoor", "reference", "ratio", "goal", "(middle half)");

    // Cold start: process creation until the main window is shown and the process idle; the
    // three programs take turns, each round in another order.
    const std::string controls = quoted(g_dir + "\\qm_bench_controls.exe");
    std::vector<double> tq, tc, tm;
    SIZE_T wsq = 0, wsm = 0;
    for (int r = 0; r < (measures("start") ? g_runs : 0); ++r) {
        for (int k = 0; k < 3; ++k) {
            const int which = (k + r) % 3;  // 0 Quillmoor, 1 with controls, 2 bare
            const double t0 = nowMs();
            Proc p = start(which == 0 ? quill : which == 1 ? controls : minimal);
            WaitForInputIdle(p.process, 10000);
            HWND w = waitVisible(which == 0 ? "TQuillmoorMW" : "QmBenchMinimal");
            (which == 0 ? tq : which == 1 ? tc : tm).push_back(nowMs() - t0);
            if (!w) {
                std::fprintf(stderr, "no window\n");
                return 1;
            }
            if (which != 1) (which == 0 ? wsq : wsm) = std::max(which == 0 ? wsq : wsm, peakWorkingSet(p));
            closeAndWait(w, p);
        }
    }
    if (measures("start")) {
        row("cold start vs manifest + ten controls", tq, tc, "<= 1.05x");
        row("cold start vs bare window", tq, tm, "");
    }

    // Hand-off: a second start with three paths until it has ended and the paths are listed.
    Proc first = start(quill);
    WaitForInputIdle(first.process, 10000);
    HWND main = waitVisible("TQuillmoorMW");
    HWND list = GetDlgItem(GetDlgItem(main, qm::kIdGroupBox1), qm::kIdListBox1);
    tq.clear();
    tm.clear();
    for (int r = 0; r < (measures("handoff") ? g_runs : 0); ++r) {
        for (int which = 0; which < 2; ++which) {
            const bool q = (which == 0) == (r % 2 == 0);
            const LRESULT before = count(list);
            const double t0 = nowMs();
            Proc p = start((q ? quill : forwarder + " TQuillmoorMW") + " a b c");
            WaitForSingleObject(p.process, 10000);
            while (count(list) < before + 3) Sleep(0);
            (q ? tq : tm).push_back(nowMs() - t0);
            CloseHandle(p.process);
        }
    }
    if (measures("handoff")) row("hand-off of three paths (second start)", tq, tm, "<= 1.05x");
    SendMessageA(main, WM_COMMAND, qm::kIdN3, 0);  // remove all

    // One hand-off of 200 paths (one WM_COPYDATA, timed until the send returns) against the
    // floor: 200 LB_ADDSTRING with redraw off in a plain list box of the tool's kind, shown in
    // a window of this process, redraw back on at the end. Both lists start empty and painted.
    if (measures("handoff")) {
        const HWND floorWindow = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 40, 40, 320, 150, nullptr,
                                                 nullptr, nullptr, nullptr);
        const HWND floorList =
            CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VISIBLE | qm::kRunListStyle, 8, 8, 299, 127,
                            floorWindow, nullptr, nullptr, nullptr);
        const std::string text200 = paths(200);
        std::vector<std::string> each200;
        for (int i = 0; i < 200; ++i) each200.push_back(pathAt(i));
        std::vector<double> h200, f200;
        for (int r = 0; r < g_runs; ++r) {
            for (int which = 0; which < 2; ++which) {
                const bool q = (which == 0) == (r % 2 == 0);
                if (q) {
                    SendMessageA(main, WM_COMMAND, qm::kIdN3, 0);
                    RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
                    Sleep(20);
                    h200.push_back(timed([&] { handOff(main, text200); }));
                } else {
                    SendMessageA(floorList, LB_RESETCONTENT, 0, 0);
                    RedrawWindow(floorWindow, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
                    Sleep(20);
                    f200.push_back(timed([&] {
                        SendMessageA(floorList, WM_SETREDRAW, FALSE, 0);
                        for (const std::string& p : each200)
                            SendMessageA(floorList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(p.c_str()));
                        SendMessageA(floorList, WM_SETREDRAW, TRUE, 0);
                    }));
                }
            }
        }
        DestroyWindow(floorWindow);
        row("hand-off of 200 paths (one WM_COPYDATA)", h200, f200, "<= 1.0x (200 LB_ADDSTRING)");
    }

    // The largest block the tool takes (65,535 bytes: 1,284 paths, the last one longer) and one
    // it declines (1 MiB), each one WM_COPYDATA timed until the send returns.
    if (measures("handoff")) {
        const int perPath = static_cast<int>(pathAt(0).size()) + 1;
        std::string largest = paths(static_cast<int>(kLargestBlock) / perPath);
        largest.resize(kLargestBlock - 1, 'x');
        std::string mib = paths((1 << 20) / perPath);
        mib.resize((1u << 20) - 1, 'x');
        std::vector<double> tl, td;
        for (int r = 0; r < std::max(3, g_runs / 3); ++r) {
            SendMessageA(main, WM_COMMAND, qm::kIdN3, 0);
            RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            tl.push_back(timed([&] { sendBlock(main, largest); }));
            SendMessageA(main, WM_COMMAND, qm::kIdN3, 0);
            RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            td.push_back(timed([&] { sendBlock(main, mib); }));
        }
        std::printf("%-44s %10.2f ms  (%d entries)\n", "largest block taken (65,535 bytes)", median(tl),
                    static_cast<int>(kLargestBlock) / perPath);
        std::printf("%-44s %10.2f ms  (%ld entries after it)\n", "block of 1 MiB (declined)", median(td),
                    static_cast<long>(count(list)));
        SendMessageA(main, WM_COMMAND, qm::kIdN3, 0);
    }

    // 1,000 hand-offs of one path each, sent one after another: the whole series.
    if (measures("handoff")) {
        std::vector<double> series, each;
        for (int r = 0; r < std::max(1, g_runs / 5); ++r) {
            SendMessageA(main, WM_COMMAND, qm::kIdN3, 0);
            RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            series.push_back(timed([&] {
                for (int i = 0; i < 1000; ++i) each.push_back(timed([&] { handOff(main, pathAt(i)); }));
            }));
        }
        const Spread sends = spread(each);
        std::printf("%-44s %10.0f ms  (one send: %.2f ms, middle half %.2f-%.2f)\n", "1,000 hand-offs of one path each",
                    median(series), sends.mid, sends.low, sends.high);
        SendMessageA(main, WM_COMMAND, qm::kIdN3, 0);
    }

    // The list commands on 10,000 entries, against one LB_SETSEL on all of them. Before each
    // timing the tool finishes painting what the step before left to paint, so that no step
    // is timed with another one's painting; the second set of lines times each step until
    // the tool has painted it too.
    std::vector<double> sel, inv, del, ref, selPainted, refPainted;
    const std::string tenThousand = paths(10000);
    auto settle = [&] {
        RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        Sleep(20);
    };
    auto step = [&](std::vector<double>& into, const std::function<void()>& f) {
        settle();
        into.push_back(timed(f));
    };
    auto painted = [&](const std::function<void()>& f) {
        return [&, f] {
            f();
            RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        };
    };
    auto command = [&](UINT id) { return [&, id] { SendMessageA(main, WM_COMMAND, id, 0); }; };
    auto selectEvery = [&] { SendMessageA(list, LB_SETSEL, TRUE, -1); };
    auto selectNone = [&] { SendMessageA(list, LB_SETSEL, FALSE, -1); };
    for (int r = 0; r < (measures("list") ? g_runs : 0); ++r) {
        SendMessageA(main, WM_COMMAND, qm::kIdN3, 0);
        handOff(main, tenThousand);
        step(ref, selectEvery);
        selectNone();
        step(sel, command(qm::kIdN1));
        step(inv, command(qm::kIdN2));
        SendMessageA(main, WM_COMMAND, qm::kIdN1, 0);
        step(del, command(qm::kIdDelete1));
        handOff(main, tenThousand);
        step(refPainted, painted(selectEvery));
        selectNone();
        step(selPainted, painted(command(qm::kIdN1)));
    }
    if (measures("list")) {
        row("select all, 10,000 entries", sel, ref, "< 16 ms");
        row("invert selection, 10,000 entries", inv, ref, "< 16 ms");
        row("delete selected (all), 10,000 entries", del, ref, "< 16 ms");
        row("select all, until painted", selPainted, refPainted, "(LB_SETSEL(-1) painted)");
    }

    // Growth: a hand-off of 2,000 and 20,000 paths; a launch with 1,000 and 10,000 entries.
    auto handoffTime = [&](int n) {
        const std::string text = paths(n);
        std::vector<double> t;
        for (int r = 0; r < std::max(3, g_runs / 3); ++r) {
            SendMessageA(main, WM_COMMAND, qm::kIdN3, 0);
            t.push_back(timed([&] { handOff(main, text); }));
        }
        return median(t);
    };
    const bool growth = measures("handoff"), launches = measures("list");
    const double h2k = growth ? handoffTime(2000) : 0, h20k = growth ? handoffTime(20000) : 0;
    auto launchTime = [&](int n) {
        SendMessageA(main, WM_COMMAND, qm::kIdN3, 0);
        handOff(main, paths(n));
        std::vector<double> t;
        for (int r = 0; r < std::max(3, g_runs / 3); ++r) {
            // The first application does not exist (and these command lines are longer than a
            // process can take): the launch ends in the error box. Timed until the box shows;
            // then it is answered.
            HWND box = nullptr;
            t.push_back(timed([&] {
                PostMessageA(main, WM_COMMAND, MAKEWPARAM(qm::kIdButton6, BN_CLICKED), 0);
                while (!(box = dialogOf(first.pid))) Sleep(0);
            }));
            SendMessageA(box, WM_COMMAND, IDOK, 0);
            while (dialogOf(first.pid)) Sleep(1);
        }
        return median(t);
    };
    const double l1k = launches ? launchTime(1000) : 0, l10k = launches ? launchTime(10000) : 0;
    // The launch's own work, without the error box: its command line built from a list box
    // of the tool's kind in this process, each entry read through the list box.
    auto buildTime = [&](int n) {
        const HWND parent =
            CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
        const HWND box = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VISIBLE | qm::kRunListStyle, 0,
                                         0, 300, 130, parent, nullptr, nullptr, nullptr);
        qm::ListBoxRunList runList(box, reinterpret_cast<WNDPROC>(GetWindowLongPtrW(box, GWLP_WNDPROC)));
        for (int i = 0; i < n; ++i) {
            const std::string path = pathAt(i);  // ASCII
            runList.append(std::u16string(path.begin(), path.end()));
        }
        const qm::AppTable table{{u"viewer=C:\\Tools\\viewer.exe /open %P"}};
        std::vector<double> t;
        for (int r = 0; r < std::max(3, g_runs / 3); ++r) {
            t.push_back(timed([&] {
                const qm::LaunchPlan plan =
                    qm::planLaunch(runList, u"viewer", &table, false, false, qm::systemCodePage());
                if (plan.commandLine.line.empty()) std::exit(1);
            }));
        }
        DestroyWindow(parent);
        return median(t);
    };
    const double b1k = launches ? buildTime(1000) : 0, b10k = launches ? buildTime(10000) : 0;
    if (growth)
        std::printf("\n%-44s %10.2f ms\n%-44s %10.2f ms  (%.1fx for 10x the paths)\n", "hand-off of 2,000 paths", h2k,
                    "hand-off of 20,000 paths", h20k, h2k > 0 ? h20k / h2k : 0);
    if (launches)
        std::printf("%-44s %10.2f ms\n%-44s %10.2f ms  (%.1fx for 10x the entries; both end in the error box)\n",
                    "launch with 1,000 entries", l1k, "launch with 10,000 entries", l10k, l1k > 0 ? l10k / l1k : 0);
    if (launches)
        std::printf("%-44s %10.2f ms\n%-44s %10.2f ms  (%.1fx for 10x the entries)\n",
                    "launch command line, 1,000 entries", b1k, "launch command line, 10,000 entries", b10k,
                    b1k > 0 ? b10k / b1k : 0);
    SendMessageA(main, WM_COMMAND, qm::kIdN3, 0);
    closeAndWait(main, first);

    auto fileSize = [](const std::string& q) {
        WIN32_FILE_ATTRIBUTE_DATA a{};
        GetFileAttributesExA(q.substr(1, q.size() - 2).c_str(), GetFileExInfoStandard, &a);
        return static_cast<double>(a.nFileSizeLow) / 1024.0;
    };
    std::printf("\n%-44s %10.0f %10.0f %7.2fx\n", "exe size (KiB)", fileSize(quill), fileSize(minimal),
                fileSize(quill) / fileSize(minimal));
    std::printf("%-44s %10.0f %10.0f %7.2fx\n", "peak working set (KiB)", wsq / 1024.0, wsm / 1024.0,
                wsm ? static_cast<double>(wsq) / static_cast<double>(wsm) : 0.0);
    return 0;
}
