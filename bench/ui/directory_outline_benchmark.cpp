// How long the directory tree takes to expand a directory with many
// sub-directories, from the first read to the first paint, on the offscreen
// platform.
#include "ui/tdirectoryoutline.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

using zorvane::ui::TDirectoryOutline;

namespace {

// A temporary directory holding `count` empty sub-directories, removed at
// the end of the run.
class FlatTree {
public:
    explicit FlatTree(int count)
    {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/zorvane-bench-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        m_root = pattern;
        for (int i = 0; i < count; ++i) {
            const std::string path = m_root + "/Directory " + std::to_string(i);
            if (::mkdir(path.c_str(), 0755) != 0)
                throw std::runtime_error("mkdir failed: " + path);
        }
    }
    ~FlatTree() { std::filesystem::remove_all(m_root); }
    FlatTree(const FlatTree&) = delete;
    FlatTree& operator=(const FlatTree&) = delete;

    const std::string& root() const { return m_root; }

private:
    std::string m_root;
};

void expandLargeDirectory(benchmark::State& state)
{
    const FlatTree tree(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        TDirectoryOutline outline;
        outline.resize(213, 121);
        outline.show();
        outline.setDrive(tree.root());
        state.ResumeTiming();

        outline.expandRow(0);
        outline.repaint();
        benchmark::DoNotOptimize(outline.rowCount());

        state.PauseTiming();
        outline.setDrive("/");  // leaves the tree before it is removed
        state.ResumeTiming();
    }
    state.counters["entries"] = static_cast<double>(state.range(0));
}
BENCHMARK(expandLargeDirectory)->Arg(1000)->Arg(20000)->Arg(50000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
