// Slow, literal reference versions of the search and the mask dialect, for
// tests and fuzzers to hold the fast ones against.
#pragma once

#include "support/memory_file_system.h"

#include <string>
#include <string_view>
#include <vector>

namespace zorvane::testing {

// The walk as first described: per directory a file pass over
// directory-plus-mask with the wanted set 0x46, then a pass over "*.*" with
// the wanted set 0x10 entering every directory but "." and "..".
void twoPassSearch(MemoryFileSystem& fileSystem, const std::string& directory, const std::string& mask,
                   std::vector<std::string>& out);

// The wildcard dialect by its definition, by dynamic programming over every
// pair of positions; no normalisation, no fast paths.
bool referenceMatch(std::string_view mask, std::string_view name, char separator);

}  // namespace zorvane::testing
