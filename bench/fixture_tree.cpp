#include "fixture_tree.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <stdexcept>
#include <string_view>
#include <system_error>

namespace zorvane::bench {

namespace {

// splitmix64: tiny, fast and the same everywhere.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform enough in 0 .. bound - 1 for fixture shapes.
    std::uint64_t below(std::uint64_t bound) { return bound == 0 ? 0 : next() % bound; }
    bool perMille(unsigned share) { return below(1000) < share; }

private:
    std::uint64_t m_state;
};

[[noreturn]] void fail(const std::string& what)
{
    throw std::system_error(errno, std::generic_category(), what);
}

class Directory {
public:
    Directory(int parent, const std::string& name)
    {
        if (::mkdirat(parent, name.c_str(), 0755) != 0)
            fail("mkdir " + name);
        m_fd = ::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (m_fd < 0)
            fail("open " + name);
    }
    ~Directory() { ::close(m_fd); }
    Directory(const Directory&) = delete;
    Directory& operator=(const Directory&) = delete;

    int fd() const { return m_fd; }

    void file(const std::string& name) const
    {
        const int fd = ::openat(m_fd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0)
            fail("create " + name);
        ::close(fd);
    }

private:
    int m_fd = -1;
};

constexpr std::array<std::string_view, 4> kMatching{".pas", ".PAS", ".Pas", ".pAs"};
// Near misses first: they must be rejected by every tool.
constexpr std::array<std::string_view, 12> kOther{
    ".pascal", ".pas.bak", ".pas~", "_pas", ".pa", ".dcu", ".dfm", ".txt", ".c", ".h", ".md", ""};
constexpr std::array<std::string_view, 10> kFileStems{
    "unit", "Form", "main", "readme", "Überblick", "notes ", "data-set", "x", "a_rather_long_file_name_for_a_unit", "Résumé"};
constexpr std::array<std::string_view, 8> kDirectoryStems{
    "src", "Lib", "docs", "tests", "Modules", "build output", "vendor", "dir.pas"};
constexpr std::array<std::string_view, 5> kHiddenDirectories{".git", ".cache", ".svn", ".hidden.pas", ".config"};

class Generator {
public:
    Generator(const TreeShape& shape) : m_shape(shape), m_random(shape.seed) {}

    // Fills `directory` with about `budget` entries in all, below it included.
    void fill(const Directory& directory, std::uint64_t budget, bool hidden)
    {
        const std::uint64_t fileCount = std::min<std::uint64_t>(budget, m_random.below(2 * m_shape.filesPerDirectory + 1));
        for (std::uint64_t i = 0; i < fileCount; ++i)
            makeFile(directory, i, hidden);
        budget -= fileCount;

        if (!hidden && budget > 2 && m_random.perMille(m_shape.hiddenDirectoryPerMille)) {
            const std::uint64_t share = std::min<std::uint64_t>(budget, 2 + m_random.below(m_shape.filesPerDirectory + 1));
            Directory child(directory.fd(), std::string(kHiddenDirectories[m_random.below(kHiddenDirectories.size())]));
            ++m_counts.directories;
            fill(child, share - 1, true);
            budget -= share;
        }
        if (budget == 0)
            return;

        // Whatever is left goes to subdirectories, shared out unevenly; a
        // leaf takes the rest as files when it is small.
        if (budget <= m_shape.filesPerDirectory) {
            for (std::uint64_t i = 0; i < budget; ++i)
                makeFile(directory, fileCount + i, hidden);
            return;
        }
        const std::uint64_t children = std::min<std::uint64_t>(budget, 1 + m_random.below(2 * m_shape.fanOut));
        budget -= children;
        std::uint64_t weights[64];
        std::uint64_t total = 0;
        for (std::uint64_t i = 0; i < children; ++i)
            total += weights[i] = 1 + m_random.below(4);
        std::uint64_t given = 0;
        for (std::uint64_t i = 0; i < children; ++i) {
            const std::uint64_t share = i + 1 == children ? budget - given : budget * weights[i] / total;
            given += share;
            std::string name(kDirectoryStems[m_random.below(kDirectoryStems.size())]);
            name += std::to_string(i);
            Directory child(directory.fd(), name);
            ++m_counts.directories;
            fill(child, share, hidden);
        }
    }

    void makeFile(const Directory& directory, std::uint64_t index, bool insideHidden)
    {
        std::string name;
        if (m_random.perMille(m_shape.hiddenFilePerMille))
            name += '.';
        name += kFileStems[m_random.below(kFileStems.size())];
        name += std::to_string(index);
        // Hidden directories hold more matches: none of them may show.
        const unsigned matchShare = insideHidden ? 500 : m_shape.matchPerMille;
        if (m_random.perMille(matchShare)) {
            name += kMatching[m_random.below(kMatching.size())];
            if (!insideHidden)
                ++m_counts.listed;
        } else {
            name += kOther[m_random.below(kOther.size())];
        }
        directory.file(name);
        ++m_counts.files;
    }

    const TreeCounts& counts() const { return m_counts; }

private:
    const TreeShape& m_shape;
    Random m_random;
    TreeCounts m_counts;
};

}  // namespace

TreeCounts generateTree(const std::string& root, const TreeShape& shape)
{
    if (shape.fanOut == 0 || shape.fanOut > 32)
        throw std::invalid_argument("fan-out must be 1 to 32");
    Generator generator(shape);
    Directory top(AT_FDCWD, root);
    generator.fill(top, shape.entries, false);
    return generator.counts();
}

void generateFlatDirectory(const std::string& root, std::uint64_t files, std::uint64_t seed)
{
    Random random(seed);
    Directory top(AT_FDCWD, root);
    for (std::uint64_t i = 0; i < files; ++i) {
        std::string name = "entry_" + std::to_string(i);
        name += i % 10 == 0 ? kMatching[random.below(kMatching.size())] : kOther[random.below(kOther.size())];
        top.file(name);
    }
}

std::string describe(const TreeShape& shape)
{
    return "zorvane-fixture-tree v1 seed=" + std::to_string(shape.seed) + " entries=" + std::to_string(shape.entries)
        + " files-per-directory=" + std::to_string(shape.filesPerDirectory) + " fan-out=" + std::to_string(shape.fanOut)
        + " match-per-mille=" + std::to_string(shape.matchPerMille)
        + " hidden-directory-per-mille=" + std::to_string(shape.hiddenDirectoryPerMille)
        + " hidden-file-per-mille=" + std::to_string(shape.hiddenFilePerMille);
}

}  // namespace zorvane::bench
