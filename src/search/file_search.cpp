#include "search/file_search.h"

namespace zorvane::search {

using platform::attr::Directory;
using platform::attr::ReparsePoint;
using platform::passesFilter;

std::string AppendPathDelimiter(std::string_view path, char separator)
{
    std::string result(path);
    if (result.empty() || result.back() != separator)
        result.push_back(separator);
    return result;
}

bool IsDotEntry(std::string_view name)
{
    return name == "." || name == "..";
}

bool isEnteredDirectory(const platform::DirectoryEntry& entry)
{
    return passesFilter(entry.attributes, kSubdirectoryWanted)
           && (entry.attributes & Directory) != 0
           && (entry.attributes & ReparsePoint) == 0  // links and junctions
           && !IsDotEntry(entry.name);
}

FileSearch::FileSearch(platform::DirectoryEnumeration& enumeration, ResultSink& sink,
                       std::string_view mask, platform::PathRules rules)
    : m_enumeration(enumeration), m_sink(sink), m_mask(mask, rules.separator), m_rules(rules)
{
}

void FileSearch::SearchDirectory(std::string_view directory)
{
    // An empty path names no directory; appending a separator would turn it
    // into the root of the file system.
    if (directory.empty())
        return;
    m_path = AppendPathDelimiter(directory, m_rules.separator);
    m_pendingNames.clear();
    m_pending.clear();
    searchCurrentPath(false);
}

// A directory contributes files and subdirectories to two filters over the
// same listing, so it is read once: matching files are appended as they
// come, subdirectories are noted in their order and walked after the
// listing is closed. The result is the one a file pass followed by a
// subdirectory pass gives, and only one directory is ever open at a time,
// however deep the tree.
void FileSearch::searchCurrentPath(bool listed)
{
    const std::size_t pathLength = m_path.size();
    const std::size_t firstPending = m_pending.size();
    const std::size_t namesLength = m_pendingNames.size();
    {
        platform::EnumerationGuard guard(m_enumeration);
        m_path.append("*.*");
        constexpr platform::Attributes wanted = kFileWanted | kSubdirectoryWanted;
        bool more = listed ? m_enumeration.openListed(m_path, wanted) : m_enumeration.open(m_path, wanted);
        m_path.resize(pathLength);
        for (; more; more = m_enumeration.next()) {
            const platform::DirectoryEntry& entry = m_enumeration.entry();
            if (passesFilter(entry.attributes, kFileWanted)) {
                if (m_mask.matches(entry.name))
                    appendResult(entry.name);
            } else if (isEnteredDirectory(entry)) {
                m_pending.push_back({m_pendingNames.size(), entry.name.size()});
                m_pendingNames.append(entry.name);
            }
        }
    }

    const std::size_t endPending = m_pending.size();
    for (std::size_t i = firstPending; i < endPending; ++i) {
        const NameSpan name = m_pending[i];
        m_path.append(m_pendingNames, name.offset, name.length);
        m_path.push_back(m_rules.separator);
        searchCurrentPath(true);
        m_path.resize(pathLength);
    }
    m_pending.resize(firstPending);
    m_pendingNames.resize(namesLength);
}

void FileSearch::appendResult(std::string_view name)
{
    m_line.assign(m_path);
    m_line.append(name);
    if (m_rules.foldsCase)
        platform::lowerAsciiInPlace(m_line);
    m_sink.append(m_line);
}

}  // namespace zorvane::search
