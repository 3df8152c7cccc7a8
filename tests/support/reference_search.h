// Slow, literal reference versions of the search and the mask dialect, for
// tests and fuzzers to hold the fast ones against.
#pragma once

#include "platform/directory_enumeration.h"
#include "platform/path_rules.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zorvane::testing {

using EnumerationFactory = std::function<std::unique_ptr<platform::DirectoryEnumeration>()>;

// The walk as first described, with two enumerations per level: a file pass
// over directory-plus-mask with the wanted set 0x46, then a pass over "*.*"
// with the wanted set 0x10 entering every directory but "." and ".." and
// links. The enumeration matches the mask here.
void twoPassSearch(const EnumerationFactory& newEnumeration, const std::string& directory, const std::string& mask,
                   platform::PathRules rules, std::vector<std::string>& out);

// The wildcard dialect by its definition, by dynamic programming over every
// pair of positions; no normalisation, no fast paths.
bool referenceMatch(std::string_view mask, std::string_view name, char separator);

}  // namespace zorvane::testing
