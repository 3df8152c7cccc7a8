// The recursive file search: every file below a start directory whose name
// matches a mask, depth first, the files of a directory before anything
// found below it.
#pragma once

#include "platform/directory_enumeration.h"
#include "platform/path_rules.h"
#include "platform/wildcard.h"
#include "search/result_sink.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zorvane::search {

// `path` unchanged when its last byte is `separator`, else with one appended.
std::string AppendPathDelimiter(std::string_view path, char separator);

// True exactly for "." and "..".
bool IsDotEntry(std::string_view name);

// Wanted-attribute sets of the two kinds of entry a directory contributes:
// files of every kind but directories and volume labels, and directories
// that are neither hidden nor system.
inline constexpr platform::Attributes kFileWanted = platform::attr::Hidden | platform::attr::System | 0x40;
inline constexpr platform::Attributes kSubdirectoryWanted = platform::attr::Directory;

// True for an entry the walk goes into: a directory that is neither hidden
// nor system, not reached through a link or junction, and not "." or "..".
bool isEnteredDirectory(const platform::DirectoryEntry& entry);

class FileSearch {
public:
    // `mask` is compiled once here and read, never changed, by every level.
    FileSearch(platform::DirectoryEnumeration& enumeration, ResultSink& sink,
               std::string_view mask, platform::PathRules rules);

    // Appends to the sink the full path of every matching file in
    // `directory` and below. A directory that cannot be read, or an empty
    // path, contributes nothing. An exception from the sink (or bad_alloc) ends the whole walk
    // and reaches the caller; what was appended stays, the enumeration is
    // closed.
    void SearchDirectory(std::string_view directory);

private:
    struct NameSpan {
        std::size_t offset;
        std::size_t length;
    };

    // `listed`: the directory came from a listing (every one below the start).
    void searchCurrentPath(bool listed);
    void appendResult(std::string_view name);

    platform::DirectoryEnumeration& m_enumeration;
    ResultSink& m_sink;
    const platform::Wildcard m_mask;
    const platform::PathRules m_rules;

    // The directory being read, ending in a separator; grows and shrinks in
    // place as the walk goes down and up.
    std::string m_path;
    // Subdirectories still to be walked, for every level at once, as a stack.
    std::string m_pendingNames;
    std::vector<NameSpan> m_pending;
    std::string m_line;
};

}  // namespace zorvane::search
