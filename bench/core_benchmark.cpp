// Google Benchmark of the search core's hot paths: the mask matcher, the
// enumeration of one large directory, and the walk of the small fixture tree
// into a counting sink and through the tool's buffered writer. The trees are
// built once per run in a temporary directory and removed at the end.
#include "cli/output_writer.h"
#include "fixture_tree.h"
#include "platform/directory_enumeration.h"
#include "platform/path_rules.h"
#include "platform/wildcard.h"
#include "search/file_search.h"
#include "search/result_sink.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using zorvane::platform::Wildcard;

class CountingSink final : public zorvane::search::ResultSink {
public:
    void append(std::string_view line) override
    {
        ++lines;
        bytes += line.size();
    }
    std::size_t lines = 0;
    std::size_t bytes = 0;
};

// A temporary directory for the run's fixtures, removed with them at exit.
class Scratch {
public:
    static Scratch& instance()
    {
        static Scratch scratch;
        return scratch;
    }
    ~Scratch()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    const std::string& root() const { return m_root; }

    const std::string& smallTree()
    {
        if (m_smallTree.empty()) {
            m_smallTree = m_root + "/tree-100k";
            zorvane::bench::TreeShape shape;
            shape.entries = 100'000;
            zorvane::bench::generateTree(m_smallTree, shape);
        }
        return m_smallTree;
    }

    const std::string& largeDirectory()
    {
        if (m_largeDirectory.empty()) {
            m_largeDirectory = m_root + "/flat-100k";
            zorvane::bench::generateFlatDirectory(m_largeDirectory, 100'000);
        }
        return m_largeDirectory;
    }

private:
    Scratch()
    {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/zorvane-bench-XXXXXX";
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (!::mkdtemp(buffer.data()))
            throw std::runtime_error("cannot create a temporary directory");
        m_root = buffer.data();
    }
    std::string m_root;
    std::string m_smallTree;
    std::string m_largeDirectory;
};

// Names as a tree holds them: a tenth matching in mixed case, near misses.
std::vector<std::string> sampleNames(bool matching)
{
    static const char* const kMatching[] = {"unit12.pas", "Form3.PAS", "main.Pas", "a_rather_long_file_name_for_a_unit.pAs"};
    static const char* const kOther[] = {"unit12.pascal", "Form3.pas.bak", "main.dcu", "readme.txt", "Makefile",
                                         "a_rather_long_file_name_for_a_unit.dfm", "x.c", "notes_pas"};
    std::vector<std::string> names;
    if (matching)
        names.assign(std::begin(kMatching), std::end(kMatching));
    else
        names.assign(std::begin(kOther), std::end(kOther));
    return names;
}

void matchNames(benchmark::State& state, const char* mask, bool matching)
{
    const Wildcard wildcard(mask);
    const std::vector<std::string> names = sampleNames(matching);
    std::vector<std::string_view> views(names.begin(), names.end());
    std::size_t hits = 0;
    for (auto _ : state) {
        for (const std::string_view name : views) {
            benchmark::DoNotOptimize(name.data());
            hits += wildcard.matches(name);
        }
    }
    if (hits != (matching ? views.size() * state.iterations() : 0))
        state.SkipWithError("the matcher gave a wrong answer");
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * views.size()));
}

void BM_MaskSuffixMatches(benchmark::State& state) { matchNames(state, "*.pas", true); }
void BM_MaskSuffixRejects(benchmark::State& state) { matchNames(state, "*.pas", false); }
void BM_MaskGeneralRejects(benchmark::State& state) { matchNames(state, "*unit*.p?s", false); }
BENCHMARK(BM_MaskSuffixMatches);
BENCHMARK(BM_MaskSuffixRejects);
BENCHMARK(BM_MaskGeneralRejects);

// Every entry of one directory of 100,000 files, through the enumeration
// interface the search uses ("*.*"), and with a mask filtering in it.
void enumerateLargeDirectory(benchmark::State& state, const char* mask)
{
    const std::string pattern = Scratch::instance().largeDirectory() + "/" + mask;
    const auto enumeration = zorvane::platform::newNativeEnumeration();
    const auto wanted = zorvane::search::kFileWanted | zorvane::search::kSubdirectoryWanted;
    std::size_t entries = 0;
    for (auto _ : state) {
        for (bool more = enumeration->open(pattern, wanted); more; more = enumeration->next()) {
            benchmark::DoNotOptimize(enumeration->entry().name.data());
            ++entries;
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(entries));
}

void BM_EnumerateLargeDirectory(benchmark::State& state) { enumerateLargeDirectory(state, "*.*"); }
void BM_EnumerateLargeDirectoryMasked(benchmark::State& state) { enumerateLargeDirectory(state, "*.pas"); }
BENCHMARK(BM_EnumerateLargeDirectory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EnumerateLargeDirectoryMasked)->Unit(benchmark::kMillisecond);

// The whole search over the 100,000-entry tree into a counting sink: the
// core's cost without any output.
void BM_WalkSmallTreeCounting(benchmark::State& state)
{
    const std::string& root = Scratch::instance().smallTree();
    const auto enumeration = zorvane::platform::newNativeEnumeration();
    std::size_t lines = 0;
    for (auto _ : state) {
        CountingSink sink;
        zorvane::search::FileSearch search(*enumeration, sink, "*.pas", zorvane::platform::nativePathRules());
        search.SearchDirectory(root);
        lines = sink.lines;
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_WalkSmallTreeCounting)->Unit(benchmark::kMillisecond);

// The same through zorvane-find's buffered writer into /dev/null.
void BM_WalkSmallTreeWriter(benchmark::State& state)
{
    const std::string& root = Scratch::instance().smallTree();
    const auto enumeration = zorvane::platform::newNativeEnumeration();
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> null(std::fopen("/dev/null", "wb"), &std::fclose);
    if (!null) {
        state.SkipWithError("cannot open /dev/null");
        return;
    }
    for (auto _ : state) {
        zorvane::cli::OutputWriter writer(null.get());
        zorvane::cli::LineSink sink(writer, '\n');
        zorvane::search::FileSearch search(*enumeration, sink, "*.pas", zorvane::platform::nativePathRules());
        search.SearchDirectory(root);
        writer.flush();
    }
}
BENCHMARK(BM_WalkSmallTreeWriter)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
