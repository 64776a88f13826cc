// Building a launch's command line for long run lists: entries of 100 units each. The work
// is linear in the list's length; at 10,000 entries the line is about 2 MB, above glibc's
// mmap threshold, so every iteration also pays for fresh pages.
#include <benchmark/benchmark.h>

#include <string>

#include "../tests/shared/memory_runlist.h"
#include "launch/launch.h"

namespace {

void BM_LaunchCommandLine(benchmark::State& state) {
    const int entries = static_cast<int>(state.range(0));
    qm::MemoryRunList list;
    for (int i = 0; i < entries; ++i) {
        const std::string number = std::to_string(i);
        std::u16string path = u"C:\\Documents\\Projects\\" + std::u16string(number.begin(), number.end()) + u"\\";
        path.resize(100, u'x');
        list.append(path);
    }
    const qm::AppTable table{{u"Viewer=\"C:\\Program Files\\Viewer\\viewer.exe\" /open %P"}};
    const qm::Cp932Model cp;
    std::size_t units = 0;
    for (auto _ : state) {
        const qm::LaunchPlan plan = qm::planLaunch(list, u"viewer", &table, false, false, cp);
        units = plan.commandLine.line.size();
        benchmark::DoNotOptimize(plan.commandLine.line.data());
    }
    state.counters["units"] = static_cast<double>(units);
    state.SetItemsProcessed(state.iterations() * entries);
}
BENCHMARK(BM_LaunchCommandLine)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
