// One open search over a directory: open with a pattern and a wanted set of
// attributes, step through the entries that pass, close.
#pragma once

#include "platform/attributes.h"

#include <memory>
#include <string_view>

namespace zorvane::platform {

struct DirectoryEntry {
    std::string_view name;  // valid until the next call on the enumeration
    Attributes attributes = 0;
};

class DirectoryEnumeration {
public:
    virtual ~DirectoryEnumeration() = default;

    // Opens `pattern`, a directory path followed by a name pattern in the
    // wildcard dialect ("*.*" reports every entry), and moves to the first
    // entry that passes the filter of `wanted`. Returns false when the
    // directory cannot be read or nothing passes; the enumeration is closed
    // then. An open enumeration is closed first.
    virtual bool open(std::string_view pattern, Attributes wanted) = 0;

    // open() for a directory that an earlier listing reported as one: where
    // the system can tell, it fails rather than follow a link that has taken
    // the directory's place since.
    virtual bool openListed(std::string_view pattern, Attributes wanted) { return open(pattern, wanted); }

    // Moves to the next entry that passes; false at the end (and closes).
    virtual bool next() = 0;

    // Releases the directory. Safe on a closed or never opened enumeration.
    virtual void close() noexcept = 0;

    // The current entry; meaningful only after open() or next() gave true.
    virtual const DirectoryEntry& entry() const = 0;
};

// The enumeration of the file system the program runs on.
std::unique_ptr<DirectoryEnumeration> newNativeEnumeration();

// Closes an enumeration on every way out of a scope.
class EnumerationGuard {
public:
    explicit EnumerationGuard(DirectoryEnumeration& enumeration) : m_enumeration(enumeration) {}
    ~EnumerationGuard() { m_enumeration.close(); }
    EnumerationGuard(const EnumerationGuard&) = delete;
    EnumerationGuard& operator=(const EnumerationGuard&) = delete;

private:
    DirectoryEnumeration& m_enumeration;
};

}  // namespace zorvane::platform
