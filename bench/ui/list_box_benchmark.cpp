// The results list under a large search: appending a million paths while no
// event loop turns, the one announcement to a shown view that follows, and
// emptying the list again. Runs on the offscreen platform unless told
// otherwise (QT_QPA_PLATFORM).
#include "ui/tlistbox.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> makePaths(int count)
{
    std::vector<std::string> paths;
    paths.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        paths.push_back("/home/user/projects/zorvane/src/some/deeper/directory/file" + std::to_string(i) + ".pas");
    return paths;
}

void appendLines(benchmark::State& state)
{
    const auto paths = makePaths(static_cast<int>(state.range(0)));
    zorvane::ui::TListBox list;
    list.resize(377, 137);
    list.show();
    for (auto _ : state) {
        for (const std::string& path : paths)
            list.Add(path);
        // The view learns of the lines when control is back in the loop.
        QCoreApplication::processEvents();
        state.PauseTiming();
        list.Clear();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(appendLines)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void clearMillionLines(benchmark::State& state)
{
    const auto paths = makePaths(1'000'000);
    zorvane::ui::TListBox list;
    for (auto _ : state) {
        state.PauseTiming();
        for (const std::string& path : paths)
            list.Add(path);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        list.Clear();
    }
}
BENCHMARK(clearMillionLines)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
