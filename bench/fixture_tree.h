// A deterministic fixture tree for benchmarks: the same shape and names for
// the same seed and parameters on every machine (its own random generator,
// no std:: distributions, whose results differ between libraries).
#pragma once

#include <cstdint>
#include <string>

namespace zorvane::bench {

struct TreeShape {
    std::uint64_t seed = 1;
    // Entries (files and directories, hidden ones included) to create in
    // all; the last directory may take the count a little past it.
    std::uint64_t entries = 100'000;
    // Files per directory: uniform in 0 .. 2 * filesPerDirectory.
    unsigned filesPerDirectory = 20;
    // Visible subdirectories per directory: uniform in 0 .. 2 * fanOut.
    unsigned fanOut = 4;
    // Per mille of files named *.pas in one of its mixed cases
    // (.pas, .PAS, .Pas, .pAs), hidden ones included.
    unsigned matchPerMille = 100;
    // Per mille of directories that also get a hidden subdirectory (".git",
    // ".cache", ...) holding matching files, none of which may be listed.
    unsigned hiddenDirectoryPerMille = 30;
    // Per mille of files that are hidden (".name.ext"); they are listed.
    unsigned hiddenFilePerMille = 20;
};

struct TreeCounts {
    std::uint64_t directories = 0;  // below the root, hidden ones included
    std::uint64_t files = 0;        // hidden directories' contents included
    std::uint64_t listed = 0;       // files that '*.pas' lists
};

// Creates the tree in `root`, which must not exist yet (its parent must).
// Throws std::system_error when the file system refuses.
TreeCounts generateTree(const std::string& root, const TreeShape& shape);

// One flat directory `root` (which must not exist yet) with `files` files,
// a tenth of them matching '*.pas'.
void generateFlatDirectory(const std::string& root, std::uint64_t files, std::uint64_t seed = 1);

// A line that names the generator's version and every parameter: a tree
// made with the same description is the same tree.
std::string describe(const TreeShape& shape);

}  // namespace zorvane::bench
