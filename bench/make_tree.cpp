// zorvane-make-tree: builds the benchmarks' fixture tree (see fixture_tree.h).
#include "fixture_tree.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "Usage: zorvane-make-tree [OPTIONS] ROOT\n"
    "Creates ROOT (which must not exist) holding a deterministic tree.\n"
    "  --entries N               entries in all (default 100000)\n"
    "  --seed N                  random seed (default 1)\n"
    "  --files-per-directory N   mean files per directory (default 20)\n"
    "  --fan-out N               mean subdirectories per directory (default 4)\n"
    "  --match-per-mille N       share of *.pas files (default 100)\n"
    "  --hidden-directory-per-mille N   (default 30)\n"
    "  --hidden-file-per-mille N        (default 20)\n"
    "  --flat N                  one directory of N files instead of a tree\n"
    "  --describe                print the tree's description line and exit\n";

std::uint64_t number(const char* text)
{
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (end == text || *end != '\0')
        throw std::invalid_argument(std::string("not a number: ") + text);
    return value;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        zorvane::bench::TreeShape shape;
        std::uint64_t flat = 0;
        bool describeOnly = false;
        std::string root;
        for (int i = 1; i < argc; ++i) {
            const std::string_view argument = argv[i];
            const auto value = [&]() {
                if (i + 1 >= argc)
                    throw std::invalid_argument(std::string(argument) + " needs a value");
                return number(argv[++i]);
            };
            if (argument == "--entries")
                shape.entries = value();
            else if (argument == "--seed")
                shape.seed = value();
            else if (argument == "--files-per-directory")
                shape.filesPerDirectory = static_cast<unsigned>(value());
            else if (argument == "--fan-out")
                shape.fanOut = static_cast<unsigned>(value());
            else if (argument == "--match-per-mille")
                shape.matchPerMille = static_cast<unsigned>(value());
            else if (argument == "--hidden-directory-per-mille")
                shape.hiddenDirectoryPerMille = static_cast<unsigned>(value());
            else if (argument == "--hidden-file-per-mille")
                shape.hiddenFilePerMille = static_cast<unsigned>(value());
            else if (argument == "--flat")
                flat = value();
            else if (argument == "--describe")
                describeOnly = true;
            else if (argument == "-h" || argument == "--help") {
                std::fputs(kUsage, stdout);
                return 0;
            } else if (!argument.empty() && argument[0] != '-' && root.empty())
                root = argument;
            else
                throw std::invalid_argument("unexpected argument: " + std::string(argument));
        }
        if (describeOnly) {
            std::printf("%s\n", zorvane::bench::describe(shape).c_str());
            return 0;
        }
        if (root.empty())
            throw std::invalid_argument("no ROOT given");
        if (flat != 0) {
            zorvane::bench::generateFlatDirectory(root, flat, shape.seed);
            std::printf("files=%llu\n", static_cast<unsigned long long>(flat));
            return 0;
        }
        const auto counts = zorvane::bench::generateTree(root, shape);
        std::printf("directories=%llu files=%llu entries=%llu listed=%llu\n",
                    static_cast<unsigned long long>(counts.directories), static_cast<unsigned long long>(counts.files),
                    static_cast<unsigned long long>(counts.directories + counts.files),
                    static_cast<unsigned long long>(counts.listed));
        return 0;
    } catch (const std::invalid_argument& error) {
        std::fprintf(stderr, "zorvane-make-tree: %s\n%s", error.what(), kUsage);
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zorvane-make-tree: %s\n", error.what());
        return 1;
    }
}
